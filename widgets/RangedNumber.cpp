#include "widgets/RangedNumber.h"

#include "widgets/Accelerators.h"

#include "widgets/RealSpin.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

RangedNumber::RangedNumber(FixedPoint least, FixedPoint largest, const Translate &translate,
                           QWidget *parent)
    : QWidget(parent), m_translate(translate) {
    m_edit = new TRealSpinEdit(this);
    m_edit->setObjectName(QStringLiteral("editCislo"));
    m_edit->setMinValue(least);
    m_edit->setMaxValue(largest);
    m_edit->installEventFilter(this);
    auto *range = new QLabel(translate(QStringLiteral("od %s do %s"),
                                       {formatFixedPoint(least), formatFixedPoint(largest)}),
                             this);
    range->setObjectName(QStringLiteral("labelRozsah"));
    range->setTextFormat(Qt::PlainText);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("labelChyba"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    m_problem->hide();

    auto *row = new QHBoxLayout;
    row->addWidget(m_edit, 1);
    row->addWidget(range);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(m_problem);
}

bool RangedNumber::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit entered();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

double RangedNumber::value() const {
    return m_edit->exactValue();
}

void RangedNumber::setValue(double value) {
    m_edit->setExactValue(value);
}

bool RangedNumber::confirm() {
    switch (m_edit->checkRange()) {
    case TRealSpinEdit::RangeCheck::InRange:
        tell(QString());
        return true;
    case TRealSpinEdit::RangeCheck::NoNumber:
        tell(m_translate(QStringLiteral("Zadejte číslo."), {}));
        break;
    case TRealSpinEdit::RangeCheck::BelowRange:
        tell(m_translate(QStringLiteral("Nejmenší možné číslo je %s."),
                         {formatFixedPoint(m_edit->MinValue())}));
        break;
    case TRealSpinEdit::RangeCheck::AboveRange:
        tell(m_translate(QStringLiteral("Největší možné číslo je %s."),
                         {formatFixedPoint(m_edit->MaxValue())}));
        break;
    }
    m_edit->bringIntoRange();
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
    return false;
}

// Said below the field and to a screen reader, which reads the field's description with it.
void RangedNumber::tell(const QString &problem) {
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    m_edit->setAccessibleDescription(problem);
    // The dialog grows by the line rather than squeezing the field above it.
    window()->adjustSize();
}

std::optional<double> askNumber(QWidget *parent, const QString &title, const QString &prompt,
                                FixedPoint least, FixedPoint largest, double value,
                                const Translate &translate) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("NumberDialog"));
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    auto *label = new QLabel(prompt, &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    auto *number = new RangedNumber(least, largest, translate, &dialog);
    number->setValue(value);
    number->edit()->setAccessibleName(prompt);
    label->setBuddy(number->edit());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, number] {
        if (number->confirm())
            dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(number, &RangedNumber::entered, buttons->button(QDialogButtonBox::Ok),
                     &QPushButton::click);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(number);
    layout->addWidget(buttons);
    assignAccelerators(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return number->value();
}
