#include "app/TavlinkoApplication.h"
#include "app/TerminationSignals.h"
#include "core/settings/RulerState.h"
#include "forms/about/AboutForm.h"
#include "forms/help/HtmlHelpViewer.h"
#include "forms/ruler/MainForm.h"

#include <QDir>
#include <QLocale>

int main(int argc, char *argv[]) {
    // The ruler places itself and stays on top, which Wayland does not let a client do; under
    // XWayland it can.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    TavlinkoApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavlinko"));
    QLocale::setDefault(QLocale::system());

    RulerState state;
    state.CestaProgramu = QDir::toNativeSeparators(QApplication::applicationDirPath());
    if (!state.CestaProgramu.endsWith(QDir::separator()))
        state.CestaProgramu += QDir::separator();

    // Help is ready before any window exists; without its engine the user is told so here.
    THtmlHelpViewer help(state.CestaProgramu);
    help.setHelpFile(QStringLiteral("tavlinko.chm"));

    TMainForm ruler(state, QApplication::arguments().mid(1));
    ruler.setHelp(help);
    TAboutForm about(&ruler);
    ruler.setDialogs(&about, nullptr);
    ruler.show();

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                     &QCoreApplication::quit);
    return QApplication::exec();
}
