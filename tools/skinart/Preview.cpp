#include "Preview.h"

#include "Canvas.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// What the window does with a keyed bitmap: the bottom-left pixel's colour becomes see-through.
QImage keyed(const QImage &bitmap) {
    QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == key)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return image;
}

QFont scaleFont() {
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    return font;
}

void drawScale(QPainter &painter, const SkinColours &colours, int length, bool vertical) {
    painter.setFont(scaleFont());
    const QFontMetrics metrics(painter.font());
    for (int i = 0; 5 * i <= length; ++i) {
        const int at = 5 * i;
        const int tick = i % 10 == 0 ? 8 : i % 5 == 0 ? 4 : 2;
        painter.setPen(colours.meter);
        if (vertical)
            painter.drawLine(0, at, tick - 1, at);
        else
            painter.drawLine(at, 0, at, tick - 1);
        if (i % 10 != 0)
            continue;
        const QString text = QString::number(at);
        painter.setPen(colours.meterNumbers);
        const int width = metrics.horizontalAdvance(text);
        const int height = metrics.height();
        if (vertical)
            painter.drawText(QRect(9, i == 0 ? 0 : at - height / 2, width, height), 0, text);
        else
            painter.drawText(QRect(i == 0 ? 0 : at - width / 2, 9, width, height), 0, text);
    }
}

QImage previewBar(const SkinArt &skin, const SkinPictures &pictures, bool vertical) {
    const BarPieces &pieces = vertical ? pictures.vertical : pictures.horizontal;
    const SectionLayout &layout = vertical ? skin.vertical : skin.horizontal;
    QImage bar = composeBar(pieces.start, pieces.middle, pieces.end, defaultLength, vertical);
    bar = bar.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QSize window = bar.size();
    QPainter painter(&bar);
    drawScale(painter, skin.colours, defaultLength, vertical);

    const auto put = [&](const QImage &bitmap, Control control) {
        const Place place = layout.places[control];
        const QImage picture = keyed(bitmap);
        QSize shown = picture.size();
        if (control == ResizeArrow)
            shown = {ArtSize::resize, ArtSize::resize};
        const QRect rect = placeControl({place.x, place.y}, shown, window);
        painter.drawImage(rect.topLeft(), picture, QRect(QPoint(0, 0), shown));
    };
    for (int glyph = 0; glyph < GlyphCount; ++glyph)
        put(pictures.buttons[glyph], static_cast<Control>(ButtonRotate + glyph));
    put(pictures.units, ButtonUnits);
    put(pictures.resize, ResizeArrow);

    const auto along = [vertical](int offset, int centre) {
        return vertical ? QPoint(0, offset - centre) : QPoint(offset - centre, 0);
    };
    for (const int marker : {130, 330})
        painter.drawImage(along(marker, ArtSize::markCenter),
                          keyed(vertical ? pictures.vmark : pictures.mark));
    painter.drawImage(along(235, ArtSize::arrowCenter),
                      keyed(vertical ? pictures.varrow : pictures.arrow));

    QFont readingFont("DejaVu Sans");
    readingFont.setPixelSize(ArtSize::readingText);
    painter.setFont(readingFont);
    const QString reading = "123,45";
    const QFontMetrics readingMetrics(readingFont);
    const QSize readingSize(readingMetrics.horizontalAdvance(reading), readingMetrics.height());
    const Place number = layout.places[Number];
    painter.setPen(skin.colours.number);
    painter.drawText(placeControl({number.x, number.y}, readingSize, window, true), Qt::AlignRight,
                     reading);

    QFont unitFont("DejaVu Sans");
    unitFont.setPixelSize(ArtSize::unitText);
    unitFont.setBold(true);
    painter.setFont(unitFont);
    const Place unit = layout.places[Unit];
    painter.setPen(skin.colours.unit);
    painter.drawText(
        placeControl({unit.x, unit.y}, {ArtSize::unitLabel, ArtSize::unitLabel}, window),
        Qt::AlignVCenter | Qt::AlignLeft, "cm");
    return bar;
}

} // namespace

QImage previewSkin(const SkinArt &skin, const SkinPictures &pictures) {
    const QImage lying = previewBar(skin, pictures, false);
    const QImage standing = previewBar(skin, pictures, true);
    const int margin = 16;
    QImage sheet(margin * 3 + lying.width() + standing.width(), margin * 2 + standing.height(),
                 QImage::Format_RGB32);
    // Half light desk, half dark desk: the bar has to sit well on both.
    QPainter painter(&sheet);
    painter.fillRect(QRect(0, 0, sheet.width(), sheet.height() / 2), QColor("#e9ecef"));
    painter.fillRect(QRect(0, sheet.height() / 2, sheet.width(), sheet.height()),
                     QColor("#3b4048"));
    painter.drawImage(margin, margin, lying);
    painter.drawImage(margin, sheet.height() / 2 + margin, lying);
    painter.drawImage(margin * 2 + lying.width(), margin, standing);
    return sheet;
}
