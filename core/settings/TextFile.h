#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The files the ruler reads come from anywhere: settings from other machines, skins and
// language files from the web. A path may name a FIFO (reading would block start-up forever),
// a device such as /dev/zero (reading would never end) or a huge file. Only regular files are
// read, and only up to a size no genuine file of its kind comes near.

// Settings, skin descriptions, definition and language files: the longest real ones are a few
// dozen kilobytes.
constexpr qint64 TextFileSizeCap = qint64(1) << 20;
// Skin bitmaps: a 2048 x 2048 picture at 32 bits per pixel, far beyond any bar piece or button.
constexpr qint64 BitmapFileSizeCap = qint64(16) << 20;

struct FileContents {
    enum Status {
        Read,       // bytes holds the whole file
        Missing,    // nothing there, or a folder where a file belongs
        NotRegular, // a FIFO, a device or a socket
        TooLarge,   // larger than the cap; nothing was read
        Unreadable, // a regular file that could not be opened or read; error says why
    };
    Status status = Missing;
    QByteArray bytes;
    QString error;
};

// Reads path when it is a regular file (or a link to one) of at most cap bytes. Opening never
// blocks, whatever the path names.
FileContents readRegularFile(const QString &path, qint64 cap);

// Whether path names a regular file (or a link to one), as readRegularFile would read it.
bool isRegularFile(const QString &path);

// Texts from files become window titles and tooltips, which reach the window system: a title of
// megabytes ends the X connection. A shown text is cut at this length, which no caption or
// message comes near.
constexpr qsizetype ShownTextLengthCap = 2000;
QString capShownText(const QString &text);

// Language files, skin descriptions and settings files come from two worlds: older ones were
// saved in the Central European Windows code page, newer ones in UTF-8. Bytes that form valid
// UTF-8 are taken as UTF-8 (a leading byte order mark is dropped); anything else is read as
// Windows-1250, which maps every byte, so no file is ever rejected.
QString decodeText(const QByteArray &bytes);

// The whole text file decoded as above; anything that readRegularFile does not read in full
// reads as empty text.
QString readTextFile(const QString &path);

// Files edited on both Windows and Linux mix their line ends, and an old Mac editor leaves lone
// CRs: a line ends at CR LF, LF or CR, in any mix. A final line end does not start an empty
// line. lineEnding, when given, receives the kind the text used most (CR LF on a tie, LF when
// there is none), so a rewrite keeps the file's own style.
QStringList splitLines(const QString &text, QString *lineEnding = nullptr);

// Replaces the file at path with bytes in one step: written to a temporary file beside it,
// flushed and synced, every step checked, and renamed over the old file only when all of it
// reached the disk. On failure the old file is untouched, no temporary file stays, error says
// why and the result is false. A path that names a link writes the file it points to.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error);

// A kill between the write and the rename above leaves the temporary file behind. Removes those
// left beside path (they follow a pattern no user file has) and returns how many went.
int removeStaleTemporaryFiles(const QString &path);
