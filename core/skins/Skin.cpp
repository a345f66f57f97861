#include "core/skins/Skin.h"

#include "core/drawing/ColourKey.h"
#include "core/settings/IniFile.h"
#include "core/skins/BitmapFile.h"
#include "core/skins/SkinColours.h"
#include "core/units/DevicePixels.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPainter>

#include <cstdlib>
#include <tuple>

namespace {

const QRgb DefaultYellow = qRgb(255, 255, 0);
const QRgb DefaultBlack = qRgb(0, 0, 0);
const QRgb DefaultRed = qRgb(255, 0, 0);

// num / den rounded to the nearest integer, ties towards zero, for den > 0.
int roundTiesTowardZero(int num, int den) {
    const int magnitude = (2 * std::abs(num) + den - 1) / (2 * den);
    return num < 0 ? -magnitude : magnitude;
}

// A one-pixel line that leaves out its final point, like every line of the drawn defaults.
// Where the line passes exactly between two pixels, the one nearer the start is taken.
void drawLine(QImage &image, QPoint from, QPoint to, QRgb colour) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i) {
        const int x = from.x() + roundTiesTowardZero(i * dx, steps);
        const int y = from.y() + roundTiesTowardZero(i * dy, steps);
        if (image.valid(x, y))
            image.setPixel(x, y, colour);
    }
}

// The files of a skin folder by lower-case name, so that "Start.BMP" serves as start.bmp.
class SkinFolder {
public:
    explicit SkinFolder(const QString &folder) : m_dir(folder) {
        // An empty path would be the working folder.
        if (folder.isEmpty())
            return;
        const QStringList names = m_dir.entryList(QDir::Files | QDir::Hidden);
        for (const QString &name : names)
            m_files.insert(name.toLower(), name);
    }

    // The path of the file, or an empty string when the folder has no such file.
    QString find(const QString &name) const {
        const auto it = m_files.constFind(name.toLower());
        return it == m_files.constEnd() ? QString() : m_dir.filePath(*it);
    }

private:
    QDir m_dir;
    QHash<QString, QString> m_files;
};

// The file of the picture at twice the size beside a bitmap, "start@2x.bmp" beside
// "start.bmp"; empty when there is none.
QString sharpFile(const SkinFolder &files, const QString &path) {
    QString name = QFileInfo(path).fileName();
    name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    return files.find(name);
}

bool loadBitmap(const QString &path, QImage &bitmap, QString *error) {
    const QImage image = readSkinBitmap(path);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("Bitmap image is not valid");
        return false;
    }
    bitmap = image;
    return true;
}

// No window coordinate goes beyond this, so skin values are kept within it: sums of a place, a
// size and a window length then never overflow.
constexpr int coordinateLimit = 32767;
// A bar thinner than a pixel would vanish; one thicker than this is no ruler.
constexpr int thickestBar = 1024;

int readCoordinate(const IniFile &ini, const QString &section, const QString &key,
                   int defaultValue) {
    return qBound(-coordinateLimit, ini.readInteger(section, key, defaultValue), coordinateLimit);
}

QPoint readPlace(const IniFile &ini, const QString &section, const QString &name,
                 QPoint defaultPlace) {
    return {readCoordinate(ini, section, name + QStringLiteral(".x"), defaultPlace.x()),
            readCoordinate(ini, section, name + QStringLiteral(".y"), defaultPlace.y())};
}

SkinSection readSection(const IniFile &ini, const QString &section, const SkinSection &defaults,
                        int arrowCenter, int markCenter) {
    SkinSection s;
    s.ruleHeight = ini.readInteger(section, QStringLiteral("rule.height"), defaults.ruleHeight);
    if (s.ruleHeight < 1)
        s.ruleHeight = defaults.ruleHeight;
    s.ruleHeight = qMin(s.ruleHeight, thickestBar);
    s.minSize = readCoordinate(ini, section, QStringLiteral("rule.MinSize"), defaults.minSize);
    s.buttonRotate = readPlace(ini, section, QStringLiteral("ButtonRotate"), defaults.buttonRotate);
    s.buttonInvert = readPlace(ini, section, QStringLiteral("ButtonInvert"), defaults.buttonInvert);
    s.buttonTools = readPlace(ini, section, QStringLiteral("ButtonTools"), defaults.buttonTools);
    s.buttonInfo = readPlace(ini, section, QStringLiteral("ButtonInfo"), defaults.buttonInfo);
    s.buttonExit = readPlace(ini, section, QStringLiteral("ButtonExit"), defaults.buttonExit);
    s.buttonUnits = readPlace(ini, section, QStringLiteral("ButtonUnits"), defaults.buttonUnits);
    s.resizeArrow = readPlace(ini, section, QStringLiteral("ResizeArrow"), defaults.resizeArrow);
    s.number = readPlace(ini, section, QStringLiteral("Number"), defaults.number);
    s.unit = readPlace(ini, section, QStringLiteral("Unit"), defaults.unit);
    s.arrowCenter = readCoordinate(ini, section, QStringLiteral("Arrow.center"), arrowCenter);
    s.markCenter = readCoordinate(ini, section, QStringLiteral("Mark.center"), markCenter);
    return s;
}

