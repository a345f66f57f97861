#pragma once

#include "core/help/HelpSitemap.h"
#include "core/settings/HelpWindowPlace.h"
#include "core/translation/Translation.h"

#include <QLocale>
#include <QWidget>
#include <functional>

class ChmBrowser;
class HelpArchive;
class FindBar;
class HelpSearchPage;
class QAction;
class QLineEdit;
class QListWidget;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The help window: the help file's contents, index and search beside the page, with back,
// forward, home, find, zoom and print, and a status line that tells where a link leads. One
// window serves every request.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows this file's contents and index; the history starts anew.
    void setFile(const HelpArchive *file, const QList<SitemapEntry> &contents,
                 const QList<SitemapEntry> &index, const QString &home);
    // Offers only the contents, index entries and pages of the reader's language, and pages
    // outside every language folder; the index in the order of the reader's alphabet.
    void setLanguage(const QLocale &language);
    void showPage(const QString &page);
    void showContents();
    void showIndex(const QString &keyword);
    // Sets the captions in the language of the moment.
    void retranslate(const Translate &translate);

    // Puts the window where it stood last time; an empty place keeps the default.
    void restorePlace(const HelpWindowPlace &place);
    HelpWindowPlace place() const;
    // Keeps the place when the window closes; unset, nothing is kept.
    std::function<void(const HelpWindowPlace &)> savePlace;

    ChmBrowser *browser() const { return m_browser; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createSides();
    QAction *addAction(const char *name, const char *theme, int fallback,
                       const QList<QKeySequence> &keys);
    void fillEntries();
    void addEntries(QTreeWidgetItem *parent, const QList<SitemapEntry> &entries);
    void addIndexEntries(const QList<SitemapEntry> &entries, int depth);
    void filterIndex(const QString &text);
    void openItemPage(const QString &local);
    void pageShown();
    void updateTitle();
    void bringToFront();
    void print();

    const HelpArchive *m_file = nullptr;
    QList<SitemapEntry> m_allContents;
    QList<SitemapEntry> m_allIndex;
    QString m_folder;
    QLocale m_language;
    QTabWidget *m_sides;
    QTreeWidget *m_contents;
    QLineEdit *m_indexFilter;
    QListWidget *m_index;
    HelpSearchPage *m_search;
    ChmBrowser *m_browser;
    FindBar *m_findBar;
    QSplitter *m_splitter;
    QStatusBar *m_status;
    QAction *m_back;
    QAction *m_forward;
    QAction *m_home;
    QAction *m_find;
    QAction *m_findNext;
    QAction *m_findPrevious;
    QAction *m_zoomIn;
    QAction *m_zoomOut;
    QAction *m_zoomReset;
    QAction *m_print;
    QString m_homePage;
    QString m_helpWord;
    HelpWindowPlace m_closedPlace; // where the window stood when it was last closed
};
