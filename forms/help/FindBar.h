#pragma once

#include "core/translation/Translation.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QTextBrowser;
class QToolButton;

// Finds text on the page shown: the bar under the page opens with Ctrl+F, finds as one types,
// F3 and Shift+F3 go to the next and the previous place, round past the page's end, Esc closes.
class FindBar : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(QTextBrowser *browser, QWidget *parent = nullptr);

    void open();
    // Returns false, and says so, when the text is nowhere on the page.
    bool findNext(bool backward = false);
    void retranslate(const Translate &translate);
    QLineEdit *edit() const { return m_edit; }

signals:
    void status(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QTextBrowser *m_browser;
    QLineEdit *m_edit;
    QToolButton *m_previous;
    QToolButton *m_next;
    QToolButton *m_close;
    Translate m_translate = std::bind_front(translatedText, nullptr);
};