bool readColour(const IniFile &ini, const char *key, const char *defaultName, QColor &colour,
                QString *error) {
    const QString text =
        ini.readString(QStringLiteral("Colors"), QLatin1String(key), QLatin1String(defaultName));
    const std::optional<QColor> parsed = parseSkinColour(text, error);
    if (!parsed)
        return false;
    colour = *parsed;
    return true;
}

} // namespace

SkinSection SkinSection::defaultHorizontal() {
    SkinSection s;
    s.ruleHeight = 64;
    s.buttonRotate = {8, 38};
    s.buttonInvert = {48, 38};
    s.buttonTools = {88, 38};
    s.buttonInfo = {128, 38};
    s.buttonExit = {158, 38};
    s.buttonUnits = {-5, 38};
    s.resizeArrow = {-18, 21};
    s.number = {-42, 38};
    s.unit = {-15, 38};
    s.arrowCenter = 4;
    s.markCenter = 1;
    return s;
}

SkinSection SkinSection::defaultVertical() {
    SkinSection s;
    s.ruleHeight = 90;
    s.buttonRotate = {60, 8};
    s.buttonInvert = {60, 40};
    s.buttonTools = {60, 72};
    s.buttonInfo = {60, 104};
    s.buttonExit = {60, 136};
    s.buttonUnits = {-1, -5};
    s.resizeArrow = {65, -31};
    s.number = {-27, -5};
    s.unit = {-2, -5};
    s.arrowCenter = 4;
    s.markCenter = 1;
    return s;
}

void VychoziDilek(QImage &bitmap, int w, int h) {
    bitmap = QImage(w, h, QImage::Format_RGB32);
    bitmap.fill(DefaultYellow);
}

void VychoziUkazatel(QImage &bitmap, int w, int h, bool vertical, bool marker) {
    VychoziDilek(bitmap, w, h);
    const int cx = w / 2;
    const int cy = h / 2;
    if (marker) {
        if (vertical)
            drawLine(bitmap, {0, cy}, {w, cy}, DefaultRed);
        else
            drawLine(bitmap, {cx, 0}, {cx, h}, DefaultRed);
    } else if (vertical) {
        drawLine(bitmap, {w, cy}, {0, cy}, DefaultBlack);
        drawLine(bitmap, {0, cy}, {cx, 0}, DefaultBlack);
        drawLine(bitmap, {0, cy}, {cx, h}, DefaultBlack);
    } else {
        drawLine(bitmap, {cx, h}, {cx, 0}, DefaultBlack);
        drawLine(bitmap, {cx, 0}, {0, cy}, DefaultBlack);
        drawLine(bitmap, {cx, 0}, {w, cy}, DefaultBlack);
    }
}

