#include "core/translation/LangTranslator.h"

#include "core/settings/TextFile.h"
#include "core/translation/ConvertError.h"
#include "core/translation/FileError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaProperty>
#include <QPoint>
#include <QSettings>
#include <QSize>
#include <functional>

#include <algorithm>
#include <stdexcept>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool startsWithDigit(const QString &text) {
    return !text.isEmpty() && text[0] >= u'0' && text[0] <= u'9';
}

QString withoutLeadingBlanks(const QString &text) {
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    return text.mid(start);
}

QString withoutTrailingBlanks(const QString &text) {
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.left(end);
}

// Keys, section names and paths are matched on ASCII letters only, so that a Czech letter in a
// name never changes its meaning with the locale.
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

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Two or three letters, then any number of parts of two to eight letters or digits, each after
// a "_" or "-". Checked by hand, since a regular expression would load its engine into every
// start of the program.
bool isLocaleName(QStringView name) {
    qsizetype at = 0;
    while (at < name.size() && isAsciiLetter(name[at]))
        ++at;
    if (at < 2 || at > 3)
        return false;
    while (at < name.size()) {
        if (name[at] != u'_' && name[at] != u'-')
            return false;
        const qsizetype start = ++at;
        while (at < name.size() &&
               (isAsciiLetter(name[at]) || (name[at] >= u'0' && name[at] <= u'9')))
            ++at;
        if (at - start < 2 || at - start > 8)
            return false;
    }
    return true;
}

// The locale a name such as "cs", "de_AT" or "pt-BR" stands for; C for anything else.
QLocale namedLocale(const QString &name) {
    return isLocaleName(name) ? QLocale(name) : QLocale::c();
}

// What a language file's name says of its locale: "de.lng" or "de_AT.lng" by the locale's
// name, "german.lng" by the English name of the language.
QLocale localeFromFileName(const QString &path) {
    const QString name = QFileInfo(path).completeBaseName();
    const QLocale named = namedLocale(name);
    if (named.language() != QLocale::C)
        return named;
    for (int language = QLocale::AnyLanguage + 1; language <= QLocale::LastLanguage; ++language) {
        const auto candidate = static_cast<QLocale::Language>(language);
        if (candidate != QLocale::C &&
            QLocale::languageToString(candidate).compare(name, Qt::CaseInsensitive) == 0)
            return QLocale(candidate);
    }
    return QLocale::c();
}

// Controls show their place and size as the read-only integers x, y, width and height of the
// writable pos and size; a language moves or sizes a control through those.
void writeGeometryPart(QObject *target, const char *name, int value) {
    const QLatin1StringView part(name);
    const bool place = part == "x" || part == "y";
    const int whole = target->metaObject()->indexOfProperty(place ? "pos" : "size");
    if (whole < 0 || !target->metaObject()->property(whole).isWritable())
        return;
    if (place) {
        QPoint pos = target->property("pos").toPoint();
        (part == "x" ? pos.rx() : pos.ry()) = value;
        target->setProperty("pos", pos);
    } else if (part == "width" || part == "height") {
        QSize size = target->property("size").toSize();
        (part == "width" ? size.rwidth() : size.rheight()) = value;
        target->setProperty("size", size);
    }
}

// An optional sign and ASCII digits, nothing else: no blanks, no other scripts' digits. Checked
// by hand, since a regular expression would load its engine into every start of the program.
bool isWholeNumber(QStringView text) {
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.mid(1);
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int toInteger(const QString &text) {
    bool ok = false;
    const int value = isWholeNumber(text) ? text.toInt(&ok) : 0;
    if (!ok)
        throw ConvertError::invalidInteger(text);
    return value;
}

// Position of the first "=" or ":", whichever comes first, or -1.
qsizetype keySeparator(const QString &line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'=' || line[i] == u':')
            return i;
    }
    return -1;
}

QString authorText(QString value) {
    return value.replace(u'|', QStringLiteral("\r\n"));
}

// Reads a whole text file. A missing file, a folder and anything that is not a regular file
// (a FIFO would block, a device never end) read as no lines; a file that is there but cannot
// be read in full is an input/output error worth reporting.
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

