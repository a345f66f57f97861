// The ruler window's position, zero end, length, desktop span and keyboard.

#include "forms/ruler/MainForm.h"

#include "core/settings/RulerState.h"
#include "core/units/DevicePixels.h"
#include "core/units/DistanceFormat.h"
#include "core/units/RulerLimits.h"
#include "core/units/RulerMath.h"
#include "core/units/ScreenPlacement.h"
#include "forms/ruler/ScreenTools.h"
#include "widgets/CoolForm.h"
#include "widgets/ImageControl.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

void TMainForm::HorizontVertik() {
    m_state.Horizontalni = !m_state.Horizontalni;
    // The length stays: what was the window's width becomes its height. A bar that spans the
    // desktop spans it the other way now, or it would reach past a screen that is less high
    // than wide.
    resize(size().transposed());
    if (m_state.CelaObrazovka) {
        zmenDelkuNa(kZacatkuPlochy(), false);
        return;
    }
    updateLayout();
    // The same pixels read anew: the resolution across may differ from the one down.
    ZobrazVzdalenost();
}

void TMainForm::keepOnScreen() {
    QList<QRect> screens;
    for (const QScreen *display : QGuiApplication::screens())
        screens << display->geometry();
    move(placeOnScreen(QRect(pos(), size()), screens));
}

void TMainForm::Obratit() {
    m_state.Obracene = !m_state.Obracene;
    // The zero end may now stand on another monitor, whose resolution the bar then measures by.
    sledujMonitor();
    kresliMeritko();
    ZobrazVzdalenost();
    zaznamenejProcenta();
    saveSoon();
}

void TMainForm::nastavDelku(int delka) {
    const int length = qBound(shortestBar, delka, longestBar);
    resize(m_state.Horizontalni ? QSize(length, height()) : QSize(width(), length));
    placeStrip();
}

bool TMainForm::keepReadingInPercent(int newLength) {
    if (m_state.Jednotka != UnitPercent)
        return false;
    m_state.Zalozky.placeAtPercent(newLength, m_state.Obracene);
    m_state.PoziceMeridla =
        percentPosition(roundToHundredths(m_state.Odecet), newLength, m_state.Obracene);
    return true;
}

void TMainForm::zmenDelkuNa(int newLength, bool keepPercent) {
    nastavDelku(newLength);
    // In the percent unit the arrow moves so that the shown number stays true; otherwise the
    // arrow stays and the number follows the new length, so the two always agree.
    const bool kept = keepPercent && keepReadingInPercent(delkaPravitka());
    ZmenaVelikostiDrop();
    if (!kept)
        ZobrazVzdalenost();
    // Markers that stayed where they were now stand at another percentage of the length.
    if (!keepPercent || m_state.Jednotka != UnitPercent)
        zaznamenejProcenta();
}

void TMainForm::ZmenaVelikostiOver(QObject *sender, int x, int y) {
    // Over the buttons, the arrow or a marker the far end stays where it is.
    const QWidget *over = childAt(x, y);
    const bool allowed = !over || over == CoolForm || over == labelMeridlo ||
                         over == imageVelikost || over == imageMeritko || over == buttonJednotka;
    Q_UNUSED(sender);
    if (!allowed)
        return;
    const int along = m_state.Horizontalni ? x : y;
    const int newLength = along + dragReach;
    if (along < 0 || newLength < section().minSize || newLength > longestBar)
        return;
    zmenDelkuNa(newLength, true);
}

void TMainForm::ZmenaVelikostiDrop() {
    updateLayout();
    // Painted at once: while the arrow is dragged, the bar keeps up with the pointer.
    CoolForm->repaint();
}

QRect TMainForm::celaPlocha() const {
    // Every device pixel of every screen, whatever their ratios, in the window's own terms.
    const QList<ScreenArea> screens = screenAreas();
    if (screens.isEmpty())
        return QRect(pos(), size());
    const QRect device = deviceDesktop(screens);
    return {logicalPlace(device.topLeft(), screens),
            QSize(logicalLength(device.width(), m_pomer), logicalLength(device.height(), m_pomer))};
}

