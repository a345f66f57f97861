#include "app/FontConfigWarmUp.h"
#include "app/SessionBusProbe.h"
#include "app/SingleInstance.h"
#include "app/TavlinkoApplication.h"
#include "app/TerminationSignals.h"
#include "core/settings/DataFolders.h"
#include "core/settings/InfoSwitches.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "core/settings/UnsavedSettingsNote.h"
#include "forms/help/HtmlHelpViewer.h"
#include "forms/ruler/MainForm.h"

#include <QDir>
#include <QLocale>

#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <unistd.h>

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

#ifdef __GLIBC__
    // The ruler's few helper threads allocate little and mostly once; an arena of their own
    // each would keep its pages for the whole run.
    mallopt(M_ARENA_MAX, 1);
#endif
    TerminationSignals::catchSignals();
    // Whether the session bus answers at all is asked while the application object is built,
    // which takes longer than any bus that answers. Some time is left for the single-instance
    // calls after it.
    SessionBusProbe busProbe(SingleInstance::deadline * 3 / 4);

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

    RulerState state;
    state.CestaProgramu = QDir::toNativeSeparators(QApplication::applicationDirPath());
    if (!state.CestaProgramu.endsWith(QDir::separator()))
        state.CestaProgramu += QDir::separator();
    const QStringList switches = QApplication::arguments().mid(1);
    // Known before anything else uses the session bus: a bus that never answers is not used
    // from here on.
    busProbe.answers();
    SingleInstance instance(chosenSettingsFile(state.CestaProgramu, switches));
    if (instance.handedOver())
        return 0;

    // A signal ends the run the orderly way: every event loop ends, the boxes' too, and the
    // ruler saves. Nobody waits for a box then (a logout would hang on it): a failure to save
    // goes to the system log and is told at the next start.
    TerminationSignals termination;
    bool endedBySignal = false;
    bool unsaved = false;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&] {
        endedBySignal = true;
        state.unwritableReported = false;
        state.reportUnwritable = [&unsaved](const QString &path) {
            unsaved = true;
            std::fprintf(stderr, "tavlinko: the settings cannot be saved to %s\n",
                         QDir::toNativeSeparators(path).toLocal8Bit().constData());
            noteUnsavedSettings(path);
        };
        state.reportDroppedMonitors = [](int count) {
            std::fprintf(stderr, "tavlinko: %d monitors seen longest ago left the settings file\n",
                         count);
        };
        QCoreApplication::exit(0);
    });

    int result = 0;
    {
        // Help is ready before any window exists; without its engine the user is told so here.
        // The help file ships with the other data, which an installed program keeps in
        // ../share.
        THtmlHelpViewer help(shippedDataFolder(state.CestaProgramu));
        help.setHelpFile(QStringLiteral("tavlinko.chm"));

        // The ruler builds its dialogs when they are first opened, so that it shows sooner.
        TMainForm ruler(state, switches);
        QObject::connect(&instance, &SingleInstance::activationRequested, &ruler, [&ruler] {
            ruler.show();
            ruler.raise();
            ruler.activateWindow();
        });
        ruler.setHelp(help);

        // A signal that came while the ruler was being built (in a box it showed) has ended
        // the run.
        if (!endedBySignal) {
            fonts.wait();
            ruler.show();
            result = endedBySignal ? 0 : QApplication::exec();
            // Saves whatever is complete, unless closing the window has done so.
            ruler.close();
        }
    }
    if (unsaved)
        result = 1;
    if (instance.abandoned()) {
        // The settings are saved and the help reader has ended; only the bus library's wait
        // for a bus that never answers is left.
        std::fflush(nullptr);
        ::_exit(result);
    }
    return result;
}
