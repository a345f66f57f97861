#include "forms/ruler/Loupe.h"

#include "core/screen/LoupePicture.h"
#include "core/screen/OwnWindows.h"
#include "core/units/DevicePixels.h"
#include "widgets/AccessibleControl.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

// About sixty frames a second, while the loupe is on; none at all while it is off.
constexpr int frameInterval = 16;
// Frames skipped while the pointer stands still.
constexpr int stillFrames = 6;
// How long the place the loupe left still shows it, or nothing yet: the program beneath paints
// it again only when told to, which takes about a tenth of a second.
constexpr int repaintAllowance = 300;
// The least time between two readouts told to a screen reader: about three a second, which it
// can still speak before the next arrives.
constexpr int tellInterval = 300;

} // namespace

Loupe::Loupe(QWidget *owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus),
      m_zoom(defaultLoupeZoom) {
    setObjectName(QStringLiteral("Lupa"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("lupaObraz"));
    m_picture->setTextFormat(Qt::PlainText);
    m_picture->setWordWrap(true);
    m_picture->setAlignment(Qt::AlignCenter);
    setAccessibleRole(m_picture, QAccessible::Graphic);
    m_readout = new QLabel(this);
    m_readout->setObjectName(QStringLiteral("lupaUdaje"));
    m_readout->setTextFormat(Qt::PlainText);
    // A note takes several lines rather than widening the loupe off the screen.
    m_readout->setWordWrap(true);
    setAccessibleRole(m_readout, QAccessible::StaticText);
    layout->addWidget(m_picture);
    layout->addWidget(m_readout);
    m_timer.setInterval(frameInterval);
    connect(&m_timer, &QTimer::timeout, this, &Loupe::follow);
    m_tellLater.setSingleShot(true);
    connect(&m_tellLater, &QTimer::timeout, this, &Loupe::tellReadout);
}

void Loupe::start() {
    m_shownFor = QPoint(-1, -1);
    // Shown again, it is told again.
    m_told.clear();
    follow();
    show();
    m_timer.start();
}

void Loupe::stop() {
    m_timer.stop();
    m_tellLater.stop();
    hide();
    standAt(QRect());
}

void Loupe::standAt(const QRect &place) {
    if (place == m_place)
        return;
    if (!m_place.isNull()) {
        m_left = m_place;
        m_sinceLeft.start();
    }
    m_place = place;
}

QList<QRect> Loupe::placesOnScreen() const {
    QList<QRect> places;
    if (!m_place.isNull())
        places << m_place;
    if (m_sinceLeft.isValid() && m_sinceLeft.elapsed() < repaintAllowance)
        places << m_left;
    return places;
}

void Loupe::zoomBy(int steps) {
    m_zoom = steppedLoupeZoom(m_zoom, steps);
    if (running())
        showFrame(pointer());
}

void Loupe::wheelEvent(QWheelEvent *event) {
    zoomBy(event->angleDelta().y() > 0 ? 1 : -1);
}

void Loupe::follow() {
    const QPoint at = pointer();
    // A still pointer over a still screen needs no new frame; the screen may change under it,
    // so a still pointer is looked at again now and then.
    if (at == m_shownFor && ++m_stillFrames < stillFrames)
        return;
    m_stillFrames = 0;
    showFrame(at);
}

void Loupe::showFrame(QPoint device) {
    m_shownFor = device;
    const QRect sampled = loupeSampleArea(device, m_zoom);
    const QImage sample = readScreen(sampled);
    const QScreen *screen = QGuiApplication::screenAt(pos());
    const double ratio = screen ? screen->devicePixelRatio() : devicePixelRatio();
    const QSize pictureSize = (QSizeF(sampled.size() * m_zoom) / ratio).toSize();
    m_readout->setFixedWidth(pictureSize.width());
    std::optional<QRgb> colour;
    if (sample.size() == sampled.size()) {
        showPicture(sample, ratio);
        if (const QRgb middle = sample.pixel(sample.width() / 2, sample.height() / 2);
            isRead(middle))
            colour = middle;
    }
    const QString note = colour || !whyNotRead ? QString() : whyNotRead();
    if (sample.size() != sampled.size())
        showNote(note, pictureSize);
    const QString text = loupeReadout(device, colour, note, reading ? reading(device) : QString());
    if (text != m_readout->text()) {
        m_readout->setText(text);
        tellReadout();
    }
    adjustSize();

    // Placed in device pixels on the screen under the pointer, off the sampled square.
    const QList<ScreenArea> screens = screenAreas();
    QRect screenArea = sampled;
    for (const ScreenArea &area : screens)
        if (area.device().contains(device))
            screenArea = area.device();
    const QSize deviceSizeOfLoupe = ::deviceSize(size(), ratio);
    const QPoint place = loupePlace(deviceSizeOfLoupe, sampled, screenArea);
    move(logicalPlace(place, screens));
    standAt(QRect(place, deviceSizeOfLoupe));
}

void Loupe::tellReadout() {
    const QString text = m_readout->text();
    if (text == m_told)
        return;
    if (m_sinceTold.isValid() && m_sinceTold.elapsed() < tellInterval) {
        if (!m_tellLater.isActive())
            m_tellLater.start(int(tellInterval - m_sinceTold.elapsed()));
        return;
    }
    m_told = text;
    m_sinceTold.start();
    m_readout->setAccessibleName(text);
    if (tell)
        tell(text);
}

void Loupe::showPicture(const QImage &sample, double ratio) {
    QImage picture = loupePicture(sample, m_zoom);
    picture.setDevicePixelRatio(ratio);
    m_picture->setMinimumSize(0, 0);
    m_picture->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_picture->setPixmap(QPixmap::fromImage(picture));
}

// In the picture's place and at its size, so that the loupe keeps its shape.
void Loupe::showNote(const QString &note, QSize logicalSize) {
    m_picture->setFixedSize(logicalSize);
    if (m_picture->text() != note)
        m_picture->setText(note);
}

QString Loupe::readout() const {
    return m_readout->text();
}