int TMainForm::kZacatkuPlochy() {
    const QRect desktop = celaPlocha();
    move(m_state.Horizontalni ? QPoint(desktop.left(), y()) : QPoint(x(), desktop.top()));
    return m_state.Horizontalni ? desktop.width() : desktop.height();
}

void TMainForm::PresCelouObrazovku() {
    int length = 0;
    if (m_state.CelaObrazovka) {
        // The whole place comes back: a bar turned while it spanned the desktop moved across
        // its length too.
        m_mistoNaPlose = m_state.PuvodniPoloha;
        move(logicalPlace(m_state.PuvodniPoloha, screenAreas()));
        length = m_state.PuvodniDelka;
    } else {
        m_state.PuvodniPoloha = m_mistoNaPlose;
        m_state.PuvodniDelka = delkaOkna();
        length = kZacatkuPlochy();
    }
    m_state.CelaObrazovka = !m_state.CelaObrazovka;
    zmenDelkuNa(length, false);
}

void TMainForm::ZmenDelku(int step) {
    // The step is in device pixels; on a scaled screen it becomes whole logical pixels.
    const int logicalStep = steppedLogicalLength(delkaOkna(), step, m_pomer) - delkaOkna();
    const int newLength =
        keyedLength(delkaOkna(), logicalStep, qMax(shortestBar, section().minSize));
    if (newLength != delkaOkna())
        zmenDelkuNa(newLength, true);
}

void TMainForm::keyPressEvent(QKeyEvent *event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int step = ctrl ? 10 : 1;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Ctrl+Shift+Tab: Shift makes no difference here
        if (ctrl)
            ZmenJednotku(buttonJednotka);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        ZmenDelku(-step);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        ZmenDelku(step);
        break;
    case Qt::Key_Minus:
        if (keypad)
            ZmenDelku(-step);
        break;
    case Qt::Key_Plus:
        if (keypad)
            ZmenDelku(step);
        break;
    case Qt::Key_Insert:
        if (ctrl)
            Zkopiruj();
        else
            NovaZalozka(m_screenTools->snapped(m_state.PoziceMeridla));
        break;
    case Qt::Key_Delete:
        SmazZalozku(m_state.PoziceMeridla);
        break;
    case Qt::Key_F2:
        HorizontVertik();
        break;
    case Qt::Key_F3:
        Obratit();
        break;
    case Qt::Key_F9:
        OtevriMenu(buttonDalsiJednotky);
        break;
    case Qt::Key_F10:
        OtevriMenu(buttonMenu);
        break;
    case Qt::Key_F11:
        PresCelouObrazovku();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event) {
    const bool mouseEvent = event->type() == QEvent::MouseButtonPress ||
                            event->type() == QEvent::MouseMove ||
                            event->type() == QEvent::MouseButtonRelease;
    if (watched == imageVelikost && mouseEvent)
        return resizeArrowMouse(static_cast<QMouseEvent *>(event));
    if (watched == buttonJednotka) {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton &&
                buttonJednotka->rect().contains(mouse->position().toPoint()))
                ZmenJednotku(buttonJednotka);
        } else if (event->type() == QEvent::Enter) {
            EfektTlacitkaJednotkaStart();
        } else if (event->type() == QEvent::Leave) {
            EfektTlacitkaJednotkaEnd();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TMainForm::resizeArrowMouse(QMouseEvent *mouse) {
    // Pressing the resize arrow grabs the mouse; the far end follows it until the release.
    switch (mouse->type()) {
    case QEvent::MouseButtonPress:
        m_resizing = mouse->button() == Qt::LeftButton;
        if (m_resizing)
            imageVelikost->grabMouse();
        return m_resizing;
    case QEvent::MouseMove:
        if (m_resizing) {
            const QPoint at = imageVelikost->mapTo(this, mouse->position().toPoint());
            ZmenaVelikostiOver(imageVelikost, at.x(), at.y());
        }
        return m_resizing;
    default:
        if (!m_resizing || mouse->button() != Qt::LeftButton)
            return false;
        m_resizing = false;
        imageVelikost->releaseMouse();
        ZmenaVelikostiDrop();
        return true;
    }
}
