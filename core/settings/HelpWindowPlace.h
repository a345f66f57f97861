#pragma once

#include <QList>
#include <QRect>

class IniFile;

// Where the help window stood and how wide its contents pane was, kept in the settings file so
// that help opens the way the reader left it. An empty geometry means none was stored.
struct HelpWindowPlace {
    QRect geometry;
    int contentsWidth = 0;

    bool operator==(const HelpWindowPlace &) const = default;
};

// Reads the place; values that would make the window unusable (too small, absurdly large or
// far off any screen, a pane wider than the window) read as none.
HelpWindowPlace readHelpWindowPlace(const IniFile &ini);
void writeHelpWindowPlace(IniFile &ini, const HelpWindowPlace &place);

// The place brought onto the monitors, given by their available areas: the window no larger
// than the monitor it goes to and moved by as little as it takes to be wholly on it, the
// contents pane no wider than the window leaves room for.
HelpWindowPlace fitOnMonitors(HelpWindowPlace place, const QList<QRect> &available);
