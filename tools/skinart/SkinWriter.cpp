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
QImage onBar(const QImage &drawing, Control control, const SkinArt &skin, const QImage &bar) {
    const SectionLayout &layout = skin.horizontal;
    const Place place = layout.places[control];
    const QRect rect =
        placeControl({place.x, place.y}, drawing.size(), {defaultLength, layout.ruleHeight});
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

SkinPictures drawSkin(const SkinArt &skin) {
    SkinPictures pictures;
    pictures.horizontal = paintBarPieces(skin.bar, skin.horizontal, false);
    pictures.vertical = paintBarPieces(skin.bar, skin.vertical, true);
    const BarPieces &h = pictures.horizontal;
    const BarPieces &v = pictures.vertical;
    const QImage bar = composeBar(h.start, h.middle, h.end, defaultLength, false);
    const QImage standing = composeBar(v.start, v.middle, v.end, defaultLength, true);

    // Pointers travel along the scale band, which looks the same everywhere along the bar.
    const int along = defaultLength / 2;
    const QImage arrow = paintArrow(skin.pointers);
    const QImage mark = paintMark(skin.pointers);
    pictures.arrow = flattenOnBar(arrow, bar, {along, 0});
    pictures.varrow = flattenOnBar(transposed(arrow), standing, {0, along});
    pictures.mark = flattenOnBar(mark, bar, {along, 0});
    pictures.vmark = flattenOnBar(transposed(mark), standing, {0, along});

    for (int glyph = 0; glyph < GlyphCount; ++glyph)
        pictures.buttons[glyph] = onBar(paintButton(skin.buttons, static_cast<Glyph>(glyph)),
                                        static_cast<Control>(ButtonRotate + glyph), skin, bar);
    pictures.units = onBar(paintUnitsButton(skin.buttons), ButtonUnits, skin, bar);
    pictures.resize = onBar(paintResizeArrow(skin.buttons), ResizeArrow, skin, bar);
    return pictures;
}

void writeButtons(const SkinPictures &pictures, const QString &folder) {
    for (int glyph = 0; glyph < GlyphCount; ++glyph)
        saveBmp(pictures.buttons[glyph], folder + '/' + glyphFileName(static_cast<Glyph>(glyph)));
    saveBmp(pictures.units, folder + "/ButtonUnits.bmp");
    saveBmp(pictures.resize, folder + "/ResizeArrow.bmp");
}

void writeSkin(const SkinArt &skin, const SkinPictures &pictures, const QString &folder) {
    saveBmp(pictures.horizontal.start, folder + "/start.bmp");
    saveBmp(pictures.horizontal.middle, folder + "/middle.bmp");
    saveBmp(pictures.horizontal.end, folder + "/end.bmp");
    saveBmp(pictures.vertical.start, folder + "/vstart.bmp");
    saveBmp(pictures.vertical.middle, folder + "/vmiddle.bmp");
    saveBmp(pictures.vertical.end, folder + "/vend.bmp");
    saveBmp(pictures.arrow, folder + "/arrow.bmp");
    saveBmp(pictures.varrow, folder + "/varrow.bmp");
    saveBmp(pictures.mark, folder + "/mark.bmp");
    saveBmp(pictures.vmark, folder + "/vmark.bmp");
    writeButtons(pictures, folder);
    writeIni(skin, folder + "/skin.ini");
}
