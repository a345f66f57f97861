#include "forms/help/ChmBrowser.h"

#include "core/help/HelpArchive.h"
#include "core/help/HelpLinks.h"
#include "core/help/HelpSearch.h"
#include "core/help/HelpTopics.h"
#include "core/settings/TextFile.h"

#include <QDesktopServices>
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
// The size a character had before any zoom, kept in its format so that zooming again starts
// from it and never drifts.
constexpr int unzoomedSize = QTextFormat::UserProperty + 1;

QVariant picture(const std::optional<QByteArray> &bytes) {
    // Qt's image handler reads a picture it is given no image for straight from the disk, under
    // the name the page wrote; a picture that is missing or unreadable is therefore drawn as an
    // empty image.
    QImage image = bytes ? QImage::fromData(*bytes) : QImage();
    if (image.isNull()) {
        image = QImage(1, 1, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
    }
    return image;
}

} // namespace

ChmBrowser::ChmBrowser(QWidget *parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    openExternal = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    translate = [](const QString &text) { return text; };
    connect(this, &QTextBrowser::anchorClicked, this, &ChmBrowser::follow);
    connect(this, qOverload<const QUrl &>(&QTextBrowser::highlighted), this, &ChmBrowser::hover);
    // Also going back and forward loads pages, without passing through setSource.
    connect(this, &QTextBrowser::sourceChanged, this, [this] {
        setExtraSelections({});
        applyZoom();
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
        emit status(translate(QStringLiteral("Odkaz vede mimo nápovědu a neotevře se: %s"))
                        .replace(QStringLiteral("%s"), shownAddress(target)));
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
    // Pictures and style sheets of a page are read after the page itself and are relative to it.
    if (type == QTextDocument::HtmlResource)
        m_loading = url;
    const bool inside = linkTarget(url) == LinkTarget::Page && m_file;
    const std::optional<QByteArray> bytes =
        inside ? m_file->read(resolvePage(QString(), url.path())) : std::nullopt;
    if (type == QTextDocument::ImageResource)
        return picture(bytes);
    if (!inside)
        return nothing;
    const QString path = resolvePage(QString(), url.path());
    if (!bytes) {
        if (type != QTextDocument::HtmlResource)
            return nothing;
        return QStringLiteral("<p>%1</p>")
            .arg(translate(QStringLiteral("Stránka %s v souboru nápovědy chybí."))
                     .toHtmlEscaped()
                     .replace(QStringLiteral("%s"), path.toHtmlEscaped()));
    }
    return decodeText(*bytes);
}

void ChmBrowser::markWords(const QStringList &searchWords) {
    QList<ExtraSelection> marks;
    QTextCharFormat marked;
    marked.setBackground(QColor(0xff, 0xe0, 0x60));
    marked.setForeground(Qt::black);
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        forEachWord(text, [&](qsizetype start, qsizetype length) {
            if (!matchesQuery(searchForm(text.mid(start, length)), searchWords))
                return;
            QTextCursor cursor(document());
            cursor.setPosition(block.position() + int(start));
            cursor.setPosition(block.position() + int(start + length), QTextCursor::KeepAnchor);
            marks.append({cursor, marked});
        });
    }
    setExtraSelections(marks);
}

void ChmBrowser::setZoom(int steps) {
    constexpr int farthest = 8;
    m_zoom = qBound(-farthest, steps, farthest);
    applyZoom();
}

void ChmBrowser::applyZoom() {
    // Pages set their own text sizes in their style sheets, which the widget's font does not
    // reach, so every size on the page is scaled.
    const double factor = qPow(zoomStep, m_zoom);
    QFont base = font();
    base.setPointSizeF(font().pointSizeF() * factor);
    document()->setDefaultFont(base);
    // Formats are gathered first: changing them merges fragments under a running iterator.
    struct Sized {
        int position;
        int length;
        QTextCharFormat format;
    };
    QList<Sized> sized;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().hasProperty(QTextFormat::FontPointSize))
                sized.append({fragment.position(), fragment.length(), fragment.charFormat()});
        }
    }
    const bool undo = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    for (Sized &piece : sized) {
        if (!piece.format.hasProperty(unzoomedSize))
            piece.format.setProperty(unzoomedSize, piece.format.fontPointSize());
        piece.format.setFontPointSize(piece.format.doubleProperty(unzoomedSize) * factor);
        QTextCursor cursor(document());
        cursor.setPosition(piece.position);
        cursor.setPosition(piece.position + piece.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(piece.format);
    }
    document()->setUndoRedoEnabled(undo);
}
