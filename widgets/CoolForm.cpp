#include "widgets/CoolForm.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWindow>
#include <QtEndian>
#include <stdexcept>

namespace {
constexpr int headerSize = 32; // RGNDATAHEADER
constexpr quint32 rectanglesType = 1;
constexpr int rectSize = 16;
} // namespace

TCoolForm::TCoolForm(QWidget *form) : ImageControl(form) {
    if (!form || !form->isWindow())
        throw std::invalid_argument("Drop the CoolForm on a FORM!");
    form->setWindowFlag(Qt::FramelessWindowHint, true);
    form->installEventFilter(this);
    setTop(0);
    setLeft(0);
    resize(form->size());
    // Any new picture gives up a stored outline; the window keeps the one it already has.
    connect(this, &ImageControl::pictureChanged, this, &TCoolForm::dropMask);
}

void TCoolForm::setTop(int) {
    move(x(), 0);
}
void TCoolForm::setLeft(int) {
    move(0, y());
}
void TCoolForm::setWidth(int value) {
    resize(value, QWidget::height());
}
void TCoolForm::setHeight(int value) {
    resize(QWidget::width(), value);
}

bool TCoolForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(0, 0, parentWidget()->width(), parentWidget()->height());
    return ImageControl::eventFilter(watched, event);
}

void TCoolForm::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    QWidget *form = window();
    QWindow *handle = form->windowHandle();
    m_manualMove = !(handle && handle->startSystemMove());
    m_dragOffset = event->globalPosition().toPoint() - form->pos();
}

void TCoolForm::mouseMoveEvent(QMouseEvent *event) {
    if (m_manualMove && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - m_dragOffset);
}

void TCoolForm::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_manualMove = false;
}

void TCoolForm::dropMask() {
    m_mask = QRegion();
}

void TCoolForm::readMask2(const QByteArray &stored) {
    m_maskData.clear();
    m_mask = QRegion();
    if (stored.size() < 4)
        return;
    const quint32 size = qFromLittleEndian<quint32>(stored.constData());
    if (size == 0 || size > quint32(stored.size() - 4))
        return;
    m_maskData = stored.mid(4, int(size));
    bool ok = false;
    const QRegion region = regionFromData(m_maskData, &ok);
    if (!ok)
        return;
    m_mask = region;
    parentWidget()->setMask(region);
}

QByteArray TCoolForm::writeMask2() const {
    const QByteArray data = m_mask.isEmpty() ? QByteArray() : regionData(m_mask);
    QByteArray stored(4, '\0');
    qToLittleEndian<quint32>(quint32(data.size()), stored.data());
    return stored + data;
}

QByteArray TCoolForm::regionData(const QRegion &region) {
    const int count = region.rectCount();
    QByteArray data(headerSize + count * rectSize, '\0');
    char *out = data.data();
    const QRect bound = region.boundingRect();
    const qint32 header[8] = {headerSize,        qint32(rectanglesType), count,
                              count * rectSize,  bound.left(),           bound.top(),
                              bound.right() + 1, bound.bottom() + 1};
    for (qint32 value : header) {
        qToLittleEndian<qint32>(value, out);
        out += 4;
    }
    for (const QRect &rect : region) {
        const qint32 corners[4] = {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
        for (qint32 value : corners) {
            qToLittleEndian<qint32>(value, out);
            out += 4;
        }
    }
    return data;
}

QRegion TCoolForm::regionFromData(const QByteArray &data, bool *ok) {
    *ok = false;
    if (data.size() < headerSize)
        return {};
    auto field = [&data](int offset) {
        return qFromLittleEndian<qint32>(data.constData() + offset);
    };
    const qint32 count = field(8);
    if (field(0) != headerSize || quint32(field(4)) != rectanglesType || count < 0 ||
        qint64(count) * rectSize > data.size() - headerSize)
        return {};
    QRegion region;
    for (int i = 0; i < count; ++i) {
        const int at = headerSize + i * rectSize;
        region +=
            QRect(QPoint(field(at), field(at + 4)), QPoint(field(at + 8) - 1, field(at + 12) - 1));
    }
    *ok = true;
    return region;
}
