#pragma once

#include "core/help/HelpSearch.h"
#include "core/translation/Translation.h"

#include <QWidget>

class HelpArchive;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTimer;

// The Search tab of the help window: finds the pages of the reader's language that hold every
// word asked for, best first. The pages are read when the first search is made, a slice at a
// time, so that the window goes on answering.
class HelpSearchPage : public QWidget {
    Q_OBJECT

public:
    explicit HelpSearchPage(QWidget *parent = nullptr);

    // Searches this file's pages of the language in this folder ("cz", "en") from now on.
    void setFile(const HelpArchive *file, const QString &languageFolder);
    void retranslate(const Translate &translate);
    QLineEdit *queryEdit() const { return m_query; }

signals:
    // A result was opened; words are the search's words, for marking them on the page.
    void pageChosen(const QString &page, const QStringList &words);

private:
    void search();
    void indexSome();
    void showResults();
    void open(const QListWidgetItem *item);

    const HelpArchive *m_file = nullptr;
    QString m_folder;
    HelpSearchIndex m_index;
    QStringList m_unread; // pages still to index
    bool m_indexed = false;
    QTimer *m_indexing;
    QLineEdit *m_query;
    QListWidget *m_results;
    QString m_nothingFound;
};
