#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QIcon>
#include <QImage>
#include <QString>

// Every picture the program reads is of a format it knows beforehand. Left to guess, Qt's reader
// first asks each image-format plug-in whether it can read the picture, which loads them all,
// and the JPEG library with them, before the first bitmap of the ruler is shown.

// The picture device holds, read as format ("bmp", "png"), or a null image.
QImage readPicture(QIODevice &device, const QByteArray &format);

// A picture built into the program, read as the format its name ends in; a null image when
// there is none.
QImage builtInPicture(const QString &path);

// An icon of a built-in picture together with its twice-as-large drawing ("tavlinko@2x.bmp"
// beside "tavlinko.bmp") where there is one, for screens of high density.
QIcon builtInIcon(const QString &path);
