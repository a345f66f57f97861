#pragma once

#include "forms/settings/SettingsPage.h"

class QLineEdit;
class QPushButton;

// The settings dialog's measuring page: the resolution of the monitor the ruler is on, typed,
// taken from the monitor or calibrated against a physical ruler.
class MeasuringPage : public SettingsPage {
    Q_OBJECT

public:
    MeasuringPage(TNastaveniForm &dialog, RulerState &state);

    void load(const RulerState &state) override;
    void save(RulerState &state) override;
    QWidget *firstControl() const override;

    void RozliseniPodleObrazovky();

private:
    QLabel *labelHorizRozliseni = nullptr;
    QLineEdit *editRozliseniX = nullptr;
    QLabel *labelHorizJednotka = nullptr;
    QLabel *labelVertikRozliseni = nullptr;
    QLineEdit *editRozliseniY = nullptr;
    QLabel *labelVertikJednotka = nullptr;
    QLabel *labelMonitor = nullptr; // which monitor, and where its resolution comes from
    QPushButton *buttonRozliseniObrazovka = nullptr;
    QPushButton *buttonKalibrovat = nullptr;
};
