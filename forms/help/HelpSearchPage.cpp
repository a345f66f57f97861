#include "forms/help/HelpSearchPage.h"

#include "core/help/HelpArchive.h"
#include "core/help/HelpLanguage.h"
#include "core/settings/TextFile.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int pageRole = Qt::UserRole;
}

HelpSearchPage::HelpSearchPage(QWidget *parent) : QWidget(parent) {
    m_query = new QLineEdit;
    m_query->setObjectName(QStringLiteral("editHledatText"));
    m_query->setClearButtonEnabled(true);
    m_results = new QListWidget;
    m_results->setObjectName(QStringLiteral("listVysledky"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->addWidget(m_query);
    column->addWidget(m_results);
    connect(m_query, &QLineEdit::returnPressed, this, &HelpSearchPage::search);
    connect(m_results, &QListWidget::itemActivated, this, &HelpSearchPage::open);
    connect(m_results, &QListWidget::itemClicked, this, &HelpSearchPage::open);
    m_indexing = new QTimer(this);
    m_indexing->setSingleShot(true);
    m_indexing->setInterval(0);
    connect(m_indexing, &QTimer::timeout, this, [this] {
        indexSome();
        if (m_indexed)
            showResults();
    });
}

void HelpSearchPage::setFile(const HelpArchive *file, const QString &languageFolder) {
    if (file == m_file && languageFolder == m_folder)
        return;
    m_file = file;
    m_folder = languageFolder;
    m_index = HelpSearchIndex();
    m_unread.clear();
    m_indexed = false;
    m_indexing->stop();
    m_results->clear();
}

void HelpSearchPage::search() {
    if (!m_file)
        return;
    if (!m_indexed && !m_indexing->isActive()) {
        for (const QString &path : m_file->files()) {
            const QString suffix = QFileInfo(path).suffix().toLower();
            if ((suffix == QLatin1String("html") || suffix == QLatin1String("htm")) &&
                isPageOfLanguage(path, m_folder))
                m_unread << path;
        }
        indexSome();
    }
    if (m_indexed)
        showResults();
}

void HelpSearchPage::indexSome() {
    // The pages are read in slices between which the window answers, so that a help file of
    // many large pages never freezes it; the results come when the last page is read.
    constexpr int sliceMs = 20;
    QElapsedTimer clock;
    clock.start();
    while (!m_unread.isEmpty() && clock.elapsed() < sliceMs) {
        const QString path = m_unread.takeFirst();
        if (const std::optional<QByteArray> bytes = m_file->read(path))
            m_index.addPage(path, decodeText(*bytes));
    }
    if (!m_unread.isEmpty()) {
        m_indexing->start();
        return;
    }
    m_indexed = true;
}

void HelpSearchPage::showResults() {
    m_results->clear();
    const QList<SearchHit> hits = m_index.find(m_query->text());
    for (const SearchHit &hit : hits) {
        auto *item = new QListWidgetItem(hit.title.isEmpty() ? hit.page : hit.title, m_results);
        item->setData(pageRole, hit.page);
    }
    if (hits.isEmpty() && !queryWords(m_query->text()).isEmpty()) {
        auto *item = new QListWidgetItem(m_nothingFound, m_results);
        item->setFlags(Qt::NoItemFlags);
    }
    if (!hits.isEmpty())
        m_results->setCurrentRow(0);
}

void HelpSearchPage::open(const QListWidgetItem *item) {
    if (!item->data(pageRole).toString().isEmpty())
        emit pageChosen(item->data(pageRole).toString(), queryWords(m_query->text()));
}

void HelpSearchPage::retranslate(const Translate &translate) {
    m_query->setPlaceholderText(translate(QStringLiteral("Hledat v textu stránek"), {}));
    m_query->setAccessibleName(translate(QStringLiteral("Hledat v textu stránek"), {}));
    m_results->setAccessibleName(translate(QStringLiteral("Nalezené stránky"), {}));
    m_nothingFound = translate(QStringLiteral("Nic nenalezeno."), {});
}
