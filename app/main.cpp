#include "app/FontConfigWarmUp.h"
#include "app/SingleInstance.h"
#include "app/TavlinkoApplication.h"
#include "app/TerminationSignals.h"
#include "core/settings/DataFolders.h"
#include "core/settings/InfoSwitches.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "forms/help/HtmlHelpViewer.h"
#include "forms/ruler/MainForm.h"

#include <QDir>
#include <QLocale>
#include <QPointer>

#include <cstdio>

int main(int argc, char *argv[]) {
    // Answered on the terminal before anything needs a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const InfoRequest info = infoRequest(arguments); info != InfoRequest::None) {
        std::fputs(infoText(info, QStringLiteral(TAVLINKO_VERSION)).toLocal8Bit().constData(),
                   stdout);
        return 0;
    }

    TerminationSignals::catchSignals();

    // The ruler places itself and stays on top, which Wayland does not let a client do; under
    // XWayland it can.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    TavlinkoApplication app(argc, argv);
    // Reading fonts before the application exists only slowed the loading of the display's
    // plug-in, which the main thread is busy with then.
    FontConfigWarmUp fonts;
    QApplication::setApplicationName(QStringLiteral("Tavlinko"));
    // Lets the desktop tie the window to tavlinko.desktop, and so to its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tavlinko"));
    QLocale::setDefault(QLocale::system());

    // The first signal ends the run the orderly way: the ruler closes and saves, and a failed
    // save is reported. A second one ends the program even while that report, or any other box,
    // is open: exit() leaves every running event loop, the boxes' too. Before the ruler exists
    // (a box about missing help) a signal just ends the run.
    TerminationSignals termination;
    int requests = 0;
    QPointer<TMainForm> rulerToClose;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&] {
        if (++requests > 1 || !rulerToClose) {
            QCoreApplication::exit(0);
            return;
        }
        // Closing may open a box. It runs once this handler has returned, so that the signal
        // notifier is free to hear the next signal while the box waits.
        QMetaObject::invokeMethod(
            rulerToClose,
            [&rulerToClose] {
                rulerToClose->close();
                QCoreApplication::exit(0);
            },
            Qt::QueuedConnection);
    });

    RulerState state;
    state.CestaProgramu = QDir::toNativeSeparators(QApplication::applicationDirPath());
    if (!state.CestaProgramu.endsWith(QDir::separator()))
        state.CestaProgramu += QDir::separator();

    SingleInstance instance(
        chosenSettingsFile(state.CestaProgramu, QApplication::arguments().mid(1)));
    if (instance.handedOver())
        return 0;

    // Help is ready before any window exists; without its engine the user is told so here. The
    // help file ships with the other data, which an installed program keeps in ../share.
    THtmlHelpViewer help(shippedDataFolder(state.CestaProgramu));
    help.setHelpFile(QStringLiteral("tavlinko.chm"));

    if (requests > 0)
        return 0;
    // The ruler builds its dialogs when they are first opened, so that it shows sooner.
    TMainForm ruler(state, QApplication::arguments().mid(1));
    rulerToClose = &ruler;
    QObject::connect(&instance, &SingleInstance::activationRequested, &ruler, [&ruler] {
        ruler.show();
        ruler.raise();
        ruler.activateWindow();
    });
    ruler.setHelp(help);

    fonts.wait();
    ruler.show();
    // A signal that came while the ruler started (in a box it showed) has ended the run.
    const int result = requests == 0 ? QApplication::exec() : 0;
    // Saves whatever is complete, unless closing the window has done so.
    ruler.close();
    return result;
}
