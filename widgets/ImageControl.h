#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

// A picture on a form: shows an image (transparent where the image is), optionally sizing itself
// to it, and reports presses and clicks. The ruler's buttons, arrow, markers and scale are all
// pictures like this. A picture that carries a device pixel ratio is shown pixel for pixel on a
// screen of that ratio.
class ImageControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit ImageControl(QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    // Moves the control so that the picture's top-left pixel lands on the device pixel `at` of
    // the parent's surface, even where that lies between two logical pixels. The parent must be
    // the window. On a screen of ratio 1 this is move(at).
    void placePicture(QPoint at);

signals:
    void pressed(QMouseEvent *event);
    void clicked();
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitToPicture();

    QImage m_picture;
    QPointF m_inset; // where the picture starts inside the control, in logical pixels
    bool m_autoSize = false;
    bool m_leftPressed = false;
};
