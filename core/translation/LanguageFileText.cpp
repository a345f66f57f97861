#include "core/translation/LanguageFileText.h"

#include "core/settings/TextFile.h"
#include "core/translation/ConvertError.h"
#include "core/translation/FileError.h"

#include <algorithm>

namespace {

// An optional sign and ASCII digits, nothing else: no blanks, no other scripts' digits. Checked
// by hand, since a regular expression would load its engine into every start of the program.
bool isWholeNumber(QStringView text) {
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.mid(1);
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QString withoutLeadingBlanks(const QString &text) {
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    return text.mid(start);
}

QString asciiUpper(const QString &text) {
    QString result = text;
    for (QChar &c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return result;
}

bool sameAsciiText(const QString &a, const QString &b) {
    return asciiUpper(a) == asciiUpper(b);
}

int toInteger(const QString &text) {
    bool ok = false;
    const int value = isWholeNumber(text) ? text.toInt(&ok) : 0;
    if (!ok)
        throw ConvertError::invalidInteger(text);
    return value;
}

QStringList readLines(const QString &path) {
    const FileContents contents = readRegularFile(path, TextFileSizeCap);
    switch (contents.status) {
    case FileContents::Read:
        return splitLines(decodeText(contents.bytes));
    case FileContents::Missing:
    case FileContents::NotRegular:
        return {};
    case FileContents::TooLarge:
        throw FileError(
            FileError::Unreadable, path,
            QStringLiteral("Cannot read %1: larger than %2 bytes").arg(path).arg(TextFileSizeCap));
    case FileContents::Unreadable:
        break;
    }
    throw FileError(FileError::Unreadable, path,
                    QStringLiteral("Cannot read %1: %2").arg(path, contents.error));
}
