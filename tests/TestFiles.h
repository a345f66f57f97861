#pragma once

// Files the tests write and read back byte for byte.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

// Writes bytes to path, creating its folders.
inline void writeFile(const QString &path, const QByteArray &bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The unit lines a first run writes, as they stand in the file.
inline const QByteArray firstRunUnitLines = "[Jednotky]\n"
                                            "1=Pixel;px;1;0;5\n"
                                            "2=Centimetr;cm;1;1;0,1\n"
                                            "3=Palec;in;1;2;0,1\n"
                                            "4=Procenta d\xc3\xa9lky;%;1;3;1\n"
                                            "5=-;Xx;1;0;10\n"
                                            "6=Decimetr;dm;10;1;0,05\n"
                                            "7=Stopa;ft;12;2;0,01\n"
                                            "8=-;Xx;1;0;10\n"
                                            "9=Mapa 1:10 000;m;0,01;1;20\n"
                                            "10=Mapa 1:100 000;km;1;1;0,1\n"
                                            "11=Mapa 1:200 000;km;0,5;1;0,2\n";
