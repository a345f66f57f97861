#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

// A small frameless window beside the pointer that shows the screen around it magnified, with
// the pointer's device pixel, its colour and, across the scale, its reading. It reads the
// screen only while it is shown, and never shows itself: it stays off the pixels it samples.
class Loupe : public QWidget {
    Q_OBJECT

public:
    explicit Loupe(QWidget *owner);

    // Where the pixels and the pointer come from (tests put a picture here), and the reading
    // for the pointer's device pixel: empty when it does not lie across the scale.
    std::function<QImage(const QRect &)> readScreen;
    std::function<QPoint()> pointer;
    std::function<QString(QPoint)> reading;

    void start();
    void stop();
    bool running() const { return m_timer.isActive(); }
    void zoomBy(int steps);
    int zoom() const { return m_zoom; }
    // One frame for the pointer at this device pixel.
    void showFrame(QPoint device);
    QString readout() const;

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    void follow();

    QLabel *m_picture = nullptr;
    QLabel *m_readout = nullptr;
    QTimer m_timer;
    QPoint m_shownFor{-1, -1};
    int m_stillFrames = 0;
    int m_zoom;
};
