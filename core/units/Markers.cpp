#include "core/units/Markers.h"

#include "core/units/RulerMath.h"

qsizetype MarkerList::add(int position, double percent) {
    m_markers.append({position, percent, true});
    return m_markers.size() - 1;
}

int MarkerList::removeNearest(int position) {
    const int nearest = nearestMarker(m_markers, position);
    if (nearest >= 0)
        m_markers[nearest].Aktivni = false;
    return nearest;
}

void MarkerList::recordPercent(const std::function<double(int position)> &percentAt) {
    for (tzalozka &marker : m_markers)
        if (marker.Aktivni)
            marker.Procenta = percentAt(marker.Pozice);
}

void MarkerList::placeAtPercent(int length, bool obracene) {
    for (tzalozka &marker : m_markers)
        if (marker.Aktivni)
            marker.Pozice = percentPosition(marker.Procenta, length, obracene);
}

void MarkerList::move(const std::function<int(int position)> &moved) {
    for (tzalozka &marker : m_markers)
        marker.Pozice = moved(marker.Pozice);
}
