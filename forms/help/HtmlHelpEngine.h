#pragma once

#include "core/help/HelpArchive.h"
#include "core/help/HelpSitemap.h"
#include "core/settings/HelpWindowPlace.h"
#include "core/translation/Translation.h"

#include <QLocale>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class HelpFileReader;
class HelpWindow;

// Carries out help requests on a compiled help file: has the file read on the first request
// (and again when another file is asked for) and shows the asked-for page, the contents or
// the index in the one help window. Reading takes a moment in a child process; the request
// that asked for it is carried out when it is done, and the latest request wins.
class HtmlHelpEngine {
public:
    // readerProgram: the help file reader (helpReaderProgram).
    explicit HtmlHelpEngine(const QString &readerProgram);
    ~HtmlHelpEngine();

    // One request: a command of HelpCommands.h with its file and data.
    void HtmlHelp(const QString &file, int command, const QVariant &data);

    // Null until the first page is shown.
    HelpWindow *window() const { return m_window.get(); }
    // Whether a help file is being read.
    bool reading() const;
    void setReaderProgram(const QString &readerProgram);

    // The locale of the language the program speaks; it decides which language's pages,
    // contents and index entries the help offers.
    std::function<QLocale()> language;
    // Where the help window's place is kept between runs; unset, nothing is kept.
    std::function<HelpWindowPlace()> loadPlace;
    std::function<void(const HelpWindowPlace &)> savePlace;
    // Captions of the help window in the language of the moment.
    Translate translate = std::bind_front(translatedText, nullptr);
    // Tells the user that a help file could not be read; a warning box unless replaced.
    std::function<void(const QString &text)> reportFailure;

private:
    struct Request {
        QString topicPage;
        int command;
        QVariant data;
    };

    void opened(std::shared_ptr<const HelpArchive> archive);
    void failed(const QString &fileName);
    void carryOut(const Request &request);
    QString page(const QString &wanted) const;
    QString languageFolder() const;
    HelpWindow &shownWindow();

    std::unique_ptr<HelpFileReader> m_reader;
    std::shared_ptr<const HelpArchive> m_file;
    std::optional<Request> m_pending;
    QList<SitemapEntry> m_contents;
    QList<SitemapEntry> m_index;
    QString m_home;
    std::unique_ptr<HelpWindow> m_window;
};
