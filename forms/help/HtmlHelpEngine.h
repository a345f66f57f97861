#pragma once

#include "core/help/HelpSitemap.h"
#include "core/settings/HelpWindowPlace.h"

#include <QLocale>
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

    // The locale of the language the program speaks; it decides which language's pages,
    // contents and index entries the help offers.
    std::function<QLocale()> language;
    // Where the help window's place is kept between runs; unset, nothing is kept.
    std::function<HelpWindowPlace()> loadPlace;
    std::function<void(const HelpWindowPlace &)> savePlace;
    // Captions of the help window in the language of the moment.
    std::function<QString(const QString &)> translate;

private:
    bool openFile(const QString &fileName);
    QString page(const QString &wanted) const;
    QString languageFolder() const;
    HelpWindow &shownWindow();

    const ChmLibrary &m_library;
    std::unique_ptr<ChmFile> m_file;
    QList<SitemapEntry> m_contents;
    QList<SitemapEntry> m_index;
    QString m_home;
    std::unique_ptr<HelpWindow> m_window;
};
