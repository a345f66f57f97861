#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Skin pictures are BMP files from anywhere. Qt's reader accepts a file whose pixel data is cut
// short and hands back a picture whose missing rows are whatever memory held; such a file is
// refused here instead. The key colour is the only transparency of a skin, so an alpha channel
// that a 32-bit file may carry is dropped: a zero alpha must not make a picture invisible.

// The decoded picture, or a null image when bytes are no complete BMP.
QImage decodeSkinBitmap(const QByteArray &bytes);

// Reads path (a regular file up to the bitmap size cap) and decodes it as above; a null image
// when it cannot.
QImage readSkinBitmap(const QString &path);

// Whether the BMP's pixel data is all there: the rows an uncompressed file promises, or an RLE
// stream that ends its picture within the file.
bool bitmapDataComplete(const QByteArray &bytes);
