#include "forms/help/ChmBrowser.h"

#include "core/help/HelpArchive.h"
#include "core/help/HelpLinks.h"
#include "core/help/HelpSearch.h"
#include "core/help/HelpStyleSheet.h"
#include "core/help/HelpTopics.h"
#include "core/help/HtmlSanitizer.h"
#include "core/settings/TextFile.h"

#include <QDesktopServices>
#include <QScrollBar>
#include <QTextBlock>
#include <QtMath>

namespace {

// A link address in the status line: one line, and short enough to read.
QString shownAddress(const QUrl &url) {
    constexpr int longest = 200;
    QString text = url.toDisplayString().simplified();
    if (text.size() > longest)
        text = text.left(longest) + QChar(0x2026);
    return text;
}

constexpr double zoomStep = 1.15;
// Marking every hit of a common word on a long page would take the window minutes; the first
// ones are what the reader looks at.
constexpr int mostMarks = 500;

} // namespace

ChmBrowser::ChmBrowser(QWidget *parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    openExternal = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    connect(this, &QTextBrowser::anchorClicked, this, &ChmBrowser::follow);
    connect(this, qOverload<const QUrl &>(&QTextBrowser::highlighted), this, &ChmBrowser::hover);
    // Also going back and forward loads pages, without passing through setSource.
    connect(this, &QTextBrowser::sourceChanged, this, [this] {
        setExtraSelections({});
        m_markedWords.clear();
    });
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
    const QUrl url = helpPageUrl(page);
    // A contents or index entry may lead out of the file, as a link may; the page shown stays.
    if (linkTarget(url) != LinkTarget::Page) {
        follow(url);
        return;
    }
    setSource(url);
    // The browser keeps its place when asked for the page it shows; an entry for a section of
    // that page must still bring the section into view.
    if (url.hasFragment())
        scrollToAnchor(url.fragment());
}

void ChmBrowser::follow(const QUrl &link) {
    const QUrl target = source().resolved(link);
    switch (linkTarget(target)) {
    case LinkTarget::Page:
        setSource(target);
        break;
    case LinkTarget::Desktop:
        openExternal(target);
        break;
    case LinkTarget::Refused:
        emit status(translate(QStringLiteral("Odkaz vede mimo nápovědu a neotevře se: %s"),
                              {shownAddress(target)}));
        break;
    }
}

void ChmBrowser::hover(const QUrl &link) {
    if (link.isEmpty()) {
        emit status(QString());
        return;
    }
    const QUrl target = source().resolved(link);
    emit status(linkTarget(target) == LinkTarget::Page
                    ? resolvePage(QString(), target.path()) +
                          (target.hasFragment() ? u'#' + target.fragment() : QString())
                    : shownAddress(target));
}

QVariant ChmBrowser::loadResource(int type, const QUrl &name) {
    // Whatever is left unanswered here the text document looks for on the local disk itself;
    // an empty answer keeps it from doing so.
    const QVariant nothing = QVariant(QByteArray());
    const QUrl url = name.isRelative() ? m_loading.resolved(name) : name;
    const bool inside = linkTarget(url) == LinkTarget::Page && m_file;
    const QString path = inside ? resolvePage(QString(), url.path()) : QString();
    const std::optional<QByteArray> bytes = inside ? m_file->read(path) : std::nullopt;
    switch (type) {
    case QTextDocument::HtmlResource:
        // Pictures of a page are read after the page itself and are relative to it.
        m_loading = url;
        m_pictures.newPage();
        if (!inside)
            return nothing;
        return bytes ? pageWithStyle(path, *bytes) : missingPage(path);
    case QTextDocument::ImageResource:
        // Qt's image handler reads a picture it is given no image for straight from the disk,
        // under the name the page wrote; so a picture always comes back, if only a placeholder.
        return inside ? m_pictures.picture(path, bytes) : HelpPictures::placeholder();
    default:
        // Style sheets come with their page; nothing else is read.
        return nothing;
    }
}

QString ChmBrowser::pageWithStyle(const QString &path, const QByteArray &bytes) const {
    // The reader process has cleaned the page already; cleaning it again here costs little and
    // keeps this window safe even from a reader that went wrong.
    const HtmlSanitizer::Page page = HtmlSanitizer::cleanPage(decodeText(bytes));
    const double factor = qPow(zoomStep, m_zoom);
    QString style;
    for (const QString &sheet : page.styleSheets)
        if (const std::optional<QByteArray> css = m_file->read(resolvePage(path, sheet)))
            style += HtmlSanitizer::zoomStyleSheet(HtmlSanitizer::cleanStyleSheet(decodeText(*css)),
                                                   factor);
    return HtmlSanitizer::pageHtml(page, style);
}

QString ChmBrowser::missingPage(const QString &path) const {
    return QStringLiteral("<p>%1</p>")
        .arg(translate(QStringLiteral("Stránka %s v souboru nápovědy chybí."), {path})
                 .toHtmlEscaped());
}

void ChmBrowser::markWords(const QStringList &searchWords) {
    QList<ExtraSelection> marks;
    QTextCharFormat marked;
    marked.setBackground(QColor(0xff, 0xe0, 0x60));
    marked.setForeground(Qt::black);
    for (QTextBlock block = document()->begin(); block.isValid() && marks.size() < mostMarks;
         block = block.next()) {
        const QString text = block.text();
        forEachWord(text, [&](qsizetype start, qsizetype length) {
            if (marks.size() >= mostMarks ||
                !matchesQuery(searchForm(text.mid(start, length)), searchWords))
                return;
            QTextCursor cursor(document());
            cursor.setPosition(block.position() + int(start));
            cursor.setPosition(block.position() + int(start + length), QTextCursor::KeepAnchor);
            marks.append({cursor, marked});
        });
    }
    setExtraSelections(marks);
    m_markedWords = searchWords;
}

void ChmBrowser::setZoom(int steps) {
    constexpr int farthest = 8;
    const int zoom = qBound(-farthest, steps, farthest);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    applyZoom();
}

void ChmBrowser::applyZoom() {
    // Pages set their own text sizes in their style sheets, which the widget's font does not
    // reach: the page is read again with its style sheets scaled, and the default font scaled
    // for text they leave alone. The reader keeps his place on the page and his marks.
    QFont base = font();
    base.setPointSizeF(font().pointSizeF() * qPow(zoomStep, m_zoom));
    document()->setDefaultFont(base);
    if (source().isEmpty())
        return;
    const QStringList marked = m_markedWords;
    QScrollBar *bar = verticalScrollBar();
    const double place = bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0.0;
    reload();
    bar->setValue(qRound(place * bar->maximum()));
    if (!marked.isEmpty())
        markWords(marked);
}
