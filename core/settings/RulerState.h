#pragma once

#include "core/screen/EdgeSearch.h"
#include "core/screen/Monitors.h"
#include "core/settings/OwnResolutions.h"
#include "core/units/Markers.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

#include <functional>
#include <optional>

// One measurement unit. Every unit is a multiple (Hodnota) of one of the four built-in units
// (Zaklad); Pixelu is derived from the screen and never stored.
struct tjednotka {
    QString Nazev;      // display name; "-" makes a separator line in the unit menu
    QString Znacka;     // symbol shown on the unit button and behind saved distances
    double Hodnota = 0; // size in the base unit
    quint8 Zaklad = 0;  // index of the base unit, 0..3
    double Pixelu = 0;  // screen pixels per unit, from PrepocitejJednotky
    double Carka = 0;   // tick spacing of the scale, in this unit
};

// Indexes of the built-in units, which always head the unit list.
enum BuiltInUnit { UnitPixel = 0, UnitCentimetre = 1, UnitInch = 2, UnitPercent = 3 };
constexpr int BuiltInUnitCount = 4;

// Everything the ruler remembers while it runs. The program owns one instance and hands it to
// the forms by reference; tests make their own.
struct RulerState {
    // Folder of the program, ending with the native separator, and the settings file in use.
    QString CestaProgramu;
    QString SouborNastaveni;

    // Stored settings.
    bool Horizontalni = true;
    bool Obracene = false;
    int Delka = 0; // stored length, consumed by the first recomputation of the unit factors
    QString Jazyk = QStringLiteral("Autodetekce");
    QString Vzhled = QStringLiteral("Funny");
    bool VzdyNahore = false;
    int Pruhlednost = 255;
    int Jednotka = 0;
    int RozliseniX = 96;
    int RozliseniY = 96;
    bool JenCteni = false;
    // The monitor the ruler measures on, as the last layout found it; RozliseniX/Y are its
    // values. Without an identity no monitor is known and RozliseniX/Y are all there is.
    MonitorInfo monitor;
    // The user's own resolutions (a calibration, values typed in the settings) by monitor.
    OwnResolutions ownResolutions;
    // [Mereni] of the file read names the monitor its resolution belongs to: it is a copy of
    // that monitor's values, never a calibration of its own.
    bool measuringCopiesMonitor = false;
    QStringList Parametry;

    // Units.
    QVector<tjednotka> Jednotky;
    double PixeluNaJednotku = 1;

    // Measuring and markers.
    int PoziceMeridla = 0;
    double Odecet = 0;    // the reading shown for it, in the current unit
    quint8 RezimMysi = 0; // next press on the scale: 0 measures, 1 places, 2 deletes a marker
    MarkerList Zalozky;

    // Stretching across the desktop.
    bool CelaObrazovka = false;
    QPoint PuvodniPoloha; // the window's place in device pixels before it spanned the desktop
    int PuvodniDelka = 0;

    bool Kalibruje = false;

    // Presses and markers go to the nearest edge that the screen shows beside the scale.
    bool snapToEdges = false;
    int edgeTolerance = defaultEdgeTolerance;
    // The span between two edges, when that is what the reading shows.
    std::optional<EdgeSpan> edgeSpan;
    // The desktop's permission to share the screen in a Wayland session, kept for later runs.
    QString screenCastToken;

    // A settings file that cannot be written is reported to the user once per run (the window
    // installs a message box here); the program then goes on with what it has in memory.
    std::function<void(const QString &path)> reportUnwritable;
    bool unwritableReported = false;
    // The settings file would grow past what it may be read back at, and the values of the
    // monitors seen longest ago were left out of it: told once per run, with their number.
    std::function<void(int count)> reportDroppedMonitors;
    bool droppedMonitorsReported = false;
};
