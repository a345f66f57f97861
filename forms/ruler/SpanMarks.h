#pragma once

#include <QWidget>

struct RulerState;

// Two marks across the scale at the ends of a span measured between edges, and a line between
// them. Presses go through to the scale beneath.
class SpanMarks : public QWidget {
    Q_OBJECT

public:
    SpanMarks(const RulerState &state, QWidget *ruler);
    void setColour(const QColor &colour);
    void setRatio(double ratio) { m_ratio = ratio; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const RulerState &m_state;
    QColor m_colour;
    double m_ratio = 1;
};