bool NactiSkinData(const QString &folder, SkinData &skin, QString *error) {
    const SkinFolder files(folder);

    skin.sharp = SkinBitmaps();
    skin.sharpFiles.clear();
    const auto load = [&](const QString &path, QImage SkinBitmaps::*bitmap) {
        if (!loadBitmap(path, skin.*bitmap, error))
            return false;
        const QString sharpPath = sharpFile(files, path);
        if (!sharpPath.isEmpty())
            skin.sharpFiles.emplace_back(bitmap, sharpPath);
        return true;
    };

    const struct {
        const char *file;
        QImage SkinBitmaps::*bitmap;
        int w, h;
        bool vertical, marker;
    } drawn[] = {
        {"start.bmp", &SkinBitmaps::start, 1, 64, false, false},
        {"middle.bmp", &SkinBitmaps::middle, 5, 64, false, false},
        {"end.bmp", &SkinBitmaps::end, 1, 64, false, false},
        {"vstart.bmp", &SkinBitmaps::vstart, 90, 1, true, false},
        {"vmiddle.bmp", &SkinBitmaps::vmiddle, 90, 5, true, false},
        {"vend.bmp", &SkinBitmaps::vend, 90, 1, true, false},
        {"arrow.bmp", &SkinBitmaps::arrow, 9, 21, false, false},
        {"varrow.bmp", &SkinBitmaps::varrow, 21, 9, true, false},
        {"mark.bmp", &SkinBitmaps::mark, 3, 10, false, true},
        {"vmark.bmp", &SkinBitmaps::vmark, 10, 3, true, true},
    };
    for (int i = 0; i < int(std::size(drawn)); ++i) {
        const auto &entry = drawn[i];
        const QString path = files.find(QLatin1String(entry.file));
        if (!path.isEmpty()) {
            if (!load(path, entry.bitmap))
                return false;
        } else if (i < 6) {
            VychoziDilek(skin.*entry.bitmap, entry.w, entry.h);
        } else {
            VychoziUkazatel(skin.*entry.bitmap, entry.w, entry.h, entry.vertical, entry.marker);
        }
    }

    const struct {
        const char *longName;
        const char *shortName;
        QImage SkinBitmaps::*bitmap;
    } buttons[] = {
        {"ButtonRotate.bmp", "b1.bmp", &SkinBitmaps::buttonRotate},
        {"ButtonInvert.bmp", "b2.bmp", &SkinBitmaps::buttonInvert},
        {"ButtonTools.bmp", "b3.bmp", &SkinBitmaps::buttonTools},
        {"ButtonInfo.bmp", "b4.bmp", &SkinBitmaps::buttonInfo},
        {"ButtonExit.bmp", "b5.bmp", &SkinBitmaps::buttonExit},
        {"ButtonUnits.bmp", "b6.bmp", &SkinBitmaps::buttonUnits},
        {"ResizeArrow.bmp", "i1.bmp", &SkinBitmaps::resizeArrow},
    };
    for (const auto &button : buttons) {
        QString path = files.find(QLatin1String(button.longName));
        if (path.isEmpty())
            path = files.find(QLatin1String(button.shortName));
        if (!path.isEmpty() && !load(path, button.bitmap))
            return false;
    }

    QString iniPath = files.find(QStringLiteral("skin.ini"));
    if (iniPath.isEmpty() && !folder.isEmpty())
        iniPath = QDir(folder).filePath(QStringLiteral("skin.ini")); // reads as empty
    const IniFile ini(iniPath);
    const QString author = QStringLiteral("Author");
    skin.author = ini.readString(author, QStringLiteral("Author"), QString());
    skin.email = ini.readString(author, QStringLiteral("e-mail"), QString());
    skin.www = ini.readString(author, QStringLiteral("www"), QString());
    skin.horizontal =
        readSection(ini, QStringLiteral("Horizontal"), SkinSection::defaultHorizontal(),
                    skin.arrow.width() / 2, skin.mark.width() / 2);
    skin.vertical = readSection(ini, QStringLiteral("Vertical"), SkinSection::defaultVertical(),
                                skin.varrow.height() / 2, skin.vmark.height() / 2);
    return readColour(ini, "Number.color", "clBlack", skin.numberColour, error) &&
           readColour(ini, "Unit.color", "clBlack", skin.unitColour, error) &&
           readColour(ini, "Unit.color2", "clRed", skin.unitColour2, error) &&
           readColour(ini, "Meter.color", "clBlack", skin.meterColour, error) &&
           readColour(ini, "Meter.Numbers.color", "clBlack", skin.meterNumbersColour, error);
}

QImage transparentPicture(const QImage &bitmap) {
    if (bitmap.isNull())
        return bitmap;
    const QColor key =
        bitmap.depth() == 1 ? QColor(Qt::white) : bitmap.pixelColor(0, bitmap.height() - 1);
    return transparentByColour(bitmap, key);
}

