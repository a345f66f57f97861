#include "forms/ruler/SettingsSaver.h"

#include "core/settings/Settings.h"

#include <QTimer>

SettingsSaver::SettingsSaver(RulerState &state, std::function<QRect()> windowPlace, QObject *parent)
    : QObject(parent), m_state(state), m_windowPlace(std::move(windowPlace)),
      m_timer(new QTimer(this)) {
    m_timer->setSingleShot(true);
    m_timer->setInterval(saveDelayMs);
    connect(m_timer, &QTimer::timeout, this, &SettingsSaver::save);
}

void SettingsSaver::saveSoon() {
    if (m_begun && !m_ended)
        m_timer->start();
}

void SettingsSaver::saveAtExit() {
    if (!m_begun || m_ended)
        return;
    m_ended = true;
    m_timer->stop();
    save();
}

void SettingsSaver::save() {
    UlozNastaveni(m_state, m_windowPlace());
}
