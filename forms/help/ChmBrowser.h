#pragma once

#include <QTextBrowser>
#include <functional>

class HelpArchive;

// Shows pages of a compiled help file: the pages, their style sheets and pictures are read
// from the file itself. Links between pages stay inside the file; links to the web or to mail
// go to the desktop.
class ChmBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit ChmBrowser(QWidget *parent = nullptr);

    void setFile(const HelpArchive *file);
    // The page shown, as a path inside the file ("cz/index.html").
    QString page() const;
    void showPage(const QString &page);

    // Opens a link that leads out of the help file; tests replace it.
    std::function<void(const QUrl &)> openExternal;
    // Text of the page shown for a link to a page the file lacks; %s is the page.
    std::function<QString(const QString &)> translate;

protected:
    QVariant loadResource(int type, const QUrl &name) override;
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    void follow(const QUrl &link);

    const HelpArchive *m_file = nullptr;
    QUrl m_loading; // the page whose resources are being read
};
