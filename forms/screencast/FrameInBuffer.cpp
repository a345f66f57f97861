#include "forms/screencast/FrameInBuffer.h"

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
