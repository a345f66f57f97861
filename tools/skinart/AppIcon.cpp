#include "AppIcon.h"

#include "Canvas.h"

#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

// The drawing on a 32 x 32 square, in the ruler's own coordinates: its centre at the square's
// centre, its length along x, turned by `angle`.
constexpr qreal centre = 16;
constexpr qreal angle = -35;
const QRectF body(-15, -6, 30, 12);
constexpr qreal corner = 2;
constexpr qreal outlineWidth = 1;
const QColor outline("#8a6208");
const QColor ink("#3d2b00");
constexpr qreal tickWidth = 0.9;
// Light falls from the top edge onto the plastic.
const std::pair<qreal, QColor> plastic[] = {
    {0, QColor("#fff1a8")}, {0.45, QColor("#ffe066")}, {1, QColor("#f5b82a")}};

struct Tick {
    qreal x, length;
};

// Millimetre-like ticks, long at every fifth. Below 24 pixels only every second one is drawn,
// thicker, so that the scale still reads as ticks rather than a grey smear.
QVector<Tick> ticks(bool small) {
    QVector<Tick> result;
    for (int k = 0; k <= 10; ++k) {
        if (small && k % 2 != 0)
            continue;
        const qreal length = k % 5 == 0 ? 5.5 : k % 2 == 0 ? 3.5 : 2.5;
        result.push_back({-12.5 + 2.5 * k, length});
    }
    return result;
}

void paint(QPainter &painter, bool small) {
    painter.translate(centre, centre);
    painter.rotate(angle);
    QLinearGradient gradient(0, body.top(), 0, body.bottom());
    for (const auto &[at, colour] : plastic)
        gradient.setColorAt(at, colour);
    painter.setPen(QPen(outline, outlineWidth));
    painter.setBrush(gradient);
    painter.drawRoundedRect(body, corner, corner);
    painter.setPen(QPen(ink, small ? 2 * tickWidth : tickWidth, Qt::SolidLine, Qt::FlatCap));
    for (const Tick &tick : ticks(small))
        painter.drawLine(QPointF(tick.x, body.top() + 0.5),
                         QPointF(tick.x, body.top() + tick.length));
}

QImage png(int size) {
    QImage image = newCanvas(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    paint(painter, size < 24);
    return image;
}

QString svg() {
    QString text;
    QTextStream out(&text);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
           "viewBox=\"0 0 32 32\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"plastic\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\""
        << body.top() << "\" x2=\"0\" y2=\"" << body.bottom() << "\">\n";
    for (const auto &[at, colour] : plastic)
        out << "      <stop offset=\"" << at << "\" stop-color=\"" << colour.name() << "\"/>\n";
    out << "    </linearGradient>\n"
        << "  </defs>\n"
        << "  <g transform=\"translate(" << centre << ' ' << centre << ") rotate(" << angle
        << ")\">\n"
        << "    <rect x=\"" << body.x() << "\" y=\"" << body.y() << "\" width=\"" << body.width()
        << "\" height=\"" << body.height() << "\" rx=\"" << corner << "\" fill=\"url(#plastic)\" "
        << "stroke=\"" << outline.name() << "\" stroke-width=\"" << outlineWidth << "\"/>\n"
        << "    <path fill=\"none\" stroke=\"" << ink.name() << "\" stroke-width=\"" << tickWidth
        << "\" d=\"";
    for (const Tick &tick : ticks(false))
        out << 'M' << tick.x << ' ' << body.top() + 0.5 << 'V' << body.top() + tick.length;
    out << "\"/>\n"
        << "  </g>\n"
        << "</svg>\n";
    return text;
}

void saveText(const QString &text, const QString &path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

} // namespace

void writeAppIcons(const QString &source) {
    // The window's own copies are read as the ruler starts.
    saveBmpWithAlpha(png(32), source + "/forms/ruler/icons/tavlinko.bmp");
    saveBmpWithAlpha(png(64), source + "/forms/ruler/icons/tavlinko@2x.bmp");
    const QString hicolor = source + "/data/icons/hicolor/";
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = hicolor + QString("%1x%1/apps").arg(size);
        QDir().mkpath(folder);
        savePng(png(size), folder + "/tavlinko.png");
    }
    saveText(svg(), hicolor + "scalable/apps/tavlinko.svg");
}
