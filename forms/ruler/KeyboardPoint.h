#pragma once

#include <QPoint>

#include <functional>
#include <optional>

// The point the loupe looks at, in device pixels of the desktop: the pointer's, until an arrow
// key moves it. Where the system lets a program move the pointer (X11) the pointer follows the
// keys; where it does not (Wayland) the point moves on its own and the pointer stays. Either way
// the mouse takes the point back as soon as it moves.
class KeyboardPoint {
public:
    KeyboardPoint();

    // Where the pointer is and how it is moved; tests put their own here.
    std::function<QPoint()> pointer;
    std::function<void(QPoint)> movePointer;

    QPoint point();
    // Moves the point by `step` device pixels, kept on the screens; gives where it now is.
    QPoint step(QPoint step);
    // The next key starts from the pointer again.
    void forget() { m_keyed.reset(); }

private:
    std::optional<QPoint> m_keyed;
    QPoint m_pointerThen; // where the pointer stood when the key moved the point
};
