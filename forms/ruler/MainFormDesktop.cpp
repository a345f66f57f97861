// What the desktop lets the ruler do. Under X11 (XWayland included) the ruler places itself and
// stays on top; a Wayland compositor places windows itself and tells no client where they are.
// Under XWayland the compositor may also enlarge the ruler's window itself, which makes it
// neither sharp nor exact to the pixel; the user is told how to let X11 programs scale
// themselves.

#include "forms/ruler/MainForm.h"

#include "core/screen/CompositorScaling.h"
#include "core/units/DevicePixels.h"
#include "forms/ruler/ScreenPixels.h"
#include "forms/ruler/WaylandOutputs.h"

#include <QGuiApplication>
#include <QScreen>

bool TMainForm::platformTellsPlace() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool TMainForm::compositorEnlargesRuler() const {
    const QScreen *display = QGuiApplication::primaryScreen();
    if (!display || QGuiApplication::platformName() != QLatin1String("xcb") ||
        !underWaylandSession())
        return false;
    return compositorScalesX11(deviceSize(display->virtualSize(), display->devicePixelRatio()),
                               waylandOutputModes());
}

void TMainForm::tellAboutDesktop() {
    // After the first frame, so that neither the question to the compositor nor the box holds
    // up the ruler.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!platformTellsPlace())
                ZobrazitZpravu(
                    QMessageBox::Information,
                    translated(QStringLiteral(
                        "Umístit pravítko a držet ho nad ostatními okny lze jen v relaci "
                        "X11 nebo přes XWayland. Tady o místě pravítka rozhoduje plocha; "
                        "jeho uložené místo zůstává zachováno.")));
            else if (compositorEnlargesRuler())
                ZobrazitZpravu(
                    QMessageBox::Information,
                    translated(QStringLiteral(
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