// A string-list property takes one line per separated piece; a trailing separator does not add
// an empty last line, but an empty piece between two separators does.
QStringList splitList(const QString &text, const QString &separator) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, start)) {
        lines << text.mid(start, at - start).trimmed();
        start = at + separator.size();
    }
    const QString last = text.mid(start).trimmed();
    if (!last.isEmpty())
        lines << last;
    return lines;
}

QObject *childNamed(const QObject *parent, const QString &name) {
    for (QObject *child : parent->children()) {
        if (sameAsciiText(child->objectName(), name))
            return child;
    }
    return nullptr;
}

// An exactly spelled name wins over one that differs only in case.
int propertyIndex(const QMetaObject *meta, const QString &name) {
    const int exact = meta->indexOfProperty(name.toUtf8().constData());
    if (exact >= 0)
        return exact;
    for (int i = 0; i < meta->propertyCount(); ++i) {
        if (sameAsciiText(QString::fromLatin1(meta->property(i).name()), name))
            return i;
    }
    return -1;
}

QString fileNamePart(const QString &path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

QString inFolder(const QString &folder, const QString &name) {
    const bool hasSeparator = folder.endsWith(u'/') || folder.endsWith(u'\\');
    return hasSeparator ? folder + name : folder + u'/' + name;
}

QString programsIni(const QString &editorFolder) {
    const QString path = inFolder(editorFolder, QStringLiteral("programs.ini"));
    if (!QFileInfo::exists(path))
        throw FileError(FileError::Missing, path, QStringLiteral("File not found: %1").arg(path));
    return path;
}

// Reads one item line into item; false when the line holds nothing after its colon.
bool readItemLine(const QString &line, TTemplateItem &item) {
    QString rest = line;
    const qsizetype colon = line.indexOf(u':');
    if (colon >= 0) {
        const QString number = line.left(colon);
        item.Id = number.isEmpty() ? -1 : toInteger(number);
        rest = line.mid(colon + 1);
        if (rest.isEmpty())
            return false;
    }
    qsizetype pos = 0;
    while (pos < rest.size()) {
        while (pos < rest.size() && isBlank(rest[pos]))
            ++pos;
        if (pos >= rest.size())
            break;
        if (rest[pos] == u'"') {
            const qsizetype close = rest.indexOf(u'"', pos + 1);
            item.Text = close < 0 ? QString() : rest.mid(pos + 1, close - pos - 1);
            break;
        }
        qsizetype end = pos;
        while (end < rest.size() && !isBlank(rest[end]))
            ++end;
        const QString token = rest.mid(pos, end - pos);
        pos = end;
        const QString keyword = asciiUpper(token);
        if (keyword == u"SECTION")
            item.Kind = ikSection;
        else if (keyword == u"COMPONENT")
            item.Kind = ikComponent;
        else if (keyword == u"MESSAGE")
            item.Kind = ikMessage;
        else if (keyword == u"COMMENT")
            item.Kind = ikComment;
        else if (startsWithDigit(token))
            item.Number = toInteger(token);
    }
    return true;
}

} // namespace

TLangTranslator::TLangTranslator(QObject *owner) : QObject(owner) {}

void TLangTranslator::addForm(QObject *form) {
    m_forms.append(form);
}

void TLangTranslator::LoadDefinition(const QString &path) {
    if (!isRegularFile(path))
        return;
    buildTable(readLines(path));
}

void TLangTranslator::LoadTemplate() {
    buildTable(m_template);
}

