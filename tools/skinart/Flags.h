#pragma once

#include <QString>

// czech.bmp, english.bmp and german.bmp, 20 x 13, for the language files in folder.
void writeFlags(const QString &folder);
