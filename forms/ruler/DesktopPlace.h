#pragma once

#include <QEvent>
#include <QPoint>
#include <QRect>

class QWidget;

// Where the ruler window stands, to the device pixel. It is read from the settings file, then
// follows the window's moves. Along an axis where Qt has not moved the window it stays as it
// was, since whole logical pixels cannot name every device pixel on a fractional scale. Where
// the desktop places the window (Wayland) it stays as stored.
class DesktopPlace {
public:
    explicit DesktopPlace(QWidget &window) : m_window(window) {}

    // The window's top-left corner in device pixels of the desktop.
    QPoint device() const { return m_device; }
    // Takes the window to a device pixel of the desktop.
    void moveTo(QPoint device);
    // Keeps the device pixel after the window moved or was resized (see above).
    void follow(QEvent::Type type);
    // A stored place may lie off every screen (a monitor since unplugged, an edited file).
    void keepOnScreen();
    // Moves the bar to the desktop's start edge along its axis; gives the desktop's logical
    // length there, which a bar spanning the desktop takes.
    int toDesktopStart(bool horizontal, double ratio);

    // Whether the platform tells the window's place; where it does not (Wayland), the place
    // read at the start is the one saved.
    static bool platformTellsPlace();

private:
    QPoint qtDevicePlace() const; // where Qt's logical place puts the window

    QWidget &m_window;
    QPoint m_device;
};
