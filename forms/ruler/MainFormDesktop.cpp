// What the desktop lets the ruler do. Under X11 (XWayland included) the ruler places itself and
// stays on top; a Wayland compositor places windows itself and tells no client where they are.

#include "forms/ruler/MainForm.h"

#include <QGuiApplication>

bool TMainForm::platformTellsPlace() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void TMainForm::tellAboutDesktop() {
    if (platformTellsPlace())
        return;
    // After the first frame, so that the box does not hold up the ruler.
    QMetaObject::invokeMethod(
        this,
        [this] {
            ZobrazitZpravu(QMessageBox::Information,
                           translated(QStringLiteral(
                               "Umístit pravítko a držet ho nad ostatními okny lze jen v relaci "
                               "X11 nebo přes XWayland. Tady o místě pravítka rozhoduje plocha; "
                               "jeho uložené místo zůstává zachováno.")));
        },
        Qt::QueuedConnection);
}
