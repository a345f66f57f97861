#pragma once

#include <QDialog>

#include <functional>

class QDoubleSpinBox;
class QLineEdit;

// Asks for the real length between two places on the scale, and the name and symbol of the
// unit it is measured in.
class KnownLengthDialog : public QDialog {
    Q_OBJECT

public:
    KnownLengthDialog(const std::function<QString(const QString &)> &translate,
                      QWidget *parent = nullptr);

    double length() const;
    QString unitName() const;
    QString unitSymbol() const;

private:
    QDoubleSpinBox *m_length = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_symbol = nullptr;
};
