#include "core/help/HelpSitemap.h"

#include <QRegularExpression>
#include <optional>

namespace {

// Character references as help compilers write them: the five named ones and numeric ones.
QString decodeReferences(const QString &text) {
    static const QRegularExpression reference(QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|\\w+);"));
    QString result;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &match : reference.globalMatch(text)) {
        const QString name = match.captured(1);
        QString replacement = match.captured(0);
        bool ok = false;
        uint code = 0;
        if (name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive))
            code = name.mid(2).toUInt(&ok, 16);
        else if (name.startsWith(u'#'))
            code = name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF)
            replacement = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        else if (name == QLatin1String("amp"))
            replacement = QStringLiteral("&");
        else if (name == QLatin1String("lt"))
            replacement = QStringLiteral("<");
        else if (name == QLatin1String("gt"))
            replacement = QStringLiteral(">");
        else if (name == QLatin1String("quot"))
            replacement = QStringLiteral("\"");
        else if (name == QLatin1String("apos"))
            replacement = QStringLiteral("'");
        result += text.mid(done, match.capturedStart() - done) + replacement;
        done = match.capturedEnd();
    }
    return result + text.mid(done);
}

// The value of one attribute of a tag, quoted or not, with character references decoded.
QString attribute(const QString &tag, const QString &name) {
    const QRegularExpression pattern(
        QStringLiteral("\\b%1\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(tag);
    if (!match.hasMatch())
        return QString();
    return decodeReferences(match.captured(1) + match.captured(2) + match.captured(3));
}

} // namespace

QList<SitemapEntry> parseSitemap(const QString &html) {
    static const QRegularExpression tagPattern(QStringLiteral("<\\s*(/?)\\s*(\\w+)([^>]*)>"));
    QList<SitemapEntry> top;
    // Lists being filled, innermost last; the outermost <ul> holds the top entries. Only the
    // innermost list grows while deeper ones are open, so pointers to the outer ones stay valid.
    QList<QList<SitemapEntry> *> open;
    std::optional<SitemapEntry> entry;
    for (const QRegularExpressionMatch &tag : tagPattern.globalMatch(html)) {
        const bool closing = !tag.captured(1).isEmpty();
        const QString name = tag.captured(2).toLower();
        const QString attributes = tag.captured(3);
        if (name == QLatin1String("ul")) {
            if (closing) {
                if (!open.isEmpty())
                    open.removeLast();
            } else if (open.isEmpty()) {
                open.append(&top);
            } else {
                // A list without an entry before it adds to the level it is in.
                QList<SitemapEntry> *level = open.last();
                open.append(level->isEmpty() ? level : &level->last().children);
            }
        } else if (name == QLatin1String("object")) {
            if (!closing &&
                attribute(attributes, QStringLiteral("type"))
                        .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0) {
                entry = SitemapEntry();
            } else if (closing && entry) {
                if (!entry->name.isEmpty() || !entry->local.isEmpty())
                    (open.isEmpty() ? &top : open.last())->append(*entry);
                entry.reset();
            }
        } else if (name == QLatin1String("param") && entry) {
            const QString key = attribute(attributes, QStringLiteral("name"));
            const QString value = attribute(attributes, QStringLiteral("value"));
            if (key.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0 &&
                entry->name.isEmpty())
                entry->name = value;
            else if (key.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0 &&
                     entry->local.isEmpty())
                entry->local = value;
        }
    }
    return top;
}
