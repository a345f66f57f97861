#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// How one item of the unit menu looks: a 40-pixel strip with the unit's symbol, then its name;
// a unit named "-" is a thin separator line. A name longer than about forty characters ends in
// an ellipsis, so that one long name cannot stretch the menu across the screen.
QSize unitMenuItemSize(const QString &caption, const QFont &font);
bool unitMenuNameCut(const QString &caption, const QFont &font);
void drawUnitMenuItem(QPainter &painter, const QRect &rect, const QString &caption,
                      const QString &symbol, bool selected);

// The font, made smaller where need be, in which text fits width: the unit button shows a
// symbol of up to four characters whole.
QFont fontFitting(QFont font, const QString &text, int width);
