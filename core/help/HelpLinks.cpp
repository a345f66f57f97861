#include "core/help/HelpLinks.h"

QString helpPageScheme() {
    return QStringLiteral("chm");
}

QUrl helpPageUrl(const QString &page) {
    return QUrl(helpPageScheme() + QStringLiteral(":///")).resolved(QUrl(page));
}

LinkTarget linkTarget(const QUrl &resolved) {
    if (!resolved.isValid())
        return LinkTarget::Refused;
    const QString scheme = resolved.scheme().toLower();
    // "//host/page" on a help page resolves to a host, which no page inside the file has.
    if (scheme == helpPageScheme())
        return resolved.host().isEmpty() && resolved.userInfo().isEmpty() && resolved.port() < 0
                   ? LinkTarget::Page
                   : LinkTarget::Refused;
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return resolved.host().isEmpty() ? LinkTarget::Refused : LinkTarget::Desktop;
    // A mail client takes attachments, copies and bodies from the query; only the address
    // itself is safe to hand over.
    if (scheme == QLatin1String("mailto"))
        return resolved.hasQuery() || resolved.hasFragment() || resolved.path().isEmpty() ||
                       !resolved.path().contains(u'@')
                   ? LinkTarget::Refused
                   : LinkTarget::Desktop;
    return LinkTarget::Refused;
}
