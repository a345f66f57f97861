#include "widgets/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

ImageControl::ImageControl(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageControl::setPicture(const QImage &picture) {
    m_picture = picture;
    fitToPicture();
    update();
    emit pictureChanged();
}

void ImageControl::setAutoSize(bool on) {
    m_autoSize = on;
    fitToPicture();
}

void ImageControl::fitToPicture() {
    if (!m_autoSize || m_picture.isNull())
        return;
    // A picture that starts between logical pixels needs one more to be shown whole.
    const QSizeF extent = m_picture.deviceIndependentSize();
    resize(int(std::ceil(m_inset.x() + extent.width() - 1e-6)),
           int(std::ceil(m_inset.y() + extent.height() - 1e-6)));
}

void ImageControl::placePicture(QPoint at) {
    const double ratio = devicePixelRatio();
    const QPoint logical(int(std::floor(at.x() / ratio)), int(std::floor(at.y() / ratio)));
    m_inset = QPointF(at) / ratio - QPointF(logical);
    fitToPicture();
    move(logical);
    update();
}

void ImageControl::paintEvent(QPaintEvent *) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    // One image pixel is one screen pixel: a ruler must not be resampled.
    painter.drawImage(m_inset, m_picture);
}

void ImageControl::mousePressEvent(QMouseEvent *event) {
    m_leftPressed = event->button() == Qt::LeftButton;
    emit pressed(event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = m_leftPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_leftPressed = false;
    if (click)
        emit clicked();
}
