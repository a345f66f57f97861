#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

// Where a pixel of the ruler's X screen lies in the frames of screen-cast streams. In a Wayland
// session the ruler runs under XWayland and measures in X pixels, while the desktop portal casts
// each monitor as a stream of its own: the stream's position and size in the compositor's
// logical coordinates, and frames of the monitor's own pixels. Between the two stands
// XWayland's scale: X pixels per logical pixel, 1 where the compositor enlarges X11 windows
// itself, the monitors' scale where XWayland scales them (and then one X pixel is one pixel of
// the monitor at that scale).

struct CastStream {
    QRect logical; // position and size, in the compositor's logical coordinates
    QSize frame;   // the size of its frames, in the monitor's pixels
};

struct StreamPixel {
    int stream = -1; // index into the streams
    QPoint pixel;    // in that stream's frames
    friend bool operator==(const StreamPixel &, const StreamPixel &) = default;
};

// XWayland's scale found from the size of its X screen (in X pixels) and the streams' logical
// places: the X screen spans all monitors, so it is as many times wider than their logical
// bounds as XWayland scales. 1 when either is unknown.
double xwaylandScale(QSize xScreen, const QList<CastStream> &streams);

// The frame pixel under the middle of X pixel `x`: none where no stream shows it.
std::optional<StreamPixel> streamPixelOf(QPoint x, const QList<CastStream> &streams, double xScale);

// The pixels of `area` (X pixels) taken from the streams' latest frames (one per stream, in
// the streams' order): pixels that no stream shows, or whose frame is missing, stay unread
// (see OwnWindows.h).
QImage pictureFromFrames(const QRect &area, const QList<CastStream> &streams,
                         const QList<QImage> &frames, double xScale);
