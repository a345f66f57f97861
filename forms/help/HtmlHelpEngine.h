#pragma once

#include "core/help/HelpSitemap.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class ChmFile;
class ChmLibrary;
class HelpWindow;

// Carries out help requests on a compiled help file: opens the file on the first request
// (and again when another file is asked for) and shows the asked-for page, the contents or
// the index in the one help window.
class HtmlHelpEngine {
public:
    explicit HtmlHelpEngine(const ChmLibrary &library);
    ~HtmlHelpEngine();

    // One request: a command of HelpCommands.h with its file and data.
    void HtmlHelp(const QString &file, int command, const QVariant &data);

    // Null until the first page is shown.
    HelpWindow *window() const { return m_window.get(); }

    // Whether the reader reads the program in Czech; otherwise English pages are preferred.
    std::function<bool()> czech;
    // Captions of the help window in the language of the moment.
    std::function<QString(const QString &)> translate;

private:
    bool openFile(const QString &fileName);
    QString page(const QString &wanted) const;
    HelpWindow &shownWindow();

    const ChmLibrary &m_library;
    std::unique_ptr<ChmFile> m_file;
    QList<SitemapEntry> m_contents;
    QList<SitemapEntry> m_index;
    QString m_home;
    std::unique_ptr<HelpWindow> m_window;
};
