#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <vector>

// The look of one shipped skin, from which every one of its pictures and its skin.ini are made.

enum class Texture { Smooth, WoodGrain, Brushed };

// The bar body. Pieces are drawn lying (length along x, the scale band at the top); standing
// pieces are the same drawing with the axes exchanged.
struct BarLook {
    QColor surround; // the window's corners outside the rounded ends: the bar has no alpha
    QColor outline;
    QColor band; // behind the scale: plain, so ticks and numbers read well
    QColor bodyTop, bodyBottom;
    QColor grooveDark, grooveLight; // the engraved line between scale band and controls
    QColor rimLight, rimShadow;     // bevel just inside the outline, top and bottom
    int glossAlpha = 0;             // white gloss over the scale band (plastic)
    int endShade = 0;               // darkening of the rounded ends (end grain)
    Texture texture = Texture::Smooth;
    qreal topRadius = 2;
    qreal bottomRadius = 8;
    int middleWidth = 16;
};

enum class ButtonStyle { Candy, Brass, Slick };

enum Glyph { Rotate, Invert, Tools, Info, Exit, GlyphCount };

struct ButtonLook {
    ButtonStyle style = ButtonStyle::Candy;
    std::array<QColor, GlyphCount> face;
    std::array<QColor, GlyphCount> glyph;
    QColor unitsFill, unitsOutline;   // the unit menu's triangle
    QColor resizeFill, resizeOutline; // the resize handle's double arrow
};

struct PointerLook {
    QColor arrowFill, arrowOutline;
    QColor markFill, markOutline;
};

// The skin.ini colours; Unit.color2 is the unit label's colour under the mouse.
struct SkinColours {
    QColor number, unit, unitHover, meter, meterNumbers;
};

// A place in skin.ini terms: negative values count from the far edge.
struct Place {
    int x = 0;
    int y = 0;
};

enum Control {
    ButtonRotate,
    ButtonInvert,
    ButtonTools,
    ButtonInfo,
    ButtonExit,
    ButtonUnits,
    ResizeArrow,
    Number,
    Unit,
    ControlCount
};

struct SectionLayout {
    int ruleHeight = 0;
    int minSize = 0;
    int band = 0; // depth of the scale strip from the measuring edge
    std::array<Place, ControlCount> places;
};

struct SkinArt {
    QString name;
    BarLook bar;
    ButtonLook buttons;
    PointerLook pointers;
    SkinColours colours;
    SectionLayout horizontal, vertical;
};

// Sizes shared by every shipped skin.
namespace ArtSize {
inline constexpr int endPiece = 16; // start and end pieces, along the bar
inline constexpr int button = 22;
inline constexpr int unitsWidth = 14, unitsHeight = 22;
inline constexpr int resize = 19; // the window shows the handle's top-left 19 x 19 only
inline constexpr int arrowWidth = 11, arrowHeight = 21, arrowCenter = 5;
inline constexpr int markWidth = 5, markHeight = 16, markCenter = 2;
inline constexpr int unitLabel = 24;
inline constexpr int readingText = 19, unitText = 11; // pixel sizes of the ruler's fonts
} // namespace ArtSize

// The key colour made transparent by the window; it appears nowhere else in any picture.
inline const QColor keyColour(255, 0, 255);

const std::vector<SkinArt> &shippedSkins();

const char *controlKey(Control control);
const char *glyphFileName(Glyph glyph);
