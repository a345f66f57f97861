#include "forms/ruler/KnownLengthScale.h"

#include "core/ruler/RulerModel.h"
#include "core/settings/RulerState.h"
#include "core/units/KnownLength.h"
#include "core/units/Units.h"
#include "forms/ruler/KnownLengthDialog.h"
#include "forms/ruler/RulerContext.h"

KnownLengthScale::KnownLengthScale(RulerContext &context)
    : QObject(&context.window()), m_context(context) {}

void KnownLengthScale::ask() {
    const RulerState &state = m_context.state();
    const auto ends = knownLengthEnds(state.PoziceMeridla, state.Zalozky, state.edgeSpan);
    if (!ends) {
        m_context.report(QMessageBox::Information,
                         m_context.translate(QStringLiteral(
                             "Změřte úsek mezi hranami (F8), nebo umístěte dvě záložky, nebo "
                             "šipku a záložku, na konce úseku, jehož délku znáte.")));
        return;
    }
    KnownLengthDialog dialog(
        ends->second - ends->first,
        [this](const QString &text, const QStringList &arguments) {
            return m_context.translate(text, arguments);
        },
        &m_context.window());
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() == QDialog::Accepted)
        makeUnit(dialog.length(), dialog.unitName(), dialog.unitSymbol());
}

bool KnownLengthScale::makeUnit(double length, const QString &name, const QString &symbol) {
    RulerState &state = m_context.state();
    const auto ends = knownLengthEnds(state.PoziceMeridla, state.Zalozky, state.edgeSpan);
    const auto unit =
        ends ? knownLengthUnit(ends->second - ends->first, length, name, symbol) : std::nullopt;
    if (!unit) {
        m_context.report(QMessageBox::Warning, m_context.translate(QStringLiteral(
                                                   "Z této délky nelze udělat jednotku.")));
        return false;
    }
    const int index = putUserUnit(state.Jednotky, *unit);
    UlozJednotky(state);
    // The new unit's factor is computed with the others on the way.
    m_context.refresh(m_context.model().selectUnit(index) | RulerChange::Factors |
                      RulerChange::UnitList);
    return true;
}
