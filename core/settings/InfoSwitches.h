#pragma once

#include <QString>
#include <QStringList>

// What a Linux user types first to learn about a program: --help or -h for its usage, --version
// for its version. Either is answered on the terminal before any window or display is touched.
// Only these exact spellings count, so that every other argument keeps the meaning the ruler's
// own switches give it.
enum class InfoRequest { None, Usage, Version };

// The first of --help, -h and --version among the arguments (without the program name).
InfoRequest infoRequest(const QStringList &arguments);

// The answer to a request, ending with a line break: the six switches, or the program's name
// and version.
QString infoText(InfoRequest request, const QString &version);
