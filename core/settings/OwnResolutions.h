#pragma once

#include <QList>
#include <QPoint>
#include <QString>

#include <optional>
#include <utility>

// The user's own resolutions (a calibration, values typed in the settings) by monitor identity,
// in the order the ruler last saw the monitors. A laptop docked at many desks, or a projector
// that reports a new serial number each time, would otherwise grow the settings file without
// end; only the monitors seen most recently are kept.
class OwnResolutions {
public:
    static constexpr int capacity = 64;

    using Entry = std::pair<QString, QPoint>;

    bool contains(const QString &identity) const { return indexOf(identity) >= 0; }
    std::optional<QPoint> value(const QString &identity) const;
    // The monitor's own values, and it is the one seen last; beyond the capacity the monitor
    // seen longest ago is forgotten.
    void insert(const QString &identity, QPoint dpi);
    void remove(const QString &identity);
    // A monitor with values of its own becomes the one seen last.
    void seen(const QString &identity);
    void clear() { m_entries.clear(); }
    qsizetype size() const { return m_entries.size(); }
    // The monitor seen longest ago first.
    const QList<Entry> &entries() const { return m_entries; }

private:
    qsizetype indexOf(const QString &identity) const;

    QList<Entry> m_entries;
};
