#pragma once

#include <QImage>
#include <QSize>

// A frame in a buffer's memory, `size` pixels of 4 bytes in `format`, `stride` bytes a row (0:
// rows packed), starting `offset` bytes into the `maxSize` bytes at `data`: null unless it all
// lies within them. The image uses the memory as it is.
QImage frameInBuffer(const void *data, quint32 maxSize, quint32 offset, qint32 stride, QSize size,
                     QImage::Format format);
