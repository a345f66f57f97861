#pragma once

#include "core/ruler/RulerChanges.h"

#include <QMessageBox>
#include <QPoint>
#include <QString>
#include <QStringList>

class QWidget;
class ReadingAnnouncer;
class RulerModel;
class TLangTranslator;
struct RulerState;
struct SkinData;

// What the ruler window gives the tools beside it (calibration, the known length, the menus,
// the screen tools, the export, the about dialog): its state and arithmetic, its screen, its
// language, the one way to tell the user something, and the one way to bring the window up to
// date after a change. The tools never reach into the window itself.
class RulerContext {
public:
    virtual RulerState &state() = 0;
    virtual const RulerState &state() const = 0;
    virtual RulerModel &model() = 0;
    virtual const SkinData &skin() const = 0;
    virtual TLangTranslator *translator() const = 0;
    // The window: parent of the tools' dialogs and menus, and where the bar stands.
    virtual QWidget &window() = 0;
    // Device pixels per logical pixel of the screen the bar is on.
    virtual double ratio() const = 0;
    // The window's top-left corner in device pixels of the desktop.
    virtual QPoint placeOnDesktop() const = 0;

    // A Czech text in the current language, its "%s" markers filled in order.
    virtual QString translate(const QString &czech, const QStringList &arguments = {}) const = 0;
    // A distance in device pixels as the reading shows it in the current unit, and the unit's
    // symbol that goes behind it.
    virtual QString formatDistance(int devicePixels) const = 0;
    virtual QString unitSymbol() const = 0;
    // Tells the user something; the icon says whether it reports a failure.
    virtual void report(QMessageBox::Icon severity, const QString &text) = 0;
    // Brings the window up to date after the state changed in these ways.
    virtual void refresh(RulerChanges changes) = 0;
    // The settings reach the disk soon.
    virtual void saveSoon() = 0;
    // Tells a screen reader of each new reading.
    virtual ReadingAnnouncer &announcer() = 0;

protected:
    ~RulerContext() = default;
};
