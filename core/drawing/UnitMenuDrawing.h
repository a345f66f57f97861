#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// How one item of the unit menu looks: a 40-pixel strip with the unit's symbol, then its name;
// a unit named "-" is a thin separator line.
QSize unitMenuItemSize(const QString &caption, const QFont &font);
void drawUnitMenuItem(QPainter &painter, const QRect &rect, const QString &caption,
                      const QString &symbol, bool selected);
