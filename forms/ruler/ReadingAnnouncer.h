#pragma once

#include <QString>

class RulerContext;

// Tells a screen reader each new reading once, in words that say what was measured. Orca on the
// desktops of today speaks a change of the focused window's description; newer Qt has an
// announcement of its own for this, which is used where it exists.
class ReadingAnnouncer {
public:
    explicit ReadingAnnouncer(RulerContext &context) : m_context(context) {}

    // What the bar reads now: the span between two edges while one shows, else the distance
    // from zero.
    void announceReading();
    // The marker placed last, by its number and where it stands.
    void announceNewestMarker();
    void announce(const QString &text);

private:
    RulerContext &m_context;
};
