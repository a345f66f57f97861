#include "forms/ruler/ReadingAnnouncer.h"

#include "core/ruler/RulerModel.h"
#include "core/settings/RulerState.h"
#include "core/units/DistanceFormat.h"
#include "forms/ruler/RulerContext.h"

#include <QAccessible>
#include <QWidget>

void ReadingAnnouncer::announceReading() {
    const RulerState &state = m_context.state();
    const QString reading = FormatujCislo(state.Odecet) + u' ' + m_context.unitSymbol();
    announce(m_context.translate(state.edgeSpan ? QStringLiteral("Mezi hranami: %s")
                                                : QStringLiteral("Od nuly: %s"),
                                 {reading}));
}

void ReadingAnnouncer::announceNewestMarker() {
    const RulerState &state = m_context.state();
    if (state.Zalozky.isEmpty())
        return;
    const int fromZero = m_context.model().distanceFromZero(state.Zalozky.constLast().Pozice);
    // A marker keeps its number, its slot in the list, for as long as the list lives.
    announce(
        m_context.translate(QStringLiteral("Záložka %s na %s"),
                            {QString::number(state.Zalozky.size()),
                             m_context.formatDistance(fromZero) + u' ' + m_context.unitSymbol()}));
}

void ReadingAnnouncer::announce(const QString &text) {
    QWidget &window = m_context.window();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&window, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
#else
    // A reading the same as the last is news too: the event goes out although the text stays.
    if (window.accessibleDescription() == text) {
        QAccessibleEvent event(&window, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    } else {
        // Setting a new description tells of it.
        window.setAccessibleDescription(text);
    }
#endif
}
