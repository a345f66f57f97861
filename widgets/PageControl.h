#pragma once

#include <QWidget>

class QStackedLayout;
class QTabBar;

// Pages with tabs, one page shown at a time. The pages are children of the control itself, so
// the translator reaches a page's controls by the path form.control.page.name; a tab's caption
// follows its page's window title, which is a property the translator can set. Ctrl+Tab and
// Ctrl+Page Down go to the next page anywhere in the window, Ctrl+Shift+Tab and Ctrl+Page Up to
// the one before, round the ends.
class PageControl : public QWidget {
    Q_OBJECT

public:
    explicit PageControl(QWidget *parent = nullptr);

    // Adds page behind the others, with its window title as the tab's caption.
    void addPage(QWidget *page);
    int count() const;
    QWidget *page(int index) const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    QTabBar *tabBar() const { return m_tabs; }
    // Moves by `step` pages, wrapping round at either end.
    void turnPages(int step);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void nameScrollButtons();

    QTabBar *m_tabs;
    QStackedLayout *m_pages;
};
