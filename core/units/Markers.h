#pragma once

#include <QVector>
#include <functional>

// One marker on the scale. Deleted markers keep their slot (Aktivni false) so that the order of
// placing survives; the marker's picture belongs to the ruler window, not to this record.
struct tzalozka {
    int Pozice = 0;      // pixel offset from the ruler's start edge
    double Procenta = 0; // reading in the percent unit, recorded when that unit is chosen
    bool Aktivni = false;
};

// The markers on the scale, in the order they were placed. A deleted marker keeps its slot
// (inactive), so each marker keeps its number for as long as the list lives; the ruler window
// shows one picture for each active slot and follows this list after every change.
class MarkerList {
public:
    using const_iterator = QVector<tzalozka>::const_iterator;

    qsizetype size() const { return m_markers.size(); }
    bool isEmpty() const { return m_markers.isEmpty(); }
    const tzalozka &operator[](qsizetype i) const { return m_markers[i]; }
    const tzalozka &first() const { return m_markers.first(); }
    const tzalozka &constFirst() const { return m_markers.constFirst(); }
    const tzalozka &constLast() const { return m_markers.constLast(); }
    const_iterator begin() const { return m_markers.cbegin(); }
    const_iterator end() const { return m_markers.cend(); }

    // Places a marker at a pixel offset from the start edge, where it reads `percent`; returns
    // its slot.
    qsizetype add(int position, double percent);
    // Deletes the active marker nearest to the offset (see nearestMarker); returns its slot, or
    // -1 when there is none.
    int removeNearest(int position);
    void clear() { m_markers.clear(); }

    // Records every active marker's reading in the percent unit, as percentAt gives it for its
    // offset, so that a later change of length can put it back at the same percentage.
    void recordPercent(const std::function<double(int position)> &percentAt);
    // Puts every active marker at its recorded percentage of a bar `length` pixels long.
    void placeAtPercent(int length, bool obracene);
    // Moves every marker, active or not, to the offset `moved` gives for its own.
    void move(const std::function<int(int position)> &moved);

private:
    QVector<tzalozka> m_markers;
};
