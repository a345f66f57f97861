#pragma once

#include "core/help/ChmLibrary.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class HtmlHelpEngine;

// The program's help: takes F1 in any window and the other help requests, finds the help file
// and hands every request to the help engine through HtmlHelp, the one place where all of them
// pass with their command and data. chmlib is loaded here only to know that help can work: when
// it is missing the user is told once at start, and the program runs on without help. The
// engine has help files read by a program of their own, in a child process.
class THtmlHelpViewer : public QObject {
    Q_OBJECT

public:
    using Engine = std::function<void(const QString &file, int command, const QVariant &data)>;
    using Warning = std::function<void(const QString &caption, const QString &text)>;

    // Loads the engine; programFolder is where the help file is looked for after the current
    // folder. warn shows the message about a missing engine (a warning box unless replaced).
    explicit THtmlHelpViewer(const QString &programFolder,
                             const QString &library = ChmLibrary::defaultName(),
                             const Warning &warn = Warning());
    ~THtmlHelpViewer() override;

    bool engineLoaded() const { return m_library.isLoaded(); }
    // The application's help file, a bare name resolved when a request comes.
    void setHelpFile(const QString &name) { m_helpFile = name; }

    // The requests. Each is dropped silently when the help file cannot be found.
    void ShowHelp(const QString &keyword);
    void ShowTableOfContents();
    void DisplayTopic(const QString &topic);
    void DisplayHelpByContext(int context, const QString &helpFile = QString());
    // Closes every help window.
    void SoftShutDown();

    // Every request passes here; by default it goes to the engine. Tests replace it to watch.
    Engine HtmlHelp;
    HtmlHelpEngine *engine() const { return m_engine.get(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString ResolveHelpFile(const QString &requested) const;

    ChmLibrary m_library;
    QString m_programFolder;
    QString m_helpFile;
    std::unique_ptr<HtmlHelpEngine> m_engine;
};
