#include "forms/help/HtmlHelpEngine.h"

#include "core/help/HelpCommands.h"
#include "core/help/HelpFileReader.h"
#include "core/help/HelpLanguage.h"
#include "core/help/HelpTopics.h"
#include "core/settings/TextFile.h"
#include "forms/help/HelpWindow.h"
#include "widgets/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>

namespace {

QList<SitemapEntry> readSitemap(const HelpArchive &file, const QString &extension) {
    const QString name = file.firstWithExtension(extension);
    const std::optional<QByteArray> bytes = name.isEmpty() ? std::nullopt : file.read(name);
    return bytes ? parseSitemap(decodeText(*bytes)) : QList<SitemapEntry>();
}

QString firstPage(const QList<SitemapEntry> &entries) {
    for (const SitemapEntry &entry : entries) {
        if (!entry.local.isEmpty())
            return resolvePage(QString(), entry.local);
        const QString inner = firstPage(entry.children);
        if (!inner.isEmpty())
            return inner;
    }
    return QString();
}

void showFailureBox(const QString &text) {
    // Not modal: the ruler goes on while the box is open.
    QMessageBox *box = createMessageBox(QMessageBox::Warning, text, nullptr);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

} // namespace

HtmlHelpEngine::HtmlHelpEngine(const QString &readerProgram)
    : m_reader(std::make_unique<HelpFileReader>(readerProgram)) {
    language = [] { return QLocale(QLocale::Czech); };
    reportFailure = showFailureBox;
    QObject::connect(m_reader.get(), &HelpFileReader::loaded, m_reader.get(),
                     [this](std::shared_ptr<const HelpArchive> archive) { opened(archive); });
    QObject::connect(m_reader.get(), &HelpFileReader::failed, m_reader.get(),
                     [this](const QString &fileName) { failed(fileName); });
    QObject::connect(
        m_reader.get(), &HelpFileReader::readerMissing, m_reader.get(),
        [this](const QString &program) {
            m_pending.reset();
            reportFailure(translate(QStringLiteral("Prohlížeč nápovědy není správně nainstalován: "
                                                   "program %s nelze spustit."),
                                    {QDir::toNativeSeparators(program)}));
        });
}

HtmlHelpEngine::~HtmlHelpEngine() = default;

bool HtmlHelpEngine::reading() const {
    return !m_reader->reading().isEmpty();
}

void HtmlHelpEngine::setReaderProgram(const QString &readerProgram) {
    m_reader->setProgram(readerProgram);
}

void HtmlHelpEngine::opened(std::shared_ptr<const HelpArchive> archive) {
    m_file = std::move(archive);
    m_contents = readSitemap(*m_file, QStringLiteral("hhc"));
    m_index = readSitemap(*m_file, QStringLiteral("hhk"));
    m_home = firstPage(m_contents);
    if (m_home.isEmpty() && !m_file->files().isEmpty())
        m_home = m_file->files().first();
    if (m_window)
        m_window->setFile(m_file.get(), m_contents, m_index, m_home);
    if (m_pending)
        carryOut(*std::exchange(m_pending, std::nullopt));
}

void HtmlHelpEngine::failed(const QString &fileName) {
    m_pending.reset();
    reportFailure(translate(QStringLiteral("Soubor nápovědy %s nelze přečíst: je poškozený nebo "
                                           "příliš velký. Pravítko pracuje dál bez nápovědy."),
                            {QDir::toNativeSeparators(fileName)}));
}

HelpWindow &HtmlHelpEngine::shownWindow() {
    if (!m_window) {
        m_window = std::make_unique<HelpWindow>();
        m_window->setFile(m_file.get(), m_contents, m_index, m_home);
        if (loadPlace)
            m_window->restorePlace(loadPlace());
        m_window->savePlace = [this](const HelpWindowPlace &place) {
            if (savePlace)
                savePlace(place);
        };
    }
    m_window->setLanguage(language());
    m_window->retranslate(translate);
    return *m_window;
}

QString HtmlHelpEngine::languageFolder() const {
    return helpLanguageFolder(language());
}

QString HtmlHelpEngine::page(const QString &wanted) const {
    const PageExists exists = [this](const QString &page) { return m_file->contains(page); };
    return localizedPage(wanted.isEmpty() ? m_home : wanted,
                         languageFolder() == helpLanguageFolder(QLocale(QLocale::Czech)), exists);
}

void HtmlHelpEngine::HtmlHelp(const QString &file, int command, const QVariant &data) {
    if (command == HH_CLOSE_ALL) {
        m_reader->stop();
        m_pending.reset();
        if (m_window)
            m_window->close();
        return;
    }
    const HelpTopic topic = splitTopic(file);
    const QString path = QFileInfo(topic.file).absoluteFilePath();
    const Request request{topic.page, command, data};
    if (m_file && m_file->fileName() == path && !reading()) {
        carryOut(request);
        return;
    }
    m_pending = request;
    if (m_reader->reading() != path)
        m_reader->read(path);
}

void HtmlHelpEngine::carryOut(const Request &request) {
    switch (request.command) {
    case HH_DISPLAY_TOPIC:
        shownWindow().showPage(page(request.topicPage));
        break;
    case HH_DISPLAY_INDEX: {
        const QString keyword = request.data.toString();
        const QString found = keywordPage(
            keyword, m_index, [this](const QString &page) { return m_file->contains(page); });
        if (found.isEmpty()) {
            shownWindow().showContents();
        } else {
            shownWindow().showPage(page(found));
            if (!m_file->contains(keyword.section(u'#', 0, 0)))
                shownWindow().showIndex(keyword);
        }
        break;
    }
    case HH_DISPLAY_TOC:
    case HH_HELP_CONTEXT:
        // The help file maps no context numbers, so a context request opens the contents.
        shownWindow().showContents();
        break;
    default:
        break;
    }
}
