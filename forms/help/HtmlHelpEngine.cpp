#include "forms/help/HtmlHelpEngine.h"

#include "core/help/ChmFile.h"
#include "core/help/HelpCommands.h"
#include "core/help/HelpLanguage.h"
#include "core/help/HelpTopics.h"
#include "core/settings/TextFile.h"
#include "forms/help/HelpWindow.h"

#include <QFileInfo>

namespace {

QList<SitemapEntry> readSitemap(const ChmFile &file, const QString &extension) {
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

} // namespace

HtmlHelpEngine::HtmlHelpEngine(const ChmLibrary &library) : m_library(library) {
    language = [] { return QLocale(QLocale::Czech); };
    translate = [](const QString &text) { return text; };
}

HtmlHelpEngine::~HtmlHelpEngine() = default;

bool HtmlHelpEngine::openFile(const QString &fileName) {
    const QString path = QFileInfo(fileName).absoluteFilePath();
    if (m_file && m_file->fileName() == path)
        return true;
    auto file = std::make_unique<ChmFile>(m_library, path);
    if (!file->isOpen())
        return false;
    m_file = std::move(file);
    m_contents = readSitemap(*m_file, QStringLiteral("hhc"));
    m_index = readSitemap(*m_file, QStringLiteral("hhk"));
    m_home = firstPage(m_contents);
    if (m_home.isEmpty() && !m_file->files().isEmpty())
        m_home = m_file->files().first();
    if (m_window)
        m_window->setFile(m_file.get(), m_contents, m_index, m_home);
    return true;
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
    m_window->setLanguage(languageFolder());
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
        if (m_window)
            m_window->close();
        return;
    }
    const HelpTopic topic = splitTopic(file);
    if (!openFile(topic.file))
        return;
    switch (command) {
    case HH_DISPLAY_TOPIC:
        shownWindow().showPage(page(topic.page));
        break;
    case HH_DISPLAY_INDEX: {
        const QString keyword = data.toString();
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
