#include "core/settings/OwnResolutions.h"

qsizetype OwnResolutions::indexOf(const QString &identity) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].first == identity)
            return i;
    return -1;
}

std::optional<QPoint> OwnResolutions::value(const QString &identity) const {
    const qsizetype i = indexOf(identity);
    return i < 0 ? std::nullopt : std::optional(m_entries[i].second);
}

void OwnResolutions::insert(const QString &identity, QPoint dpi) {
    remove(identity);
    m_entries.append({identity, dpi});
    if (m_entries.size() > capacity)
        m_entries.removeFirst();
}

void OwnResolutions::remove(const QString &identity) {
    if (const qsizetype i = indexOf(identity); i >= 0)
        m_entries.removeAt(i);
}

void OwnResolutions::seen(const QString &identity) {
    if (const qsizetype i = indexOf(identity); i >= 0 && i + 1 < m_entries.size())
        m_entries.append(m_entries.takeAt(i));
}
