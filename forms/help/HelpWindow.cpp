#include "forms/help/HelpWindow.h"

#include "core/help/HelpLanguage.h"
#include "core/help/HelpLinks.h"
#include "core/help/HelpSearch.h"
#include "forms/help/ChmBrowser.h"
#include "forms/help/FindBar.h"
#include "forms/help/HelpSearchPage.h"
#include "forms/printing/PrintDocument.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int pageRole = Qt::UserRole;
constexpr int defaultContentsWidth = 230;

// The page's own title as the window shows it: one line of reasonable length, without the
// program's name, which the window title names once at its end anyway.
QString pageTitle(const QString &title, const QString &program) {
    constexpr int longest = 120;
    QString text = title.simplified();
    if (!program.isEmpty())
        text = text.remove(program, Qt::CaseInsensitive).simplified();
    static const QString separators = QStringLiteral(" -–—:|·");
    while (!text.isEmpty() && separators.contains(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && separators.contains(text.back()))
        text.chop(1);
    return text.size() > longest ? text.left(longest) + QChar(0x2026) : text;
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    // The ruler is the main window: closing it ends the program even while help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(820, 600);

    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("toolBar"));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = addAction("actionZpet", "go-previous", QStyle::SP_ArrowBack, {QKeySequence::Back});
    m_forward =
        addAction("actionVpred", "go-next", QStyle::SP_ArrowForward, {QKeySequence::Forward});
    m_home = addAction("actionDomu", "go-home", QStyle::SP_DirHomeIcon, {});
    m_find = addAction("actionNajit", "edit-find", QStyle::SP_FileDialogContentsView,
                       {QKeySequence::Find});
    m_zoomIn = addAction("actionZvetsit", "zoom-in", QStyle::SP_ArrowUp,
                         {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    m_zoomOut =
        addAction("actionZmensit", "zoom-out", QStyle::SP_ArrowDown, {QKeySequence::ZoomOut});
    m_print = addAction("actionTisk", "document-print", QStyle::SP_DialogSaveButton,
                        {QKeySequence::Print});
    m_zoomReset = addAction("actionPuvodniVelikost", "zoom-original", QStyle::SP_BrowserReload,
                            {QKeySequence(Qt::CTRL | Qt::Key_0)});
    m_findNext =
        addAction("actionNajitDalsi", "go-down", QStyle::SP_ArrowDown, {QKeySequence(Qt::Key_F3)});
    m_findPrevious = addAction("actionNajitPredchozi", "go-up", QStyle::SP_ArrowUp,
                               {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
    tools->addActions({m_back, m_forward, m_home});
    tools->addSeparator();
    tools->addActions({m_find, m_zoomIn, m_zoomOut, m_print});

    m_browser = new ChmBrowser;
    m_browser->setObjectName(QStringLiteral("browser"));
    m_findBar = new FindBar(m_browser);
    auto *page = new QWidget;
    auto *pageColumn = new QVBoxLayout(page);
    pageColumn->setContentsMargins(0, 0, 0, 0);
    pageColumn->setSpacing(0);
    pageColumn->addWidget(m_browser, 1);
    pageColumn->addWidget(m_findBar);

    m_splitter = new QSplitter(this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->addWidget(createSides());
    m_splitter->addWidget(page);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({defaultContentsWidth, width() - defaultContentsWidth});

    m_status = new QStatusBar;
    m_status->setObjectName(QStringLiteral("statusBar"));
    m_status->setSizeGripEnabled(false);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(tools);
    column->addWidget(m_splitter, 1);
    column->addWidget(m_status);

    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_home, &QAction::triggered, this, [this] { showPage(m_homePage); });
    connect(m_find, &QAction::triggered, m_findBar, &FindBar::open);
    connect(m_findNext, &QAction::triggered, m_findBar, [this] { m_findBar->findNext(); });
    connect(m_findPrevious, &QAction::triggered, m_findBar, [this] { m_findBar->findNext(true); });
    connect(m_zoomIn, &QAction::triggered, this,
            [this] { m_browser->setZoom(m_browser->zoom() + 1); });
    connect(m_zoomOut, &QAction::triggered, this,
            [this] { m_browser->setZoom(m_browser->zoom() - 1); });
    connect(m_zoomReset, &QAction::triggered, this, [this] { m_browser->setZoom(0); });
    connect(m_print, &QAction::triggered, this, &HelpWindow::print);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    // A section of the page shown is reached without a new source, but with a new history entry.
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::pageShown);
    connect(m_browser, &QTextBrowser::historyChanged, this, &HelpWindow::pageShown);
    connect(m_browser, &ChmBrowser::status, m_status,
            [this](const QString &text) { m_status->showMessage(text); });
    connect(m_findBar, &FindBar::status, m_status,
            [this](const QString &text) { m_status->showMessage(text); });
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
}

QAction *HelpWindow::addAction(const char *name, const char *theme, int fallback,
                               const QList<QKeySequence> &keys) {
    auto *action = new QAction(
        QIcon::fromTheme(QLatin1String(theme),
                         style()->standardIcon(static_cast<QStyle::StandardPixmap>(fallback))),
        QString(), this);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    QWidget::addAction(action);
    return action;
}

QWidget *HelpWindow::createSides() {
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
    m_search = new HelpSearchPage;
    m_search->setObjectName(QStringLiteral("tabHledat"));

    m_sides = new QTabWidget;
    m_sides->setObjectName(QStringLiteral("PageControl"));
    m_sides->addTab(m_contents, QString());
    m_sides->addTab(indexPage, QString());
    m_sides->addTab(m_search, QString());

    const auto openTreeItem = [this](QTreeWidgetItem *item) {
        openItemPage(item->data(0, pageRole).toString());
    };
    const auto openListItem = [this](QListWidgetItem *item) {
        openItemPage(item->data(pageRole).toString());
    };
    connect(m_contents, &QTreeWidget::itemActivated, this, openTreeItem);
    connect(m_contents, &QTreeWidget::itemClicked, this, openTreeItem);
    connect(m_index, &QListWidget::itemActivated, this, openListItem);
    connect(m_index, &QListWidget::itemClicked, this, openListItem);
    connect(m_indexFilter, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem *item = m_index->currentItem())
            openItemPage(item->data(pageRole).toString());
    });
    connect(m_search, &HelpSearchPage::pageChosen, this,
            [this](const QString &page, const QStringList &words) {
                showPage(page);
                m_browser->markWords(words);
            });
    return m_sides;
}

void HelpWindow::setFile(const HelpArchive *file, const QList<SitemapEntry> &contents,
                         const QList<SitemapEntry> &index, const QString &home) {
    m_file = file;
    m_allContents = contents;
    m_allIndex = index;
    m_homePage = home;
    m_browser->setFile(file);
    fillEntries();
}

void HelpWindow::setLanguage(const QLocale &language) {
    if (language == m_language && !m_folder.isEmpty())
        return;
    m_language = language;
    m_folder = helpLanguageFolder(language);
    fillEntries();
}

void HelpWindow::fillEntries() {
    m_contents->clear();
    addEntries(nullptr,
               m_folder.isEmpty() ? m_allContents : entriesOfLanguage(m_allContents, m_folder));
    m_contents->expandToDepth(0);
    m_index->clear();
    addIndexEntries(
        sortedIndex(m_folder.isEmpty() ? m_allIndex : entriesOfLanguage(m_allIndex, m_folder),
                    m_language),
        0);
    m_search->setFile(m_file, m_folder);
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
    // Like a paper index: typing jumps to the first entry that begins with the text, whether
    // or not it is typed with its accents.
    const QString typed = searchForm(text.trimmed());
    for (int row = 0; row < m_index->count(); ++row) {
        QListWidgetItem *item = m_index->item(row);
        if (searchForm(item->text().trimmed()).startsWith(typed)) {
            m_index->setCurrentItem(item);
            m_index->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpWindow::openItemPage(const QString &local) {
    if (!local.isEmpty())
        showPage(local);
}

void HelpWindow::showPage(const QString &page) {
    m_browser->showPage(page);
    bringToFront();
}

void HelpWindow::showContents() {
    m_sides->setCurrentIndex(0);
    // The first page of the reader's language opens the contents.
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        const QString local = (*it)->data(0, pageRole).toString();
        if (!local.isEmpty()) {
            showPage(local);
            return;
        }
    }
    showPage(m_homePage);
}

void HelpWindow::showIndex(const QString &keyword) {
    m_sides->setCurrentIndex(1);
    m_indexFilter->setText(keyword);
}

void HelpWindow::pageShown() {
    updateTitle();
    m_status->clearMessage();
    // The contents follow the page, so the reader sees where the page belongs: the entry of
    // the very section shown when there is one, else the page's first entry.
    const QUrl shown = m_browser->source();
    QTreeWidgetItem *pageItem = nullptr;
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        const QUrl entry = helpPageUrl((*it)->data(0, pageRole).toString());
        if (entry.path().compare(shown.path(), Qt::CaseInsensitive) != 0)
            continue;
        if (entry.fragment() == shown.fragment()) {
            pageItem = *it;
            break;
        }
        if (!pageItem)
            pageItem = *it;
    }
    if (pageItem)
        m_contents->setCurrentItem(pageItem);
    else
        m_contents->clearSelection();
}

void HelpWindow::updateTitle() {
    const QString program = QGuiApplication::applicationDisplayName();
    const QString page = pageTitle(m_browser->documentTitle(), program);
    // The desktop adds the program's name to a title that does not end with it; ending with it
    // names the program once.
    setWindowTitle((page.isEmpty() ? QString() : page + QStringLiteral(" – ")) + m_helpWord +
                   (program.isEmpty() ? QString() : QStringLiteral(" – ") + program));
}

void HelpWindow::bringToFront() {
    // A window shown again is placed anew by the window manager unless it is told where it
    // stood.
    if (!isVisible() && !m_closedPlace.geometry.isEmpty())
        restorePlace(m_closedPlace);
    show();
    raise();
    activateWindow();
}

void HelpWindow::print() {
    if (!printDocument(*m_browser->document(), this))
        QApplication::beep();
}

void HelpWindow::restorePlace(const HelpWindowPlace &place) {
    if (place.geometry.isEmpty())
        return;
    QList<QRect> monitors;
    for (const QScreen *screen : QGuiApplication::screens())
        monitors << screen->availableGeometry();
    const HelpWindowPlace fitted = fitOnMonitors(place, monitors);
    setGeometry(fitted.geometry);
    m_splitter->setSizes({fitted.contentsWidth, fitted.geometry.width() - fitted.contentsWidth});
}

HelpWindowPlace HelpWindow::place() const {
    return {isMaximized() || isFullScreen() ? normalGeometry() : geometry(),
            m_splitter->sizes().value(0)};
}

void HelpWindow::closeEvent(QCloseEvent *event) {
    if (isVisible()) {
        m_closedPlace = place();
        if (savePlace)
            savePlace(m_closedPlace);
    }
    QWidget::closeEvent(event);
}

void HelpWindow::retranslate(const Translate &translate) {
    const auto set = [&](QAction *action, const char16_t *czech) {
        action->setText(translate(QString::fromUtf16(czech), {}));
    };
    m_helpWord = translate(QStringLiteral("Nápověda"), {});
    setAccessibleName(translate(QStringLiteral("Nápověda programu Tavlinko"), {}));
    set(m_back, u"Zpět");
    set(m_forward, u"Vpřed");
    set(m_home, u"Úvod");
    set(m_find, u"Najít");
    set(m_findNext, u"Najít další");
    set(m_findPrevious, u"Najít předchozí");
    set(m_zoomIn, u"Větší písmo");
    set(m_zoomOut, u"Menší písmo");
    set(m_zoomReset, u"Původní velikost písma");
    set(m_print, u"Tisk");
    m_sides->setTabText(0, translate(QStringLiteral("Obsah"), {}));
    m_sides->setTabText(1, translate(QStringLiteral("Rejstřík"), {}));
    m_sides->setTabText(2, translate(QStringLiteral("Hledat"), {}));
    m_indexFilter->setPlaceholderText(translate(QStringLiteral("Hledat v rejstříku"), {}));
    m_sides->setAccessibleName(translate(QStringLiteral("Obsah a rejstřík nápovědy"), {}));
    m_contents->setAccessibleName(translate(QStringLiteral("Obsah"), {}));
    m_index->setAccessibleName(translate(QStringLiteral("Rejstřík"), {}));
    m_indexFilter->setAccessibleName(translate(QStringLiteral("Hledat v rejstříku"), {}));
    m_browser->setAccessibleName(translate(QStringLiteral("Stránka nápovědy"), {}));
    m_status->setAccessibleName(translate(QStringLiteral("Stavový řádek nápovědy"), {}));
    m_browser->translate = translate;
    m_search->retranslate(translate);
    m_findBar->retranslate(translate);
    updateTitle();
}
