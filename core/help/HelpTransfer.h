#pragma once

#include "core/help/HelpArchive.h"

#include <QByteArray>
#include <QString>

// How the help file reader, a child process, hands the files of a help file to the ruler: a
// header, then one record a file (the path's length and UTF-8 bytes, the content's length and
// bytes, lengths as 32-bit little-endian numbers), then a record with an empty path. Both sides
// keep to the same caps, so a file built to exhaust memory is cut off on either side.
namespace HelpTransfer {

// The help file itself; the shipped one is a quarter of a megabyte.
constexpr qint64 largestHelpFile = 64 * 1024 * 1024;
constexpr qsizetype mostFiles = 4096;
// A larger page, picture or style sheet is left out.
constexpr qsizetype largestFile = 16 * 1024 * 1024;
constexpr qsizetype largestTotal = 64 * 1024 * 1024;
constexpr qsizetype longestPath = 1024;

QByteArray header();
// Empty when the path or the content is beyond the caps.
QByteArray record(const QString &path, const QByteArray &bytes);
QByteArray end();

// Reads the transfer as it arrives, in pieces of any size, in time linear in its length.
class Decoder {
public:
    enum class State { Reading, Complete, Broken };

    explicit Decoder(const QString &fileName) : m_archive(fileName) {}

    State feed(const QByteArray &piece);
    State state() const { return m_state; }
    const HelpArchive &archive() const { return m_archive; }

private:
    bool takeRecord();

    HelpArchive m_archive;
    QByteArray m_pending;
    qsizetype m_read = 0; // of m_pending
    qsizetype m_total = 0;
    qsizetype m_files = 0;
    bool m_headerRead = false;
    State m_state = State::Reading;
};

} // namespace HelpTransfer
