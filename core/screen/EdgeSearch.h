#pragma once

#include <QImage>
#include <QRgb>
#include <QVector>
#include <optional>
#include <span>

// Edges in a line of screen pixels. An edge lies on the boundary between two pixels: boundary
// i separates pixel i - 1 from pixel i (pixel i covers i to i + 1), so a box ten pixels wide
// has its edges ten apart. Neighbours differ at an edge by more than a tolerance, compared by
// the largest difference of their red, green and blue.

// Ignores the noise of compressed pictures and of gentle gradients, yet finds a light grey
// one-pixel line (#d8d8d8) on white.
constexpr int defaultEdgeTolerance = 24;
constexpr int largestEdgeTolerance = 254; // 255 would find no edge at all
// How far from a press the nearest edge is looked for, in device pixels.
constexpr int edgeSnapReach = 4;

int pixelDifference(QRgb a, QRgb b);

// The boundaries 1 .. line.size() - 1 that are edges, in ascending order. An anti-aliased edge
// is a ramp of steps that all go the same way; it counts once, at its steepest step (the first
// of equals), so smoothing does not make one edge into two.
QVector<int> findEdges(std::span<const QRgb> line, int tolerance);

// The edge nearest to boundary `press` at most `reach` away; press itself when there is none.
// Of two edges equally near, the one before the press.
int snapToEdge(std::span<const QRgb> line, int press, int reach, int tolerance);

// Two edges of the same line: a length between them.
struct EdgeSpan {
    int start = 0;
    int end = 0;
    int length() const { return end - start; }
    friend bool operator==(const EdgeSpan &, const EdgeSpan &) = default;
};

// The nearest edge at or before boundary `pixel` and the nearest one after it: the span of the
// pixel's run of alike pixels. None when either side has no edge within the line.
std::optional<EdgeSpan> spanAround(std::span<const QRgb> line, int pixel, int tolerance);

// One row (horizontal) or one column of a picture, as colours without alpha.
QVector<QRgb> imageLine(const QImage &image, Qt::Orientation orientation, int index = 0);
