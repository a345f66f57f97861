#include "forms/ruler/Loupe.h"

#include "core/screen/LoupePicture.h"
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
    setAccessibleRole(m_picture, QAccessible::Graphic);
    m_readout = new QLabel(this);
    m_readout->setObjectName(QStringLiteral("lupaUdaje"));
    m_readout->setTextFormat(Qt::PlainText);
    setAccessibleRole(m_readout, QAccessible::StaticText);
    layout->addWidget(m_picture);
    layout->addWidget(m_readout);
    m_timer.setInterval(frameInterval);
    connect(&m_timer, &QTimer::timeout, this, &Loupe::follow);
}

void Loupe::start() {
    m_shownFor = QPoint(-1, -1);
    follow();
    show();
    m_timer.start();
}

void Loupe::stop() {
    m_timer.stop();
    hide();
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
    QImage sample = readScreen(sampled);
    if (sample.size() != sampled.size()) {
        sample = QImage(sampled.size(), QImage::Format_RGB32);
        sample.fill(Qt::black);
    }
    QImage picture = loupePicture(sample, m_zoom);
    const QScreen *screen = QGuiApplication::screenAt(pos());
    const double ratio = screen ? screen->devicePixelRatio() : devicePixelRatio();
    picture.setDevicePixelRatio(ratio);
    m_picture->setPixmap(QPixmap::fromImage(picture));

    const QRgb colour = sample.pixel(sample.width() / 2, sample.height() / 2);
    QString text =
        QStringLiteral("%1, %2  %3").arg(device.x()).arg(device.y()).arg(colourName(colour));
    if (reading)
        if (const QString distance = reading(device); !distance.isEmpty())
            text += u'\n' + distance;
    m_readout->setText(text);
    m_readout->setAccessibleName(text);
    adjustSize();

    // Placed in device pixels on the screen under the pointer, off the sampled square.
    const QList<ScreenArea> screens = screenAreas();
    QRect screenArea = sampled;
    for (const ScreenArea &area : screens)
        if (area.device().contains(device))
            screenArea = area.device();
    const QSize deviceSizeOfLoupe = ::deviceSize(size(), ratio);
    move(logicalPlace(loupePlace(deviceSizeOfLoupe, sampled, screenArea), screens));
}

QString Loupe::readout() const {
    return m_readout->text();
}
