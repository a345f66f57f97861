#include "forms/ruler/ReadingExport.h"

#include "core/ruler/RulerModel.h"
#include "core/settings/RulerState.h"
#include "core/settings/TextFile.h"
#include "core/units/DistanceFormat.h"
#include "core/units/RulerMath.h"
#include "forms/ruler/RulerContext.h"
#include "forms/ruler/SaveDialogSettings.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>

ReadingExport::ReadingExport(RulerContext &context)
    : QObject(&context.window()), m_context(context) {
    // A child of the window, so that the language files reach its title and filter.
    SaveDialog = new TSaveDialog(&context.window());
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
}

void ReadingExport::Zkopiruj() {
    QGuiApplication::clipboard()->setText(FormatujCislo(m_context.state().Odecet));
}

void ReadingExport::UlozNaDisk() {
    QFileDialog dialog(&m_context.window(), SaveDialog->Title);
    dialog.setObjectName(QStringLiteral("SaveDialogWindow"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(SaveDialog->nameFilters());
    dialog.setDefaultSuffix(QString(SaveDialog->DefaultExt).remove(QStringLiteral("*.")));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    UlozVzdalenostiDoSouboru(dialog.selectedFiles().constFirst());
}

bool ReadingExport::UlozVzdalenostiDoSouboru(const QString &fileName) {
    const RulerState &state = m_context.state();
    const QString symbol = m_context.unitSymbol();
    QStringList markers;
    for (const tzalozka &zalozka : std::as_const(state.Zalozky))
        if (zalozka.Aktivni)
            markers << m_context.formatDistance(
                           m_context.model().distanceFromZero(zalozka.Pozice)) +
                           u' ' + symbol;
    const QString text =
        distancesText(m_context.translate(QStringLiteral("Naměřená vzdálenost je %s."),
                                          {FormatujCislo(state.Odecet) + u' ' + symbol}),
                      m_context.translate(QStringLiteral("Pozice záložek :")), markers);
    // A failure (a full disk, a read-only folder) never leaves a half-written file behind.
    QString error;
    if (writeFileAtomically(fileName, text.toUtf8(), &error))
        return true;
    m_context.report(QMessageBox::Warning,
                     m_context.translate(QStringLiteral("Soubor %s nelze uložit."),
                                         {QDir::toNativeSeparators(fileName)}));
    return false;
}
