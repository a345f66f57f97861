#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

// The scale strip: 20 pixels high along a horizontal ruler, 35 wide along a vertical one.
constexpr int ScaleStripHeight = 20;
constexpr int ScaleStripWidth = 35;

// For a font that shows numbers only: digits, signs and separators need no text shaping, which
// looks the same for them and would read the font's shaping tables for nothing.
constexpr QFont::StyleStrategy numbersOnly = QFont::PreferNoShaping;

// The strip's background colour, which the window shows as transparent.
inline QColor scaleBackground() {
    return QColor(0, 255, 255);
}

// What one scale drawing needs. The tick spacing in pixels is carka * pixeluNaJednotku; the
// number at tick n is n * carka.
struct ScaleParams {
    int length = 0;              // strip length along the ruler, in device pixels
    double carka = 1;            // tick spacing in the current unit
    double pixeluNaJednotku = 1; // device pixels per current unit
    bool obracene = false;       // zero at the far (right or bottom) end
    double ratio = 1;            // device pixels per logical pixel of the screen
    QColor tickColour = Qt::black;
    QColor numberColour = Qt::black;
    QFont font = defaultScaleFont();

    double spacing() const { return carka * pixeluNaJednotku; }
    // The platform's default sans-serif at 8 points, fully hinted, without kerning and without
    // antialiasing (the drawing applies these to any font it is given).
    static QFont defaultScaleFont();
};

// Redraw the scale into strip, which becomes an RGB32 image of length x 20 (horizontal) or
// 35 x length (vertical) filled with scaleBackground() and carrying ticks of 8, 4 and 2 pixels
// at every tenth, fifth and other tick, with the numbers at the long ticks. On a screen whose
// ratio is not 1 the strip is drawn in device pixels for that screen: its thickness, the tick
// lengths and the font grow by the ratio, while every tick stays one device pixel wide at its
// device position; the image carries the ratio as its device pixel ratio. A spacing that is
// 0, negative or not finite leaves the strip empty. Ticks that would fall on a pixel already
// holding a tick at least as long are skipped, and so is a number that would come closer than
// half a digit to the one before it (counting from the zero end), so tiny spacings stay fast
// and readable.
void KresliTavlinkoHoriz(QImage &strip, const ScaleParams &params);
void KresliTavlinkoVertik(QImage &strip, const ScaleParams &params);

// The strip's thickness across the ruler in device pixels.
int scaleStripThickness(bool vertical, double ratio);

// The bar background of a window of the given size, built from a start piece, as many middle
// pieces as reach the end piece, and the end piece drawn last. Only the band of ruleHeight
// rows (horizontal) or columns (vertical) is taken from each piece, one to one. Areas that no
// piece covers stay black.
QImage Ramecek(const QImage &start, const QImage &middle, const QImage &end, bool horizontal,
               QSize window, int ruleHeight);
