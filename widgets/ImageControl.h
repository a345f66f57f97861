#pragma once

#include <QImage>
#include <QWidget>

// A picture on a form: shows an image (transparent where the image is), optionally sizing itself
// to it, and reports presses and clicks. The ruler's buttons, arrow, markers and scale are all
// pictures like this.
class ImageControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit ImageControl(QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

signals:
    void pressed(QMouseEvent *event);
    void clicked();
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_autoSize = false;
    bool m_leftPressed = false;
};
