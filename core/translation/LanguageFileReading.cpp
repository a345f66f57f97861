// Reading the definition file and the language files into the translator's item table.
#include "core/translation/LangTranslator.h"

#include "core/settings/TextFile.h"
#include "core/translation/LanguageFileText.h"

#include <QFileInfo>

namespace {

bool startsWithDigit(const QString &text) {
    return !text.isEmpty() && text[0] >= u'0' && text[0] <= u'9';
}

QString withoutTrailingBlanks(const QString &text) {
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.left(end);
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
