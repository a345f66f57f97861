#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <utility>
#include <vector>

// The values of one orientation's section of skin.ini. Places follow the rule of Layout.h.
struct SkinSection {
    int ruleHeight = 0; // thickness of the window and of the band taken from each bar piece
    int minSize = 0;    // shortest length the bar can be dragged to
    QPoint buttonRotate;
    QPoint buttonInvert;
    QPoint buttonTools;
    QPoint buttonInfo;
    QPoint buttonExit;
    QPoint buttonUnits;
    QPoint resizeArrow;
    QPoint number; // x is the right edge of the distance label
    QPoint unit;
    int arrowCenter = 0; // column (row) of the arrow picture that points at the reading
    int markCenter = 0;  // column (row) of the marker picture that stands on its place

    bool operator==(const SkinSection &) const = default;

    static SkinSection defaultHorizontal();
    static SkinSection defaultVertical();
};

// The seventeen pictures of a skin.
struct SkinBitmaps {
    // Bar pieces and pointers; every load refills them, from the file or a drawn default.
    QImage start, middle, end;
    QImage vstart, vmiddle, vend;
    QImage arrow, varrow;
    QImage mark, vmark;

    // Button pictures; a load changes them only where the skin has a file, so until the first
    // skin with such a file they are null (0 x 0) and the window keeps its built-in pictures.
    QImage buttonRotate, buttonInvert, buttonTools, buttonInfo, buttonExit, buttonUnits;
    QImage resizeArrow;
};

// Everything a skin folder gives the ruler. Bitmaps keep the file's pixels; the window shows
// them through shownBitmaps().
struct SkinData : SkinBitmaps {
    // Pictures drawn at twice the size ("start@2x.bmp" beside "start.bmp") for screens of a
    // device pixel ratio of 1.5 or more; null where this skin has none. Each load replaces
    // them all. They are read only when a screen first needs them (readSharpBitmaps); until
    // then sharpFiles names the files found beside the plain pictures.
    SkinBitmaps sharp;
    std::vector<std::pair<QImage SkinBitmaps::*, QString>> sharpFiles;

    QString author, email, www;

    SkinSection horizontal = SkinSection::defaultHorizontal();
    SkinSection vertical = SkinSection::defaultVertical();

    QColor numberColour = Qt::black;
    QColor unitColour = Qt::black;
    QColor unitColour2 = Qt::red;
    QColor meterColour = Qt::black;
    QColor meterNumbersColour = Qt::black;
};

// A default bar piece: w x h of yellow.
void VychoziDilek(QImage &bitmap, int w, int h);

// A default pointer on yellow: a black arrow pointing up (horizontal) or left (vertical), or a
// red marker line across the middle. Lines leave out their final point.
void VychoziUkazatel(QImage &bitmap, int w, int h, bool vertical, bool marker);

// Loads the skin in folder into skin, in this order: the ten bar and pointer bitmaps (drawn
// defaults where a file is missing), the seven button bitmaps (long name, then short name,
// untouched when neither exists), then skin.ini with its defaults. An "@2x" bitmap beside a
// bitmap found is noted in skin.sharpFiles, to be read by readSharpBitmaps. File names match
// without regard to letter case, as skins are often made on systems that ignore it. A missing
// folder (and an empty folder name) loads as an empty one. A file that is no readable bitmap or
// a colour that cannot be read stops the load: false is returned with the message in *error,
// and what was loaded before that point stays in skin.
bool NactiSkinData(const QString &folder, SkinData &skin, QString *error = nullptr);

// After a load that stopped on a broken file: whatever the skin did not supply is drawn, so
// the ruler stays usable.
void drawMissingPieces(SkinData &skin);

// Reads the sharp pictures noted by the last load into skin.sharp, once: each one of exactly
// twice the size of its plain picture is kept; one of another size or one that cannot be read
// is passed over, as the plain bitmap serves in its place.
void readSharpBitmaps(SkinData &skin);

// A skin bitmap as the window shows it: the colour of its bottom-left pixel (white for a
// monochrome bitmap) made transparent.
QImage transparentPicture(const QImage &bitmap);

// The pictures as a screen of the given device pixel ratio shows them: bar pieces as they
// are, every other picture made transparent by transparentPicture(); each one smoothly scaled
// to its size in device pixels (from its sharp picture when the ratio is 1.5 or more and the
// skin has one, read here when the ratio first needs it) and carrying the ratio. At a ratio of
// 1 nothing is scaled. Null pictures stay null.
SkinBitmaps shownBitmaps(SkinData &skin, double ratio);

// From this ratio on a sharp picture is closer to the screen than the plain one.
constexpr double SharpPictureRatio = 1.5;