namespace {

// A pointer's centre column (row): the one that must land on a single device pixel.
struct Centre {
    bool vertical = false;
    int at = -1; // -1: the picture has none
};

QImage atRatio(const QImage &plain, const QImage &sharp, double ratio, bool keyed,
               Centre centre = {}) {
    if (plain.isNull())
        return plain;
    const bool useSharp = ratio >= SharpPictureRatio && !sharp.isNull();
    const QImage &source = useSharp ? sharp : plain;
    QImage shown = keyed ? transparentPicture(source) : asRgb32(source);
    const QSize size = deviceSize(plain.size(), ratio);
    if (shown.size() != size && centre.at < 0) {
        // Alpha is premultiplied while scaling, so transparent pixels lend no colour to edges.
        if (keyed)
            shown = shown.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        shown = shown.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else if (shown.size() != size) {
        // A pointer is scaled about its centre, so that the centre's middle falls on the
        // middle of one device pixel and that pixel carries the reading alone. A sharp
        // picture has its centre in the right one of the two pixels of the plain centre.
        const auto along = [&](const QImage &image) {
            return centre.vertical ? image.height() : image.width();
        };
        const int device =
            deviceCentre(centre.at, along(plain), centre.vertical ? size.height() : size.width());
        const double scale = double(centre.vertical ? size.height() : size.width()) / along(source);
        const int sourceCentre = useSharp ? 2 * centre.at + 1 : centre.at;
        const double shift = device + 0.5 - (sourceCentre + 0.5) * scale;
        QImage scaled(size, QImage::Format_ARGB32_Premultiplied);
        scaled.fill(Qt::transparent);
        QPainter painter(&scaled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(centre.vertical ? 0 : shift, centre.vertical ? shift : 0);
        painter.scale(double(size.width()) / source.width(),
                      double(size.height()) / source.height());
        painter.drawImage(0, 0, shown);
        painter.end();
        shown = scaled;
    }
    shown.setDevicePixelRatio(ratio);
    return shown;
}

} // namespace

void readSharpBitmaps(SkinData &skin) {
    for (const auto &[bitmap, path] : skin.sharpFiles) {
        const QImage image = readSkinBitmap(path);
        if (image.size() == (skin.*bitmap).size() * 2)
            skin.sharp.*bitmap = image;
    }
    skin.sharpFiles.clear();
}

SkinBitmaps shownBitmaps(SkinData &skin, double ratio) {
    // Most screens never need the sharp pictures; reading them costs the start half its files.
    if (ratio >= SharpPictureRatio)
        readSharpBitmaps(skin);
    using B = SkinBitmaps;
    static constexpr QImage B::*pieces[] = {&B::start,  &B::middle,  &B::end,
                                            &B::vstart, &B::vmiddle, &B::vend};
    static constexpr QImage B::*buttons[] = {&B::buttonRotate, &B::buttonInvert, &B::buttonTools,
                                             &B::buttonInfo,   &B::buttonExit,   &B::buttonUnits,
                                             &B::resizeArrow};
    const std::pair<QImage B::*, Centre> pointers[] = {
        {&B::arrow, {false, skin.horizontal.arrowCenter}},
        {&B::varrow, {true, skin.vertical.arrowCenter}},
        {&B::mark, {false, skin.horizontal.markCenter}},
        {&B::vmark, {true, skin.vertical.markCenter}}};
    SkinBitmaps shown;
    for (QImage B::*piece : pieces)
        shown.*piece = atRatio(skin.*piece, skin.sharp.*piece, ratio, false);
    for (QImage B::*button : buttons)
        shown.*button = atRatio(skin.*button, skin.sharp.*button, ratio, true);
    for (const auto &[pointer, centre] : pointers)
        shown.*pointer = atRatio(skin.*pointer, skin.sharp.*pointer, ratio, true, centre);
    return shown;
}

void drawMissingPieces(SkinData &skin) {
    const std::tuple<QImage *, int, int> pieces[] = {{&skin.start, 1, 64},   {&skin.middle, 5, 64},
                                                     {&skin.end, 1, 64},     {&skin.vstart, 90, 1},
                                                     {&skin.vmiddle, 90, 5}, {&skin.vend, 90, 1}};
    for (const auto &[image, w, h] : pieces)
        if (image->isNull())
            VychoziDilek(*image, w, h);
    const std::tuple<QImage *, int, int, bool, bool> pointers[] = {
        {&skin.arrow, 9, 21, false, false},
        {&skin.varrow, 21, 9, true, false},
        {&skin.mark, 3, 10, false, true},
        {&skin.vmark, 10, 3, true, true}};
    for (const auto &[image, w, h, vertical, marker] : pointers)
        if (image->isNull())
            VychoziUkazatel(*image, w, h, vertical, marker);
}