void TLangTranslator::buildTable(const QStringList &lines) {
    // A bad line ends the reading with an error, once; the items before it make the table.
    m_items.clear();
    m_definitionLoaded = true;
    m_languageLoaded = false;
    bool headerMode = false;
    for (const QString &rawLine : lines) {
        const QString line = withoutLeadingBlanks(rawLine);
        if (line.isEmpty() || line.startsWith(u'/'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = asciiUpper(line.mid(1, close < 0 ? -1 : close - 1));
            if (name == u"LANGUAGE")
                headerMode = true;
            else if (name == u"ITEMS")
                headerMode = false;
            continue;
        }
        if (headerMode) {
            const qsizetype at = keySeparator(line);
            if (at < 0)
                continue;
            const QString key = asciiUpper(line.left(at));
            const QString value = line.mid(at + 1);
            if (key == u"PROGRAM")
                m_templateInfo.Program = value;
            else if (key == u"VERSION")
                m_templateInfo.Version = value;
            else if (key == u"AUTHOR")
                m_templateInfo.Author = authorText(value);
            continue;
        }
        TTemplateItem item;
        if (readItemLine(line, item) && (item.Kind == ikComponent || item.Kind == ikMessage))
            m_items.append(item);
    }
}

QLocale languageFileLocale(const QString &path) {
    QLocale locale = localeFromFileName(path);
    try {
        for (const QString &line : readLines(path)) {
            const qsizetype at = keySeparator(line);
            if (at > 0 && !line.startsWith(u'/') && asciiUpper(line.left(at)) == u"LOCALE")
                locale = namedLocale(line.mid(at + 1).trimmed());
        }
    } catch (const std::exception &) {
    }
    return locale;
}

void TLangTranslator::setLanguageFile(const QString &path) {
    m_languageFile = path;
    LoadLanguage();
}

void TLangTranslator::LoadLanguage() {
    if (!m_definitionLoaded)
        LoadTemplate();
    if (!isRegularFile(m_languageFile))
        return;
    // The file is read once. A read error or a bad line is reported by this call alone, and the
    // translations read before the bad line stay; reading it again at each later use would
    // raise the same error from every message the program shows.
    m_languageLoaded = true;
    // Unlike the other header values the locale is the file's own: one that does not tell
    // its locale must not keep the locale of the language before it.
    m_languageLocale = localeFromFileName(m_languageFile);
    readLanguage(readLines(m_languageFile));
}

void TLangTranslator::readLanguage(const QStringList &lines) {
    for (const QString &line : lines) {
        const qsizetype at = keySeparator(line);
        if (at <= 0 || line.startsWith(u'/'))
            continue;
        const QString key = asciiUpper(line.left(at));
        const QString value = line.mid(at + 1);
        if (!startsWithDigit(key)) {
            if (key == u"LANGUAGE")
                m_languageInfo.Language = value;
            else if (key == u"VERSION")
                m_languageInfo.Version = value;
            else if (key == u"AUTHOR")
                m_languageInfo.Author = authorText(value);
            else if (key == u"DEFINITION")
                m_languageInfo.Definition = value;
            else if (key == u"LOCALE")
                m_languageLocale = namedLocale(value.trimmed());
            continue;
        }
        const int id = toInteger(withoutTrailingBlanks(key));
        for (TTemplateItem &item : m_items) {
            if (item.Id == id) {
                item.Translation = capShownText(withoutLeadingBlanks(value));
                break;
            }
        }
    }
}

void TLangTranslator::ensureLoaded() {
    if (!m_definitionLoaded)
        LoadTemplate();
    if (!m_languageLoaded)
        LoadLanguage();
}

QString TLangTranslator::useLanguage(const QString &path) {
    QString fault;
    for (const auto &step : {std::function<void()>([&] { setLanguageFile(path); }),
                             std::function<void()>([this] { Translate(); })}) {
        try {
            step();
        } catch (const std::exception &error) {
            if (fault.isEmpty())
                fault = describeError(error);
        }
    }
    return fault;
}

QString TLangTranslator::describeError(const std::exception &error) {
    const auto *fileError = dynamic_cast<const FileError *>(&error);
    if (!fileError)
        return QString::fromUtf8(error.what());
    const QStringList path = {QDir::toNativeSeparators(fileError->path())};
    switch (fileError->kind()) {
    case FileError::Missing:
        return fillArguments(TranslateString(QStringLiteral("Soubor %s nebyl nalezen.")), path);
    case FileError::Unreadable:
        return fillArguments(TranslateString(QStringLiteral("Soubor %s nelze přečíst.")), path);
    case FileError::Unwritable:
        break;
    }
    return fillArguments(TranslateString(QStringLiteral("Do souboru %s nelze zapsat.")), path);
}

void TLangTranslator::Translate() {
    ensureLoaded();
    emit OnBeforeTranslation(this);
    for (const TTemplateItem &item : std::as_const(m_items)) {
        if (item.Kind == ikComponent && !item.Text.trimmed().isEmpty())
            TranslateComponent(item.Text, item.Translation);
    }
    emit OnAfterTranslation(this);
}

void TLangTranslator::TranslateForm(const QObject *form) {
    ensureLoaded();
    for (const TTemplateItem &item : std::as_const(m_items)) {
        const QString path = item.Text.trimmed();
        if (item.Kind == ikComponent && path.contains(u'.') &&
            sameAsciiText(path.left(path.indexOf(u'.')).trimmed(), form->objectName()))
            TranslateComponent(path, item.Translation);
    }
}

QString TLangTranslator::TranslateString(const QString &source) {
    ensureLoaded();
    for (const TTemplateItem &item : std::as_const(m_items)) {
        if (item.Text == source)
            return item.Translation.isEmpty() ? source : item.Translation;
    }
    return source;
}

void TLangTranslator::setSeparator(const QString &separator) {
    m_separator = separator.trimmed().isEmpty() ? QStringLiteral(",") : separator;
}

QObject *TLangTranslator::findForm(const QString &name) const {
    for (const QPointer<QObject> &form : m_forms) {
        if (form && sameAsciiText(form->objectName(), name))
            return form;
    }
    return nullptr;
}

void TLangTranslator::TranslateComponent(const QString &path, const QString &translation) {
    QString rest = path.trimmed();
    QObject *target = QCoreApplication::instance();
    bool atForms = true;
    for (qsizetype dot = rest.indexOf(u'.'); dot >= 0; dot = rest.indexOf(u'.')) {
        const QString part = rest.left(dot).trimmed();
        rest = rest.mid(dot + 1).trimmed();
        if (atForms)
            target = findForm(part);
        else if (target)
            target = childNamed(target, part);
        atForms = false;
    }
    if (!target || translation.isEmpty())
        return;
    const int index = propertyIndex(target->metaObject(), rest);
    if (index < 0)
        return;
    const QMetaProperty property = target->metaObject()->property(index);
    switch (property.metaType().id()) {
    case QMetaType::QString:
        property.write(target, translation);
        break;
    case QMetaType::Int:
        if (property.isWritable())
            property.write(target, toInteger(translation));
        else
            writeGeometryPart(target, property.name(), toInteger(translation));
        break;
    case QMetaType::QStringList:
        property.write(target, splitList(translation, m_separator));
        break;
    default:
        // Enumerations, sets and object properties have no text form worth translating.
        break;
    }
}

QString TLangTranslator::EditorProgram(const QString &folder) {
#ifdef Q_OS_WIN
    return inFolder(folder, QStringLiteral("vokabiler.exe"));
#else
    return inFolder(folder, QStringLiteral("vokabiler"));
#endif
}

QString TLangTranslator::GetEditorFolder() const {
    QSettings editor(QStringLiteral("Brindova"), QStringLiteral("Vokabiler"));
    if (!editor.contains(QStringLiteral("Path")))
        return QString();
    const QString folder = editor.value(QStringLiteral("Path")).toString();
    // A stale entry is dropped so that the next look-up reports the editor as not installed.
    if (!QFileInfo::exists(EditorProgram(folder)))
        editor.remove(QStringLiteral("Path"));
    return folder;
}

bool TLangTranslator::IsRegisteredWithEditor(const QString &definitionPath) const {
    const QString folder = GetEditorFolder();
    if (folder.isEmpty())
        return false;
    const QStringList lines = readLines(programsIni(folder));
    const QString name = fileNamePart(definitionPath);
    for (QString line : lines) {
        if (line.isEmpty())
            continue;
        // "title = definition;program": drop the title with "=" and the blank after it.
        line.remove(0, line.indexOf(u'=') + 2);
        line = withoutLeadingBlanks(line);
        const qsizetype semicolon = line.indexOf(u';');
        if (semicolon >= 0)
            line.truncate(semicolon);
        if (fileNamePart(line).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void TLangTranslator::RegisterWithEditor(const QString &title, const QString &definitionPath,
                                         const QString &programPath) const {
    const QString folder = GetEditorFolder();
    if (folder.isEmpty())
        return;
    QFile file(programsIni(folder));
    const QByteArray line = (title + QStringLiteral(" = ") + definitionPath + u';' + programPath +
                             QStringLiteral("\r\n"))
                                .toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(line) != line.size())
        throw FileError(
            FileError::Unwritable, file.fileName(),
            QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()));
}

QString fillArguments(QString text, const QStringList &arguments) {
    qsizetype at = 0;
    for (const QString &argument : arguments) {
        at = text.indexOf(QStringLiteral("%s"), at);
        if (at < 0)
            break;
        text.replace(at, 2, argument);
        at += argument.size();
    }
    return text;
}
