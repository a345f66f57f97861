#include "forms/ruler/KnownLengthDialog.h"

#include "core/units/Units.h"
#include "widgets/AccessibleControl.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

KnownLengthDialog::KnownLengthDialog(const std::function<QString(const QString &)> &translate,
                                     QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("KnownLengthDialog"));
    setWindowTitle(translate(QStringLiteral("Měřítko podle známé délky")));

    m_length = new QDoubleSpinBox(this);
    m_length->setObjectName(QStringLiteral("editZnamaDelka"));
    m_length->setDecimals(4);
    m_length->setRange(LeastUnitNumber.toDouble(), LargestUnitNumber.toDouble());
    m_length->setValue(1);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("editNazevJednotky"));
    m_symbol = new QLineEdit(this);
    m_symbol->setObjectName(QStringLiteral("editZnackaJednotky"));
    // ";" separates the fields of a stored unit.
    const auto *noSeparator =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;]*")), this);
    m_name->setValidator(noSeparator);
    m_symbol->setValidator(noSeparator);
    m_symbol->setMaxLength(8);

    auto *form = new QFormLayout;
    const std::pair<QWidget *, QString> rows[] = {
        {m_length, translate(QStringLiteral("Skutečná délka mezi značkami"))},
        {m_name, translate(QStringLiteral("Název jednotky"))},
        {m_symbol, translate(QStringLiteral("Značka jednotky"))}};
    for (const auto &[field, caption] : rows) {
        auto *label = new QLabel(caption, this);
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        form->addRow(label, field);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("knownLengthButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A unit needs a name to be found again in the unit list.
    const auto needName = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(!m_name->text().trimmed().isEmpty() &&
                         !m_symbol->text().trimmed().isEmpty());
    };
    connect(m_name, &QLineEdit::textChanged, this, needName);
    connect(m_symbol, &QLineEdit::textChanged, this, needName);
    needName();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

double KnownLengthDialog::length() const {
    return m_length->value();
}

QString KnownLengthDialog::unitName() const {
    return m_name->text().trimmed();
}

QString KnownLengthDialog::unitSymbol() const {
    return m_symbol->text().trimmed();
}
