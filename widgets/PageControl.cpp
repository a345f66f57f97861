#include "widgets/PageControl.h"

#include <QEvent>
#include <QShortcut>
#include <QStackedLayout>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

PageControl::PageControl(QWidget *parent) : QWidget(parent) {
    m_tabs = new QTabBar(this);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_tabs);
    m_pages = new QStackedLayout;
    m_pages->setContentsMargins(2, 2, 2, 2);
    column->addLayout(m_pages, 1);
    connect(m_tabs, &QTabBar::currentChanged, m_pages, &QStackedLayout::setCurrentIndex);

    const std::pair<QKeySequence, int> pageKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto &[keys, step] : pageKeys) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { turnPages(step); });
    }
}

void PageControl::turnPages(int step) {
    const int pages = count();
    if (pages > 0)
        setCurrentIndex(((currentIndex() + step) % pages + pages) % pages);
}

// The tab bar names its scroll buttons once, in the language of that moment; they follow the
// language like every other text.
// The bar makes the backward button first.
void PageControl::nameScrollButtons() {
    const QList<QToolButton *> buttons =
        m_tabs->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly);
    const char *const names[] = {QT_TRANSLATE_NOOP("QTabBar", "Scroll Left"),
                                 QT_TRANSLATE_NOOP("QTabBar", "Scroll Right")};
    for (int i = 0; i < std::min<qsizetype>(buttons.size(), 2); ++i)
        buttons[i]->setAccessibleName(QTabBar::tr(names[i]));
}

void PageControl::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        nameScrollButtons();
}

void PageControl::addPage(QWidget *page) {
    m_pages->addWidget(page);
    m_tabs->addTab(page->windowTitle());
    page->installEventFilter(this);
}

int PageControl::count() const {
    return m_pages->count();
}

QWidget *PageControl::page(int index) const {
    return m_pages->widget(index);
}

int PageControl::currentIndex() const {
    return m_tabs->currentIndex();
}

void PageControl::setCurrentIndex(int index) {
    m_tabs->setCurrentIndex(index);
}

bool PageControl::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::WindowTitleChange) {
        auto *changed = static_cast<QWidget *>(watched);
        const int index = m_pages->indexOf(changed);
        if (index >= 0)
            m_tabs->setTabText(index, changed->windowTitle());
    }
    return QWidget::eventFilter(watched, event);
}

void PageControl::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, m_tabs->height() - 1, 0, 0);
    frame.tabBarSize = m_tabs->size();
    frame.shape = m_tabs->shape();
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}
