#include "core/help/HtmlText.h"

namespace {

// The named references help pages use; anything else stays as written.
QString namedReference(QStringView name) {
    static const std::pair<const char *, char16_t> names[] = {
        {"amp", u'&'},   {"lt", u'<'},    {"gt", u'>'},    {"quot", u'"'},
        {"apos", u'\''}, {"nbsp", u' '},  {"times", u'×'}, {"middot", u'·'},
        {"ndash", u'–'}, {"mdash", u'—'}, {"copy", u'©'},  {"hellip", u'…'},
    };
    for (const auto &[text, character] : names)
        if (name == QLatin1String(text))
            return QString(QChar(character));
    return QString();
}

constexpr qsizetype longestReference = 10;

} // namespace

QString decodeReference(QStringView html, qsizetype at, qsizetype *consumed) {
    *consumed = 0;
    // Only a short stretch is searched, so that a page of ampersands stays linear.
    const qsizetype semicolon = html.mid(at, longestReference + 1).indexOf(u';');
    if (semicolon < 0)
        return QString();
    const qsizetype end = at + semicolon;
    const QStringView name = html.mid(at + 1, end - at - 1);
    QString result;
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (ok && code > 0 && code <= 0x10FFFF && QChar::isPrint(char32_t(code)))
            result = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
    } else {
        result = namedReference(name);
    }
    if (!result.isEmpty())
        *consumed = end - at + 1;
    return result;
}

bool startsNamedReference(QStringView html, qsizetype at) {
    qsizetype i = at + 1;
    const qsizetype last = qMin(html.size(), at + 1 + longestReference);
    while (i < last && html[i].isLetterOrNumber() && html[i].unicode() < 128)
        ++i;
    return i > at + 1 && html[at + 1].isLetter() && i < html.size() && html[i] == u';';
}

bool consistsOf(QStringView text, QLatin1String allowedPunctuation, qsizetype longest) {
    if (text.isEmpty() || text.size() > longest)
        return false;
    for (const QChar c : text)
        if (!isAsciiLetterOrDigit(c) && !allowedPunctuation.contains(c))
            return false;
    return true;
}
