#include "core/settings/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <algorithm>
#include <array>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

// Windows-1250 bytes 0x80..0xFF as Unicode. The five bytes the code page leaves undefined map
// to the C1 control with the same number, as Windows itself does.
constexpr std::array<char16_t, 128> windows1250Upper = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

QString decodeWindows1250(const QByteArray &bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b < 0x80 ? QChar(b) : QChar(windows1250Upper[b - 0x80]));
    }
    return text;
}

} // namespace

QString decodeText(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text; // the decoder drops a leading byte order mark itself
    return decodeWindows1250(bytes);
}

FileContents readRegularFile(const QString &path, qint64 cap) {
    FileContents contents;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return contents;
    if (!info.isFile()) {
        contents.status = FileContents::NotRegular;
        return contents;
    }
    QFile file;
#ifdef Q_OS_UNIX
    // The path may change between the look above and the open: open without blocking (a FIFO
    // would wait for a writer) and check what was really opened.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        contents.status = errno == ENOENT ? FileContents::Missing : FileContents::Unreadable;
        contents.error = QString::fromLocal8Bit(std::strerror(errno));
        return contents;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        contents.status = FileContents::NotRegular;
        return contents;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        contents.status = FileContents::Unreadable;
        contents.error = file.errorString();
        return contents;
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        contents.status = FileContents::Unreadable;
        contents.error = file.errorString();
        return contents;
    }
#endif
    const qint64 size = file.size();
    if (size > cap) {
        contents.status = FileContents::TooLarge;
        return contents;
    }
    // The size can grow while the file is read; never take more than the cap. A buffer as
    // large as the cap for every little file would cost more than the reading itself.
    contents.bytes = file.read(size + 1);
    if (contents.bytes.size() > size)
        contents.bytes += file.read(cap + 1 - contents.bytes.size());
    if (file.error() != QFileDevice::NoError) {
        contents.bytes.clear();
        contents.status = FileContents::Unreadable;
        contents.error = file.errorString();
    } else if (contents.bytes.size() > cap) {
        contents.bytes.clear();
        contents.status = FileContents::TooLarge;
    } else {
        contents.status = FileContents::Read;
    }
    return contents;
}

QString capShownText(const QString &text) {
    if (text.size() <= ShownTextLengthCap)
        return text;
    // Never half of a character that takes two UTF-16 units.
    const bool splitsPair = text[ShownTextLengthCap - 1].isHighSurrogate();
    return text.left(ShownTextLengthCap - (splitsPair ? 1 : 0));
}

bool isRegularFile(const QString &path) {
    return QFileInfo(path).isFile();
}

QString readTextFile(const QString &path) {
    const FileContents contents = readRegularFile(path, TextFileSizeCap);
    return contents.status == FileContents::Read ? decodeText(contents.bytes) : QString();
}

QStringList splitLines(const QString &text, QString *lineEnding) {
    QStringList lines;
    qsizetype crlf = 0;
    qsizetype lf = 0;
    qsizetype cr = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++crlf;
            ++i;
        } else {
            ++(c == u'\n' ? lf : cr);
        }
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    if (lineEnding) {
        if (crlf >= lf && crlf >= cr && crlf > 0)
            *lineEnding = QStringLiteral("\r\n");
        else if (cr > lf)
            *lineEnding = QStringLiteral("\r");
        else
            *lineEnding = QStringLiteral("\n");
    }
    return lines;
}

namespace {

QString systemError() {
#ifdef Q_OS_UNIX
    return QString::fromLocal8Bit(std::strerror(errno));
#else
    return QStringLiteral("system error %1").arg(GetLastError());
#endif
}

// Moves the finished temporary file over the target in one step; readers see the old file or
// the new one, never a mix.
bool replaceFile(const QString &from, const QString &to, QString *error) {
#ifdef Q_OS_WIN
    if (MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
#else
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
#endif
    *error = systemError();
    return false;
}

QString temporarySuffix() {
    return QStringLiteral(".tmp");
}

} // namespace

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error) {
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    QTemporaryFile temporary(target + QStringLiteral(".XXXXXX") + temporarySuffix());
    if (!temporary.open()) {
        *error = temporary.errorString();
        return false;
    }
    // A replaced file keeps who may read it; a new one is readable like any document.
    const QFileInfo old(target);
    temporary.setPermissions(old.exists() ? old.permissions()
                                          : QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
    // A full disk shows at any of these steps, often only when the buffer is flushed or the
    // data synced, so each one is checked before the old file is replaced.
    bool written = temporary.write(bytes) == bytes.size() && temporary.flush();
#ifdef Q_OS_UNIX
    if (written && ::fsync(temporary.handle()) != 0) {
        *error = systemError();
        return false;
    }
#endif
    if (!written) {
        *error = temporary.errorString();
        return false;
    }
    temporary.close();
    if (temporary.error() != QFileDevice::NoError) {
        *error = temporary.errorString();
        return false;
    }
    if (!replaceFile(temporary.fileName(), target, error))
        return false;
    temporary.setAutoRemove(false);
    return true;
}

namespace {

// "NAME.XXXXXX.tmp", six ASCII letters or digits in the middle, as the save above names its
// temporary file. Checked by hand, since a regular expression would load its engine into every
// start of the program.
bool isTemporaryFileOf(const QString &name, const QString &fileName) {
    constexpr qsizetype randomLength = 6;
    const QString suffix = temporarySuffix();
    if (name.size() != fileName.size() + 1 + randomLength + suffix.size() ||
        !name.startsWith(fileName + u'.') || !name.endsWith(suffix))
        return false;
    const QStringView random = QStringView(name).mid(fileName.size() + 1, randomLength);
    return std::all_of(random.begin(), random.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    });
}

} // namespace

int removeStaleTemporaryFiles(const QString &path) {
    const QFileInfo info(path);
    int removed = 0;
    const QDir folder = info.dir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (isTemporaryFileOf(name, info.fileName()) && QFile::remove(folder.filePath(name)))
            ++removed;
    }
    return removed;
}
