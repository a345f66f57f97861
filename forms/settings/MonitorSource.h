#pragma once

#include "core/translation/Translation.h"

#include <QPoint>
#include <QString>

class QLabel;
class QScreen;
class QWidget;
struct RulerState;

// The Measuring page's words on the monitor the ruler is on: which one it is, and where its
// resolution comes from.

// The label that says it; plain text, since the name comes from the display.
QLabel *createMonitorLabel(QWidget *page);
void showMonitorSource(QLabel *label, const RulerState &s, const Translate &translate);

// What "take from the screen" offers: the density of the monitor the ruler is on as its size
// gives it, else the system's setting; for the dialog's own screen when no monitor is known.
QPoint screenResolution(const RulerState &s, const QScreen *dialogScreen);
