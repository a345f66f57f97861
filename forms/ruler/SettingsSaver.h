#pragma once

#include <QObject>
#include <QRect>
#include <functional>

class QTimer;
struct RulerState;

// Settings reach the disk soon after they change, so that a killed or hung ruler loses nothing,
// but not on every pixel of a drag: each change puts the save saveDelayMs later. At the end of
// the run they are saved once more, and then no more.
class SettingsSaver : public QObject {
    Q_OBJECT

public:
    static constexpr int saveDelayMs = 500;

    // windowPlace gives the window's place and size in device pixels of the desktop.
    SettingsSaver(RulerState &state, std::function<QRect()> windowPlace, QObject *parent);

    // Nothing is saved before the settings were read.
    void begin() { m_begun = true; }
    void saveSoon();
    void saveAtExit();

private:
    void save();

    RulerState &m_state;
    std::function<QRect()> m_windowPlace;
    QTimer *m_timer;
    bool m_begun = false;
    bool m_ended = false;
};
