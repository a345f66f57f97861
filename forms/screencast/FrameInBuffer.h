#pragma once

#include <QImage>
#include <QSize>

// A frame in a buffer's memory, `size` pixels of 4 bytes in `format`, `stride` bytes a row (0:
// rows packed), starting `offset` bytes into the `maxSize` bytes at `data`: null unless it all
// lies within them. The image uses the memory as it is.
QImage frameInBuffer(const void *data, quint32 maxSize, quint32 offset, qint32 stride, QSize size,
                     QImage::Format format);

struct spa_buffer;

// The frame a PipeWire buffer holds, in its first plane: null when the buffer has no plane, when
// the desktop marked the plane's data corrupted, or when the frame does not lie within it.
QImage frameOfBuffer(const spa_buffer &buffer, QSize size, QImage::Format format);
