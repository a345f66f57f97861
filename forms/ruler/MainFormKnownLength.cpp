// A scale from a known length: the user marks both ends of something whose real length is
// known, and the ruler makes a unit that reads exactly that length between them.

#include "forms/ruler/MainForm.h"

#include "core/settings/RulerState.h"
#include "core/units/KnownLength.h"
#include "core/units/Units.h"
#include "forms/ruler/KnownLengthDialog.h"

void TMainForm::MeritkoZnameDelky() {
    const auto ends = knownLengthEnds(m_state.PoziceMeridla, m_state.Zalozky, m_state.Rozpeti);
    if (!ends) {
        ZobrazitZpravu(QMessageBox::Information,
                       translated(QStringLiteral("Změřte úsek mezi hranami (F8), nebo umístěte dvě "
                                                 "záložky, nebo šipku a záložku, na konce úseku, "
                                                 "jehož délku znáte.")));
        return;
    }
    KnownLengthDialog dialog(
        ends->second - ends->first,
        [this](const QString &text, const QStringList &arguments) {
            return translated(text, arguments);
        },
        this);
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() == QDialog::Accepted)
        vytvorJednotkuZnameDelky(dialog.length(), dialog.unitName(), dialog.unitSymbol());
}

bool TMainForm::vytvorJednotkuZnameDelky(double length, const QString &name,
                                         const QString &symbol) {
    const auto ends = knownLengthEnds(m_state.PoziceMeridla, m_state.Zalozky, m_state.Rozpeti);
    const auto unit =
        ends ? knownLengthUnit(ends->second - ends->first, length, name, symbol) : std::nullopt;
    if (!unit) {
        ZobrazitZpravu(QMessageBox::Warning,
                       translated(QStringLiteral("Z této délky nelze udělat jednotku.")));
        return false;
    }
    const int index = putUserUnit(m_state.Jednotky, *unit);
    UlozJednotky(m_state);
    ObnovMenuJednotky();
    PrepocitejJednotky();
    setUnit(index);
    return true;
}
