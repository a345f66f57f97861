#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QVector>

// Pixels of a read that show the ruler's own windows are not what the screen shows beneath
// them, and neither is a place a window of ours left a moment ago: the program there has not
// painted it again yet. Such pixels stay in the picture with an alpha of zero, "unread", so
// that no tool takes them for content.

inline bool isRead(QRgb pixel) {
    return qAlpha(pixel) != 0;
}

// `read` shows the device pixels from `origin` on; every pixel inside one of `ownWindows`
// (device pixels of the desktop) becomes unread.
QImage withOwnWindowsUnread(const QImage &read, QPoint origin, const QList<QRect> &ownWindows);

// Whether every pixel of the picture was read.
bool wholeRead(const QImage &picture);

// The pixels of a strip one pixel thick (a row or a column), in order, for the edge search:
// unread pixels at either end (beyond the screen, under a window of ours) take the colour of the
// nearest read one, so that no edge is found where nothing was read. Empty when an unread pixel
// lies between read ones or none was read: an edge found beside it could be a window of ours.
QVector<QRgb> lineWithUnreadEndsFilled(const QImage &strip);
