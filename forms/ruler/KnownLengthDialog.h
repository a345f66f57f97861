#pragma once

#include "widgets/RangedNumber.h"

#include <QDialog>

class QLineEdit;

// Asks for the real length of a span of `pixels` device pixels, and the name and symbol of the
// unit it is measured in. Only lengths that make a unit are offered.
class KnownLengthDialog : public QDialog {
    Q_OBJECT

public:
    KnownLengthDialog(int pixels, const Translate &translate, QWidget *parent = nullptr);

    double length() const;
    QString unitName() const;
    QString unitSymbol() const;

private:
    RangedNumber *m_length = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_symbol = nullptr;
};
