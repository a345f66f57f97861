#include "SkinWriter.h"

#include "Canvas.h"
#include "Glyphs.h"
#include "PointerPainter.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

// Blends a button's edges into the bar exactly where the horizontal layout puts it; standing,
// the bar under it is close enough in colour that the difference does not show.
QImage onBar(const QImage &drawing, Control control, const SkinArt &skin, const QImage &bar,
             int scale) {
    const SectionLayout &layout = skin.horizontal;
    const Place place = layout.places[control];
    const QRect rect = placeControl({place.x * scale, place.y * scale}, drawing.size(),
                                    QSize(defaultLength, layout.ruleHeight) * scale);
    return flattenOnBar(drawing, bar, rect.topLeft());
}

// Skin colours are 0x00BBGGRR integers written in "$" hexadecimal.
QString colourValue(const QColor &colour) {
    return QString("$00%1%2%3")
        .arg(colour.blue(), 2, 16, QChar('0'))
        .arg(colour.green(), 2, 16, QChar('0'))
        .arg(colour.red(), 2, 16, QChar('0'))
        .toUpper();
}

void writeSection(QTextStream &out, const char *name, const SectionLayout &layout, int arrowCenter,
                  int markCenter) {
    out << '[' << name << "]\n";
    out << "rule.height=" << layout.ruleHeight << '\n';
    out << "rule.MinSize=" << layout.minSize << '\n';
    for (int control = 0; control < ControlCount; ++control) {
        const char *key = controlKey(static_cast<Control>(control));
        out << key << ".x=" << layout.places[control].x << '\n';
        out << key << ".y=" << layout.places[control].y << '\n';
    }
    out << "Arrow.center=" << arrowCenter << '\n';
    out << "Mark.center=" << markCenter << "\n\n";
}

void writeIni(const SkinArt &skin, const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    QTextStream out(&file);
    out << "; Tavlinko skin \"" << skin.name << "\", drawn by tools/skinart\n\n";
    // The shipped skins have no mail or web address of their own: the keys stay, empty, as an
    // example for skin makers, and the about dialog shows no link.
    out << "[Author]\nAuthor=Tavlinko team\ne-mail=\nwww=\n\n";
    writeSection(out, "Horizontal", skin.horizontal, ArtSize::arrowCenter, ArtSize::markCenter);
    writeSection(out, "Vertical", skin.vertical, ArtSize::arrowCenter, ArtSize::markCenter);
    const SkinColours &c = skin.colours;
    out << "[Colors]\n";
    out << "Number.color=" << colourValue(c.number) << '\n';
    out << "Unit.color=" << colourValue(c.unit) << '\n';
    out << "Unit.color2=" << colourValue(c.unitHover) << '\n';
    out << "Meter.color=" << colourValue(c.meter) << '\n';
    out << "Meter.Numbers.color=" << colourValue(c.meterNumbers) << '\n';
}

} // namespace

SkinPictures drawSkin(const SkinArt &skin, int scale) {
    SkinPictures pictures;
    pictures.horizontal = paintBarPieces(skin.bar, skin.horizontal, false, scale);
    pictures.vertical = paintBarPieces(skin.bar, skin.vertical, true, scale);
    const BarPieces &h = pictures.horizontal;
    const BarPieces &v = pictures.vertical;
    const int length = defaultLength * scale;
    const QImage bar = composeBar(h.start, h.middle, h.end, length, false);
    const QImage standing = composeBar(v.start, v.middle, v.end, length, true);

    // Pointers travel along the scale band, which looks the same everywhere along the bar.
    const int along = length / 2;
    const QImage arrow = paintArrow(skin.pointers, scale);
    const QImage mark = paintMark(skin.pointers, scale);
    pictures.arrow = flattenOnBar(arrow, bar, {along, 0});
    pictures.varrow = flattenOnBar(transposed(arrow), standing, {0, along});
    pictures.mark = flattenOnBar(mark, bar, {along, 0});
    pictures.vmark = flattenOnBar(transposed(mark), standing, {0, along});

    for (int glyph = 0; glyph < GlyphCount; ++glyph)
        pictures.buttons[glyph] =
            onBar(paintButton(skin.buttons, static_cast<Glyph>(glyph), scale),
                  static_cast<Control>(ButtonRotate + glyph), skin, bar, scale);
    pictures.units = onBar(paintUnitsButton(skin.buttons, scale), ButtonUnits, skin, bar, scale);
    pictures.resize = onBar(paintResizeArrow(skin.buttons, scale), ResizeArrow, skin, bar, scale);
    return pictures;
}

namespace {

void writeButtonFiles(const SkinPictures &pictures, const QString &folder, const QString &suffix) {
    for (int glyph = 0; glyph < GlyphCount; ++glyph)
        saveBmp(
            pictures.buttons[glyph],
            folder + '/' +
                QString(glyphFileName(static_cast<Glyph>(glyph))).replace(".bmp", suffix + ".bmp"));
    saveBmp(pictures.units, folder + "/ButtonUnits" + suffix + ".bmp");
    saveBmp(pictures.resize, folder + "/ResizeArrow" + suffix + ".bmp");
}

void writePictures(const SkinPictures &pictures, const QString &folder, const QString &suffix) {
    const auto save = [&](const QImage &image, const char *name) {
        saveBmp(image, folder + '/' + name + suffix + ".bmp");
    };
    save(pictures.horizontal.start, "start");
    save(pictures.horizontal.middle, "middle");
    save(pictures.horizontal.end, "end");
    save(pictures.vertical.start, "vstart");
    save(pictures.vertical.middle, "vmiddle");
    save(pictures.vertical.end, "vend");
    save(pictures.arrow, "arrow");
    save(pictures.varrow, "varrow");
    save(pictures.mark, "mark");
    save(pictures.vmark, "vmark");
    writeButtonFiles(pictures, folder, suffix);
}

} // namespace

void writeButtons(const SkinPictures &pictures, const QString &folder) {
    writeButtonFiles(pictures, folder, QString());
}

void writeSkin(const SkinArt &skin, const SkinPictures &pictures, const SkinPictures &sharp,
               const QString &folder) {
    writePictures(pictures, folder, QString());
    writePictures(sharp, folder, QStringLiteral("@2x"));
    writeIni(skin, folder + "/skin.ini");
}
