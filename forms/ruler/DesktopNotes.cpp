#include "forms/ruler/DesktopNotes.h"

#include "core/screen/CompositorScaling.h"
#include "core/units/DevicePixels.h"
#include "forms/ruler/DesktopPlace.h"
#include "forms/ruler/RulerContext.h"
#include "forms/ruler/ScreenPixels.h"
#include "forms/ruler/WaylandOutputs.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

bool compositorEnlargesRuler() {
    const QScreen *display = QGuiApplication::primaryScreen();
    if (!display || QGuiApplication::platformName() != QLatin1String("xcb") ||
        !underWaylandSession())
        return false;
    return compositorScalesX11(deviceSize(display->virtualSize(), display->devicePixelRatio()),
                               waylandOutputModes());
}

} // namespace

void tellAboutDesktop(RulerContext &context) {
    QMetaObject::invokeMethod(
        &context.window(),
        [&context] {
            if (!DesktopPlace::platformTellsPlace())
                context.report(
                    QMessageBox::Information,
                    context.translate(QStringLiteral(
                        "Umístit pravítko a držet ho nad ostatními okny lze jen v relaci "
                        "X11 nebo přes XWayland. Tady o místě pravítka rozhoduje plocha; "
                        "jeho uložené místo zůstává zachováno.")));
            else if (compositorEnlargesRuler())
                context.report(
                    QMessageBox::Information,
                    context.translate(QStringLiteral(
                        "Plocha Wayland zvětšuje okno pravítka sama, a proto jeho čárky nejsou "
                        "ostré ani přesné na pixel. Nechte programy X11 zvětšovat se samy: v KDE "
                        "Plasma v Nastavení systému, Obrazovka a monitor, zvolte u starších "
                        "aplikací (X11) možnost Škálují se samy; v GNOME 47 a novějším přidejte "
                        "k experimentálním funkcím správce mutter (org.gnome.mutter "
                        "experimental-features) položku xwayland-native-scaling. Postup je v "
                        "nápovědě.")));
        },
        Qt::QueuedConnection);
}
