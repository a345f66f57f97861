#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

// A small frameless window beside the pointer that shows the screen around it magnified, with
// the pointer's device pixel, its colour and, across the scale, its reading. It reads the
// screen only while it is shown, and never shows itself: it stays off the pixels it samples,
// and where it stood they count as unread. Pixels that were not read are never shown as
// colours: the loupe says why instead.
class Loupe : public QWidget {
    Q_OBJECT

public:
    explicit Loupe(QWidget *owner);

    // Where the pixels and the pointer come from (tests put a picture here), why the pixels
    // last asked for were not read (translated), and the reading for the pointer's device
    // pixel: empty when it does not lie across the scale.
    std::function<QImage(const QRect &)> readScreen;
    std::function<QPoint()> pointer;
    std::function<QString()> whyNotRead;
    std::function<QString(QPoint)> reading;
    // Hands the readout to a screen reader: only a new text, and no more than a few times a
    // second while the pointer moves; the last text always arrives.
    std::function<void(const QString &)> tell;

    void start();
    void stop();
    bool running() const { return m_timer.isActive(); }
    void zoomBy(int steps);
    int zoom() const { return m_zoom; }
    // One frame for the pointer at this device pixel.
    void showFrame(QPoint device);
    QString readout() const;
    // Where the loupe stands on the screen and where it stood a moment ago, in device pixels.
    QList<QRect> placesOnScreen() const;

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    void follow();
    void showPicture(const QImage &sample, double ratio);
    void showNote(const QString &note, QSize logicalSize);
    void standAt(const QRect &place);
    void tellReadout();

    QLabel *m_picture = nullptr;
    QLabel *m_readout = nullptr;
    QTimer m_timer;
    QTimer m_tellLater;
    QElapsedTimer m_sinceTold;
    QString m_told;
    QPoint m_shownFor{-1, -1};
    int m_stillFrames = 0;
    QRect m_place;
    QRect m_left;
    QElapsedTimer m_sinceLeft;
    int m_zoom;
};
