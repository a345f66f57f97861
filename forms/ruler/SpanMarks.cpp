#include "forms/ruler/SpanMarks.h"

#include "core/drawing/ScaleDrawing.h"
#include "core/settings/RulerState.h"

#include <QPainter>

SpanMarks::SpanMarks(const RulerState &state, QWidget *ruler)
    : QWidget(ruler), m_state(state), m_colour(Qt::red) {
    setObjectName(QStringLiteral("spanMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SpanMarks::setColour(const QColor &colour) {
    m_colour = colour;
    update();
}

void SpanMarks::paintEvent(QPaintEvent *) {
    if (!m_state.edgeSpan)
        return;
    QPainter painter(this);
    // Positions are device pixels; the painter works in logical ones.
    painter.scale(1 / m_ratio, 1 / m_ratio);
    const bool horizontal = m_state.Horizontalni;
    const int across = int((horizontal ? ScaleStripHeight : ScaleStripWidth) * m_ratio);
    const int start = m_state.edgeSpan->start;
    const int end = m_state.edgeSpan->end;
    const int thickness = qMax(1, int(m_ratio));
    // Each mark stands on the pixel just inside the span, so it covers what was measured.
    const auto mark = [&](int at) {
        painter.fillRect(horizontal ? QRect(at, 0, thickness, across)
                                    : QRect(0, at, across, thickness),
                         m_colour);
    };
    mark(start);
    mark(end - thickness);
    const int middle = across / 2;
    painter.fillRect(horizontal ? QRect(start, middle, end - start, thickness)
                                : QRect(middle, start, thickness, end - start),
                     m_colour);
}
