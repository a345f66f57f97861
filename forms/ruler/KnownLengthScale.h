#pragma once

#include <QObject>
#include <QString>

class RulerContext;

// A scale from a known length: the user marks both ends of something whose real length is
// known, and the ruler makes a unit that reads exactly that length between them.
class KnownLengthScale : public QObject {
    Q_OBJECT

public:
    explicit KnownLengthScale(RulerContext &context);

    // Asks for the length between the two ends marked, and makes the unit.
    void ask();
    // Creates or updates the unit once the length, name and symbol are known, stores the units
    // and makes it the current one. False (and a message) when no unit can be made.
    bool makeUnit(double length, const QString &name, const QString &symbol);

private:
    RulerContext &m_context;
};
