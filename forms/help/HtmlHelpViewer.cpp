#include "forms/help/HtmlHelpViewer.h"

#include "core/help/HelpCommands.h"
#include "core/help/HelpLocation.h"
#include "forms/help/HelpKeyword.h"
#include "forms/help/HtmlHelpEngine.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

void showWarningBox(const QString &caption, const QString &text) {
    std::unique_ptr<QMessageBox> box(createMessageBox(QMessageBox::Warning, text, nullptr));
    box->setWindowTitle(caption);
    box->exec();
}

} // namespace

THtmlHelpViewer::THtmlHelpViewer(const QString &programFolder, const QString &library,
                                 const Warning &warn)
    : m_library(library), m_programFolder(programFolder) {
    if (!m_library.isLoaded()) {
        // Shown before any window exists, and so before any language is read.
        (warn ? warn : showWarningBox)(
            QStringLiteral("Warning!"),
            QStringLiteral("Unable to view HTML help (*.chm). Update windows help system."));
        return;
    }
    m_engine =
        std::make_unique<HtmlHelpEngine>(helpReaderProgram(QCoreApplication::applicationDirPath()));
    HtmlHelp = [this](const QString &file, int command, const QVariant &data) {
        m_engine->HtmlHelp(file, command, data);
    };
    qApp->installEventFilter(this);
}

THtmlHelpViewer::~THtmlHelpViewer() {
    if (engineLoaded())
        SoftShutDown();
}

QString THtmlHelpViewer::ResolveHelpFile(const QString &requested) const {
    return ::ResolveHelpFile(requested.isEmpty() ? m_helpFile : requested, m_programFolder);
}

void THtmlHelpViewer::ShowHelp(const QString &keyword) {
    const QString file = ResolveHelpFile(QString());
    if (engineLoaded() && !file.isEmpty())
        HtmlHelp(file, HH_DISPLAY_INDEX, keyword);
}

void THtmlHelpViewer::ShowTableOfContents() {
    const QString file = ResolveHelpFile(QString());
    if (engineLoaded() && !file.isEmpty())
        HtmlHelp(file, HH_DISPLAY_TOC, 0);
}

void THtmlHelpViewer::DisplayTopic(const QString &topic) {
    const QString file = ResolveHelpFile(QString());
    if (engineLoaded() && !file.isEmpty())
        HtmlHelp(file + QStringLiteral(" ::/") + topic, HH_DISPLAY_TOPIC, 0);
}

void THtmlHelpViewer::DisplayHelpByContext(int context, const QString &helpFile) {
    const QString file = ResolveHelpFile(helpFile);
    if (engineLoaded() && !file.isEmpty())
        HtmlHelp(file, HH_HELP_CONTEXT, context);
}

void THtmlHelpViewer::SoftShutDown() {
    if (engineLoaded())
        HtmlHelp(QString(), HH_CLOSE_ALL, 0);
}

bool THtmlHelpViewer::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            const QString keyword = helpKeywordFor(static_cast<QWidget *>(watched));
            if (!keyword.isEmpty()) {
                ShowHelp(keyword);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
