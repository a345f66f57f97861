#pragma once

#include "core/screen/BarOnScreen.h"
#include "forms/ruler/KeyboardPoint.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QVector>
#include <functional>

class Loupe;
class ScreenSource;
class QAction;
class QKeyEvent;
class QMenu;
class SpanMarks;
class RulerContext;
struct RulerState;

// What the ruler does with the picture on the screen: presses and markers that snap to the
// edges beside the scale, the span between two edges, and the loupe. It reads the screen only
// when one of them asks, and only where they look.
class ScreenTools : public QObject {
    Q_OBJECT

public:
    explicit ScreenTools(RulerContext &context);

    // The entries of the function menu, after the markers.
    void addMenuItems(QMenu *menu);

    // The offset along the bar where a press at `pressed` measures or places a marker: the
    // nearest edge within reach while snapping is on, else pressed itself.
    int snapped(int pressed);
    // The same for a press at device pixel (x, y) of the window; a press also ends the showing
    // of a span.
    QPoint snappedPress(QPoint device);

    // The span between the edges on both sides of the looked-at point becomes the reading.
    void measureBetweenEdges();
    void toggleSnapping();
    void toggleLoupe();
    Loupe *loupe() const { return m_loupe; }

    BarOnScreen bar() const;

    // Where the pixels and the pointer come from, in device pixels of the desktop; tests put
    // a picture and a pointer of their own here. A read that fails gives a null image.
    std::function<QImage(const QRect &)> readScreen;
    std::function<QPoint()> pointer;
    // The point the loupe and the span look at: the pointer's, or where the arrow keys took it
    // while the loupe is shown.
    KeyboardPoint keyboardPoint;

signals:
    // Enter in the loupe: a press at this device pixel of the window, as a click there would
    // make it (Ctrl for a marker).
    void pressedAt(Qt::KeyboardModifiers modifiers, QPoint device);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool screenReadable();
    QImage pixels(const QRect &area);
    QString unreadableNote(const QString &why) const;
    void tellUnreadable(const QString &why);
    QVector<QRgb> lineOutsideScale(int from, int to);
    QString readingAt(QPoint device) const;
    void endSpan();
    bool keyInLoupe(const QKeyEvent &key);
    void pressAtPoint(Qt::KeyboardModifiers modifiers);

    RulerContext &m_context;
    RulerState &m_state;
    bool m_readable = true;
    bool m_probed = false;
    bool m_toldUnreadable = false;
    bool m_lastReadFailed = false;
    QString m_whyNotReadable;
    QString m_whyLastNotRead;
    ScreenSource *m_source = nullptr;
    SpanMarks *m_marks = nullptr;
    Loupe *m_loupe = nullptr;
    QAction *m_loupeAction = nullptr;
    QAction *m_snapAction = nullptr;
    QAction *m_spanAction = nullptr;
    QAction *m_toleranceAction = nullptr;
};
