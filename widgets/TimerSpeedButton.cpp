#include "widgets/TimerSpeedButton.h"

#include "core/drawing/BuiltInPictures.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QTimer>

#include <algorithm>

// Resources of a static library are registered by hand, outside any namespace.
static void registerGlyphResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(realspin_glyphs);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

// The built-in glyphs come in 1x, 2x and 3x drawings so that they stay sharp when scaled up.
QPixmap builtInGlyph(const QString &name, qreal devicePixelRatio) {
    const int scale = devicePixelRatio > 2 ? 3 : devicePixelRatio > 1 ? 2 : 1;
    const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    QPixmap glyph =
        QPixmap::fromImage(builtInPicture(QStringLiteral(":/glyphs/%1%2.png").arg(name, suffix)));
    glyph.setDevicePixelRatio(scale);
    return glyph;
}

// Paints the opaque pixels of `mask` in `color`, so the arrows follow light and dark themes.
QPixmap tinted(const QPixmap &mask, const QColor &color) {
    QPixmap result(mask.size());
    result.setDevicePixelRatio(mask.devicePixelRatio());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawPixmap(0, 0, mask);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(), mask.size()), color);
    return result;
}

} // namespace

TTimerSpeedButton::TTimerSpeedButton(QWidget *parent) : QAbstractButton(parent) {
    registerGlyphResources();
    setFocusPolicy(Qt::NoFocus);
}

void TTimerSpeedButton::setButtonFlags(ButtonFlags flags) {
    if (flags == m_flags)
        return;
    m_flags = flags;
    update();
}

QPixmap TTimerSpeedButton::glyph() const {
    return m_builtInGlyph.isEmpty() ? m_glyph : builtInGlyph(m_builtInGlyph, devicePixelRatioF());
}

void TTimerSpeedButton::setGlyph(const QPixmap &glyph) {
    m_glyph = glyph;
    m_builtInGlyph.clear();
    update();
}

void TTimerSpeedButton::setBuiltInGlyph(const QString &name) {
    m_glyph = QPixmap();
    m_builtInGlyph = name;
    update();
}

void TTimerSpeedButton::setNumGlyphs(int count) {
    m_numGlyphs = std::clamp(count, 1, 4);
    update();
}

QPixmap TTimerSpeedButton::faceGlyph() const {
    if (!m_builtInGlyph.isEmpty()) {
        const auto group = isEnabled() ? QPalette::Active : QPalette::Disabled;
        return tinted(builtInGlyph(m_builtInGlyph, devicePixelRatioF()),
                      palette().color(group, QPalette::ButtonText));
    }
    if (m_glyph.isNull())
        return m_glyph;
    // Frames side by side: normal, disabled, pressed.
    const int frameWidth = m_glyph.width() / m_numGlyphs;
    const int frame = !isEnabled() && m_numGlyphs > 1 ? 1 : isDown() && m_numGlyphs > 2 ? 2 : 0;
    const QPixmap face = m_glyph.copy(frame * frameWidth, 0, frameWidth, m_glyph.height());
    if (!isEnabled() && m_numGlyphs == 1) {
        QStyleOption option;
        option.initFrom(this);
        return style()->generatedIconPixmap(QIcon::Disabled, face, &option);
    }
    return face;
}

void TTimerSpeedButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);

    // A pressed face moves its picture one pixel right and down.
    const QPoint pressShift = isDown() ? QPoint(1, 1) : QPoint();
    const QPixmap face = faceGlyph();
    if (!face.isNull()) {
        const QSize size = face.deviceIndependentSize().toSize();
        const QPoint topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
        painter.drawPixmap(topLeft + pressShift, face);
    }
    if (m_flags & ShowFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3).translated(pressShift);
        focus.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent *event) {
    QAbstractButton::mousePressEvent(event);
    if (!(m_flags & AllowRepeat) || !isDown())
        return;
    if (!m_repeatTicker) {
        m_repeatTicker = new QTimer(this);
        // A coarse timer may fire up to 5 % early; the repeat is meant to keep its beat.
        m_repeatTicker->setTimerType(Qt::PreciseTimer);
        connect(m_repeatTicker, &QTimer::timeout, this, &TTimerSpeedButton::repeatTick);
    }
    m_repeatTicker->start(InitialRepeatDelay);
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent *event) {
    QAbstractButton::mouseReleaseEvent(event);
    if (m_repeatTicker)
        m_repeatTicker->stop();
}

void TTimerSpeedButton::repeatTick() {
    m_repeatTicker->setInterval(RepeatInterval);
    // Repeat only while the press still holds: the pointer has not slid off the button, the
    // button has not been hidden and the left button is still down.
    const bool held = QGuiApplication::mouseButtons() & Qt::LeftButton;
    if (!isDown() || !isVisible() || !held)
        return;
    try {
        emit clicked(isChecked());
    } catch (...) {
        m_repeatTicker->stop();
        throw;
    }
}
