#pragma once

// What every fuzz target shares: a GUI application on the offscreen platform (the drawing
// needs fonts), a private folder for the files the readers take, and a way to hand them bytes.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace fuzz {

inline void startApplication() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

// A folder that lives as long as the fuzzer; ends with a separator.
inline const QString &folder() {
    static QTemporaryDir dir;
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

// Writes the bytes to a file below the folder and returns its path.
inline QString writeInput(const QString &relative, const uint8_t *data, size_t size) {
    const QString path = folder() + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

inline QByteArray bytes(const uint8_t *data, size_t size) {
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace fuzz
