#pragma once

#include <QDialog>

struct RulerState;

// The settings dialog. It copies the settings into its controls when shown and back when
// confirmed; the ruler window then applies them.
class TNastaveniForm : public QDialog {
    Q_OBJECT
public:
    // The result of the dialog's calibrate button: treated like OK, then calibration starts.
    static constexpr int KalibrovatResult = 1234;

    TNastaveniForm(RulerState &state, QWidget *parent = nullptr);

private:
    RulerState &m_state;
};
