#include "forms/help/ChmBrowser.h"

#include "core/help/HelpArchive.h"
#include "core/help/HelpTopics.h"
#include "core/settings/TextFile.h"

#include <QDesktopServices>

namespace {

const QString scheme = QStringLiteral("chm");

// A page inside the file, with its anchor if it has one.
QUrl pageUrl(const QString &page) {
    return QUrl(scheme + QStringLiteral(":///")).resolved(QUrl(page));
}

} // namespace

ChmBrowser::ChmBrowser(QWidget *parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    openExternal = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    translate = [](const QString &text) { return text; };
    connect(this, &QTextBrowser::anchorClicked, this, &ChmBrowser::follow);
}

void ChmBrowser::setFile(const HelpArchive *file) {
    m_file = file;
    clearHistory();
    clear();
}

QString ChmBrowser::page() const {
    return source().path().mid(1);
}

void ChmBrowser::showPage(const QString &page) {
    setSource(pageUrl(page));
}

void ChmBrowser::follow(const QUrl &link) {
    const QUrl target = source().resolved(link);
    if (target.scheme() == scheme)
        setSource(target);
    else
        openExternal(target);
}

void ChmBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type) {
    m_loading = name;
    QTextBrowser::doSetSource(name, type);
}

QVariant ChmBrowser::loadResource(int type, const QUrl &name) {
    const QUrl url = name.isRelative() ? m_loading.resolved(name) : name;
    if (url.scheme() != scheme || !m_file)
        return QVariant();
    const QString path = resolvePage(QString(), url.path());
    const std::optional<QByteArray> bytes = m_file->read(path);
    if (type == QTextDocument::ImageResource)
        return bytes ? QVariant(*bytes) : QVariant();
    if (!bytes) {
        if (type != QTextDocument::HtmlResource)
            return QVariant();
        return QStringLiteral("<p>%1</p>")
            .arg(translate(QStringLiteral("Stránka %s v souboru nápovědy chybí."))
                     .toHtmlEscaped()
                     .replace(QStringLiteral("%s"), path.toHtmlEscaped()));
    }
    return decodeText(*bytes);
}
