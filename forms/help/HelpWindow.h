#pragma once

#include "core/help/HelpSitemap.h"

#include <QWidget>
#include <functional>

class ChmBrowser;
class HelpArchive;
class QAction;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The help window: the help file's contents tree and index beside the page, with back, forward
// and home. One window serves every request.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows this file's contents and index; the history starts anew.
    void setFile(const HelpArchive *file, const QList<SitemapEntry> &contents,
                 const QList<SitemapEntry> &index, const QString &home);
    void showPage(const QString &page);
    void showContents();
    void showIndex(const QString &keyword);
    // Sets the captions in the language of the moment.
    void retranslate(const std::function<QString(const QString &)> &translate);

    ChmBrowser *browser() const { return m_browser; }

private:
    void addEntries(QTreeWidgetItem *parent, const QList<SitemapEntry> &entries);
    void addIndexEntries(const QList<SitemapEntry> &entries, int depth);
    void filterIndex(const QString &text);
    void openItemPage(const QString &local);
    void pageShown();
    void bringToFront();

    QTabWidget *m_sides;
    QTreeWidget *m_contents;
    QLineEdit *m_indexFilter;
    QListWidget *m_index;
    ChmBrowser *m_browser;
    QAction *m_back;
    QAction *m_forward;
    QAction *m_home;
    QString m_homePage;
    QString m_caption;
};
