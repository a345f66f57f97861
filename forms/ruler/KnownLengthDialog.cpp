#include "forms/ruler/KnownLengthDialog.h"

#include "core/units/KnownLength.h"
#include "core/units/Units.h"
#include "widgets/Accelerators.h"
#include "widgets/AccessibleControl.h"
#include "widgets/RealSpin.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <tuple>

KnownLengthDialog::KnownLengthDialog(int pixels, const Translate &translate, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("KnownLengthDialog"));
    setWindowTitle(translate(QStringLiteral("Měřítko podle známé délky"), {}));

    const auto [shortest, longest] = knownLengthRange(pixels);
    m_length = new RangedNumber(shortest, longest, translate, this);
    m_length->edit()->setObjectName(QStringLiteral("editZnamaDelka"));
    m_length->setValue(std::clamp(1.0, shortest.toDouble(), longest.toDouble()));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("editNazevJednotky"));
    m_symbol = new QLineEdit(this);
    m_symbol->setObjectName(QStringLiteral("editZnackaJednotky"));
    // ";" separates the fields of a stored unit.
    const auto *noSeparator =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;]*")), this);
    m_name->setValidator(noSeparator);
    m_symbol->setValidator(noSeparator);
    m_symbol->setMaxLength(LongestUnitSymbol);

    auto *form = new QFormLayout;
    const std::tuple<QWidget *, QWidget *, QString> rows[] = {
        {m_length, m_length->edit(), translate(QStringLiteral("Skutečná délka mezi značkami"), {})},
        {m_name, m_name, translate(QStringLiteral("Název jednotky"), {})},
        {m_symbol, m_symbol, translate(QStringLiteral("Značka jednotky"), {})}};
    for (const auto &[row, field, caption] : rows) {
        auto *label = new QLabel(caption, this);
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        form->addRow(label, row);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("knownLengthButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (m_length->confirm())
            accept();
    });
    connect(m_length, &RangedNumber::entered, buttons->button(QDialogButtonBox::Ok),
            &QPushButton::click);
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
    assignAccelerators(this);
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
