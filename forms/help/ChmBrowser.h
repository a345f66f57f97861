#pragma once

#include "core/help/HelpPictures.h"
#include "core/translation/Translation.h"

#include <QTextBrowser>
#include <functional>

class HelpArchive;

// Shows pages of a compiled help file. Pages, style sheets and pictures come only from the file
// itself, never from the disk or the network, so showing a page can neither read local files nor
// wait on one. Links between pages stay inside the file; web and plain mail links go to the
// desktop; every other link is refused and said so.
class ChmBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit ChmBrowser(QWidget *parent = nullptr);

    void setFile(const HelpArchive *file);
    // The page shown, as a path inside the file ("cz/index.html").
    QString page() const;
    // Shows a page, at its anchor when it has one ("cz/index.html#mereni"), also when the page
    // is shown already.
    void showPage(const QString &page);

    // Marks on the page shown every word the search asked for, up to the first few hundred; the
    // marks go with the page.
    void markWords(const QStringList &searchWords);
    int markCount() const { return extraSelections().size(); }

    // Text size in steps from the normal size; every page is shown at it.
    void setZoom(int steps);
    int zoom() const { return m_zoom; }

    // Opens a link that leads out of the help file; tests replace it.
    std::function<void(const QUrl &)> openExternal;
    // Texts in the language of the moment: the page shown for a page the file lacks and the
    // note on a refused link; %s is the page or the link.
    Translate translate = std::bind_front(translatedText, nullptr);

signals:
    // Something for the status line: where the link under the pointer leads, or why a link was
    // not followed. Empty when there is nothing to say.
    void status(const QString &text);

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    void follow(const QUrl &link);
    void hover(const QUrl &link);
    void applyZoom();
    QString pageWithStyle(const QString &path, const QByteArray &bytes) const;
    QString missingPage(const QString &path) const;

    const HelpArchive *m_file = nullptr;
    QUrl m_loading; // the page whose resources are being read
    HelpPictures m_pictures;
    QStringList m_markedWords;
    int m_zoom = 0;
};
