#include "forms/settings/NastaveniForm.h"

#include "core/settings/RulerState.h"
#include "forms/help/HelpKeyword.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

TNastaveniForm::TNastaveniForm(RulerState &state, QWidget *parent)
    : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("NastaveniForm"));
    setWindowTitle(QStringLiteral("Nastavení"));
    setHelpKeyword(this, QStringLiteral("cz/nastaveni.html"));
    auto *layout = new QVBoxLayout(this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
