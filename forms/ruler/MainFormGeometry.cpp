// The ruler window's orientation, zero end, length, desktop span and keyboard.

#include "forms/ruler/MainForm.h"

#include "core/settings/RulerState.h"
#include "core/units/DevicePixels.h"
#include "core/units/RulerLimits.h"
#include "core/units/RulerMath.h"
#include "forms/ruler/ReadingExport.h"
#include "forms/ruler/RulerMenus.h"
#include "forms/ruler/RulerView.h"
#include "forms/ruler/ScreenTools.h"
#include "widgets/CoolForm.h"
#include "widgets/ImageControl.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

// The window's logical length along the ruler.
int windowLength(const QWidget &window, bool horizontal) {
    return horizontal ? window.width() : window.height();
}

} // namespace

void TMainForm::HorizontVertik() {
    updateLayout(m_model.turn());
}

void TMainForm::Obratit() {
    updateLayout(m_model.swapZeroEnd());
}

void TMainForm::changeLengthTo(int logicalLength, bool keepPercent) {
    setLength(logicalLength);
    updateLayout(m_model.lengthChanged(keepPercent));
    // Painted at once: while the arrow is dragged, the bar keeps up with the pointer.
    m_view->CoolForm->repaint();
}

void TMainForm::ZmenaVelikostiOver(int x, int y) {
    // Over the buttons, the arrow or a marker the far end stays where it is.
    const QWidget *over = childAt(x, y);
    const RulerView &view = *m_view;
    const bool allowed = !over || over == view.CoolForm || over == view.labelMeridlo ||
                         over == view.imageVelikost || over == view.imageMeritko ||
                         over == view.buttonJednotka;
    if (!allowed)
        return;
    const int along = m_state.Horizontalni ? x : y;
    const int newLength = along + dragReach;
    if (along < 0 || newLength < view.section().minSize || newLength > longestBar)
        return;
    changeLengthTo(newLength, true);
}

void TMainForm::ZmenaVelikostiDrop() {
    // The drag has brought the readings along already.
    updateLayout(RulerChange::Shape | RulerChange::KeepReading);
    m_view->CoolForm->repaint();
}

void TMainForm::PresCelouObrazovku() {
    int length = 0;
    if (m_state.CelaObrazovka) {
        // The whole place comes back: a bar turned while it spanned the desktop moved across
        // its length too.
        m_place.moveTo(m_state.PuvodniPoloha);
        length = m_state.PuvodniDelka;
    } else {
        m_state.PuvodniPoloha = m_place.device();
        m_state.PuvodniDelka = windowLength(*this, m_state.Horizontalni);
        length = m_place.toDesktopStart(m_state.Horizontalni, m_ratio);
    }
    m_state.CelaObrazovka = !m_state.CelaObrazovka;
    changeLengthTo(length, false);
}

void TMainForm::ZmenDelku(int step) {
    // The step is in device pixels; on a scaled screen it becomes whole logical pixels.
    const int length = windowLength(*this, m_state.Horizontalni);
    const int logicalStep = steppedLogicalLength(length, step, m_ratio) - length;
    const int newLength =
        keyedLength(length, logicalStep, qMax(shortestBar, m_view->section().minSize));
    if (newLength != length)
        changeLengthTo(newLength, true);
}

void TMainForm::keyPressEvent(QKeyEvent *event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int step = ctrl ? 10 : 1;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Ctrl+Shift+Tab: Shift makes no difference here
        if (ctrl)
            m_menus->ZmenJednotku(m_view->buttonJednotka);
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
            m_export->Zkopiruj();
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
        m_menus->OtevriMenu(m_view->buttonDalsiJednotky);
        break;
    case Qt::Key_F10:
        m_menus->OtevriMenu(m_view->buttonMenu);
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
    if (watched == m_view->imageVelikost && mouseEvent)
        return resizeArrowMouse(static_cast<QMouseEvent *>(event));
    if (watched == m_view->buttonJednotka) {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton &&
                m_view->buttonJednotka->rect().contains(mouse->position().toPoint()))
                m_menus->ZmenJednotku(m_view->buttonJednotka);
        } else if (event->type() == QEvent::Enter) {
            m_view->EfektTlacitkaJednotkaStart();
        } else if (event->type() == QEvent::Leave) {
            m_view->EfektTlacitkaJednotkaEnd();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TMainForm::resizeArrowMouse(QMouseEvent *mouse) {
    // Pressing the resize arrow grabs the mouse; the far end follows it until the release.
    ImageControl *arrow = m_view->imageVelikost;
    switch (mouse->type()) {
    case QEvent::MouseButtonPress:
        m_resizing = mouse->button() == Qt::LeftButton;
        if (m_resizing)
            arrow->grabMouse();
        return m_resizing;
    case QEvent::MouseMove:
        if (m_resizing) {
            const QPoint at = arrow->mapTo(this, mouse->position().toPoint());
            ZmenaVelikostiOver(at.x(), at.y());
        }
        return m_resizing;
    default:
        if (!m_resizing || mouse->button() != Qt::LeftButton)
            return false;
        m_resizing = false;
        arrow->releaseMouse();
        ZmenaVelikostiDrop();
        return true;
    }
}
