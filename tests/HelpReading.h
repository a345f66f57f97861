#pragma once

// A help file as the ruler gets it: read by the help file reader program in a child process.

#include "core/help/HelpFileReader.h"

#include <QtTest>
#include <memory>

// The files the reader hands over, or null when it fails. Needs a running application.
inline std::shared_ptr<const HelpArchive>
readThroughReader(const QString &path,
                  const QString &program = QStringLiteral(TAVLINKO_HELP_READER)) {
    HelpFileReader reader(program);
    std::shared_ptr<const HelpArchive> result;
    bool done = false;
    QObject::connect(&reader, &HelpFileReader::loaded,
                     [&](std::shared_ptr<const HelpArchive> archive) {
                         result = archive;
                         done = true;
                     });
    QObject::connect(&reader, &HelpFileReader::failed, [&] { done = true; });
    QObject::connect(&reader, &HelpFileReader::readerMissing, [&] { done = true; });
    reader.read(path);
    (void)QTest::qWaitFor([&] { return done; }, HelpFileReader::timeLimitMs + 5000);
    return result;
}
