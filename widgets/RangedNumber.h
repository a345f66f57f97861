#pragma once

#include "core/translation/Translation.h"
#include "core/units/FixedPoint.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class TRealSpinEdit;

// A number field with its range written beside it and, below it, a line that tells what is
// wrong with the typed number once the user confirms it. Either decimal separator is read.
class RangedNumber : public QWidget {
    Q_OBJECT

public:
    RangedNumber(FixedPoint least, FixedPoint largest, const Translate &translate,
                 QWidget *parent = nullptr);

    TRealSpinEdit *edit() const { return m_edit; }
    double value() const;
    void setValue(double value);

    // True when the typed number lies in the range. Otherwise the line below says why: a
    // number outside the range is brought to its nearer end, text that is no number stays for
    // the user to correct.
    bool confirm();

signals:
    // Return or Enter in the field, which the field itself refuses as a character: in a
    // dialog it means OK.
    void entered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tell(const QString &problem);

    TRealSpinEdit *m_edit = nullptr;
    QLabel *m_problem = nullptr;
    Translate m_translate;
};

// Asks for one number within least..largest in a dialog of its own, window-modal to `parent`;
// nothing when it is cancelled.
std::optional<double> askNumber(QWidget *parent, const QString &title, const QString &prompt,
                                FixedPoint least, FixedPoint largest, double value,
                                const Translate &translate);
