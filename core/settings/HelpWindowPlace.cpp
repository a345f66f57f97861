#include "core/settings/HelpWindowPlace.h"

#include "core/settings/IniFile.h"
#include "core/units/RulerLimits.h"
#include "core/units/ScreenPlacement.h"

namespace {

const QString section = QStringLiteral("Napoveda");

// One stored value; the reader and the writer walk the same table.
struct PlaceKey {
    const char *key;
    int (*get)(const HelpWindowPlace &);
    void (*set)(HelpWindowPlace &, int);
};

const PlaceKey placeKeys[] = {
    {"X", [](const HelpWindowPlace &p) { return p.geometry.x(); },
     [](HelpWindowPlace &p, int v) { p.geometry.moveLeft(v); }},
    {"Y", [](const HelpWindowPlace &p) { return p.geometry.y(); },
     [](HelpWindowPlace &p, int v) { p.geometry.moveTop(v); }},
    {"Sirka", [](const HelpWindowPlace &p) { return p.geometry.width(); },
     [](HelpWindowPlace &p, int v) { p.geometry.setWidth(v); }},
    {"Vyska", [](const HelpWindowPlace &p) { return p.geometry.height(); },
     [](HelpWindowPlace &p, int v) { p.geometry.setHeight(v); }},
    {"Obsah", [](const HelpWindowPlace &p) { return p.contentsWidth; },
     [](HelpWindowPlace &p, int v) { p.contentsWidth = v; }},
};

constexpr int smallestSide = 200;

} // namespace

HelpWindowPlace readHelpWindowPlace(const IniFile &ini) {
    HelpWindowPlace place;
    constexpr int missing = -farthestPlace - 1;
    for (const PlaceKey &entry : placeKeys) {
        const int value = ini.readInteger(section, QLatin1String(entry.key), missing);
        if (value == missing)
            return HelpWindowPlace();
        entry.set(place, value);
    }
    const QRect &g = place.geometry;
    const bool usable = g.width() >= smallestSide && g.height() >= smallestSide &&
                        g.width() <= farthestPlace && g.height() <= farthestPlace &&
                        qAbs(g.x()) <= farthestPlace && qAbs(g.y()) <= farthestPlace &&
                        place.contentsWidth >= 0 && place.contentsWidth < g.width();
    return usable ? place : HelpWindowPlace();
}

void writeHelpWindowPlace(IniFile &ini, const HelpWindowPlace &place) {
    for (const PlaceKey &entry : placeKeys)
        ini.writeInteger(section, QLatin1String(entry.key), entry.get(place));
}

HelpWindowPlace fitOnMonitors(HelpWindowPlace place, const QList<QRect> &available) {
    QRect &g = place.geometry;
    if (available.isEmpty() || g.isEmpty())
        return place;
    const int storedWidth = g.width();
    g.moveTopLeft(placeOnScreen(g, available));
    for (const QRect &monitor : available) {
        if (monitor.contains(g.topLeft())) {
            g.setSize(g.size().boundedTo(monitor.size()));
            break;
        }
    }
    g.moveTopLeft(placeOnScreen(g, available));
    // A window made narrower keeps a third of itself for the page beside the contents.
    if (g.width() < storedWidth)
        place.contentsWidth = qMin(place.contentsWidth, g.width() * 2 / 3);
    return place;
}
