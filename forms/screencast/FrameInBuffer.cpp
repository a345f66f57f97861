#include "forms/screencast/FrameInBuffer.h"

#include <spa/buffer/buffer.h>

QImage frameInBuffer(const void *data, quint32 maxSize, quint32 offset, qint32 stride, QSize size,
                     QImage::Format format) {
    const qint64 row = qint64(size.width()) * 4;
    const qint64 step = stride == 0 ? row : stride;
    if (!data || format == QImage::Format_Invalid || size.isEmpty() || step < row ||
        offset + step * (size.height() - 1) + row > maxSize)
        return {};
    return QImage(static_cast<const uchar *>(data) + offset, size.width(), size.height(), step,
                  format);
}

QImage frameOfBuffer(const spa_buffer &buffer, QSize size, QImage::Format format) {
    if (buffer.n_datas == 0 || !buffer.datas)
        return {};
    const spa_data &plane = buffer.datas[0];
    if (!plane.chunk || (plane.chunk->flags & SPA_CHUNK_FLAG_CORRUPTED))
        return {};
    return frameInBuffer(plane.data, plane.maxsize, plane.chunk->offset, plane.chunk->stride, size,
                         format);
}
