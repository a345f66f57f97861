#include "widgets/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageControl::setPicture(const QImage &picture) {
    m_picture = picture;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
    update();
    emit pictureChanged();
}

void ImageControl::setAutoSize(bool on) {
    m_autoSize = on;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
}

void ImageControl::paintEvent(QPaintEvent *) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    // One image pixel is one screen pixel: a ruler must not be resampled.
    painter.drawImage(QPoint(0, 0), m_picture);
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
