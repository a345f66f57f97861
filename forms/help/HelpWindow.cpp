#include "forms/help/HelpWindow.h"

#include "core/help/HelpTopics.h"
#include "forms/help/ChmBrowser.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {
constexpr int pageRole = Qt::UserRole;
}

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    // The ruler is the main window: closing it ends the program even while help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(820, 600);

    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("toolBar"));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto icon = [this](const char *theme, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QLatin1String(theme), style()->standardIcon(fallback));
    };
    m_back = tools->addAction(icon("go-previous", QStyle::SP_ArrowBack), QString());
    m_forward = tools->addAction(icon("go-next", QStyle::SP_ArrowForward), QString());
    m_home = tools->addAction(icon("go-home", QStyle::SP_DirHomeIcon), QString());
    m_back->setObjectName(QStringLiteral("actionZpet"));
    m_forward->setObjectName(QStringLiteral("actionVpred"));
    m_home->setObjectName(QStringLiteral("actionDomu"));
    m_back->setShortcut(QKeySequence::Back);
    m_forward->setShortcut(QKeySequence::Forward);

    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("treeObsah"));
    m_contents->setHeaderHidden(true);
    m_indexFilter = new QLineEdit;
    m_indexFilter->setObjectName(QStringLiteral("editHledat"));
    m_indexFilter->setClearButtonEnabled(true);
    m_index = new QListWidget;
    m_index->setObjectName(QStringLiteral("listRejstrik"));
    auto *indexPage = new QWidget;
    auto *indexColumn = new QVBoxLayout(indexPage);
    indexColumn->setContentsMargins(2, 2, 2, 2);
    indexColumn->addWidget(m_indexFilter);
    indexColumn->addWidget(m_index);

    m_sides = new QTabWidget;
    m_sides->setObjectName(QStringLiteral("PageControl"));
    m_sides->addTab(m_contents, QString());
    m_sides->addTab(indexPage, QString());

    m_browser = new ChmBrowser;
    m_browser->setObjectName(QStringLiteral("browser"));

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_sides);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 590});

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(tools);
    column->addWidget(splitter, 1);

    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_home, &QAction::triggered, this, [this] { showPage(m_homePage); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::pageShown);
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { openItemPage(item->data(0, pageRole).toString()); });
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { openItemPage(item->data(0, pageRole).toString()); });
    connect(m_index, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { openItemPage(item->data(pageRole).toString()); });
    connect(m_index, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { openItemPage(item->data(pageRole).toString()); });
    connect(m_indexFilter, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem *item = m_index->currentItem())
            openItemPage(item->data(pageRole).toString());
    });
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
}

void HelpWindow::setFile(const HelpArchive *file, const QList<SitemapEntry> &contents,
                         const QList<SitemapEntry> &index, const QString &home) {
    m_homePage = home;
    m_browser->setFile(file);
    m_contents->clear();
    addEntries(nullptr, contents);
    m_contents->expandToDepth(0);
    m_index->clear();
    addIndexEntries(index, 0);
}

void HelpWindow::addEntries(QTreeWidgetItem *parent, const QList<SitemapEntry> &entries) {
    for (const SitemapEntry &entry : entries) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, entry.name);
        item->setData(0, pageRole, entry.local);
        addEntries(item, entry.children);
    }
}

void HelpWindow::addIndexEntries(const QList<SitemapEntry> &entries, int depth) {
    for (const SitemapEntry &entry : entries) {
        auto *item = new QListWidgetItem(QString(depth * 4, u' ') + entry.name, m_index);
        item->setData(pageRole, entry.local);
        addIndexEntries(entry.children, depth + 1);
    }
}

void HelpWindow::filterIndex(const QString &text) {
    // Like a paper index: typing jumps to the first entry that begins with the text.
    for (int row = 0; row < m_index->count(); ++row) {
        QListWidgetItem *item = m_index->item(row);
        if (item->text().trimmed().startsWith(text.trimmed(), Qt::CaseInsensitive)) {
            m_index->setCurrentItem(item);
            m_index->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpWindow::openItemPage(const QString &local) {
    if (!local.isEmpty())
        showPage(resolvePage(QString(), local));
}

void HelpWindow::showPage(const QString &page) {
    m_browser->showPage(page);
    bringToFront();
}

void HelpWindow::showContents() {
    m_sides->setCurrentIndex(0);
    showPage(m_homePage);
}

void HelpWindow::showIndex(const QString &keyword) {
    m_sides->setCurrentIndex(1);
    m_indexFilter->setText(keyword);
}

void HelpWindow::pageShown() {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? m_caption : title + QStringLiteral(" – ") + m_caption);
    // The contents follow the page, so the reader sees where the page belongs.
    const QString page = m_browser->page();
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if (resolvePage(QString(), (*it)->data(0, pageRole).toString())
                .compare(page, Qt::CaseInsensitive) == 0) {
            m_contents->setCurrentItem(*it);
            break;
        }
    }
}

void HelpWindow::bringToFront() {
    show();
    raise();
    activateWindow();
}

void HelpWindow::retranslate(const std::function<QString(const QString &)> &translate) {
    m_caption = translate(QStringLiteral("Nápověda programu Tavlinko"));
    m_back->setText(translate(QStringLiteral("Zpět")));
    m_forward->setText(translate(QStringLiteral("Vpřed")));
    m_home->setText(translate(QStringLiteral("Úvod")));
    m_sides->setTabText(0, translate(QStringLiteral("Obsah")));
    m_sides->setTabText(1, translate(QStringLiteral("Rejstřík")));
    m_indexFilter->setPlaceholderText(translate(QStringLiteral("Hledat v rejstříku")));
    m_sides->setAccessibleName(translate(QStringLiteral("Obsah a rejstřík nápovědy")));
    m_contents->setAccessibleName(translate(QStringLiteral("Obsah")));
    m_index->setAccessibleName(translate(QStringLiteral("Rejstřík")));
    m_indexFilter->setAccessibleName(translate(QStringLiteral("Hledat v rejstříku")));
    m_browser->setAccessibleName(translate(QStringLiteral("Stránka nápovědy")));
    m_browser->translate = translate;
    pageShown();
}
