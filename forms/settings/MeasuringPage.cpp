// The settings dialog's measuring page.

#include "forms/settings/MeasuringPage.h"

#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "forms/settings/MonitorSource.h"
#include "forms/settings/NastaveniForm.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Resolutions are whole positive numbers; anything else leaves the one shown before alone.
void readResolution(const QLineEdit *edit, int &resolution) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    if (ok && value > 0)
        resolution = value;
}

} // namespace

MeasuringPage::MeasuringPage(TNastaveniForm &dialog, RulerState &state)
    : SettingsPage(dialog, state) {

    QWidget *page = this;
    labelHorizRozliseni =
        createLabel("labelHorizRozliseni", QStringLiteral("Horizontální rozlišení"), page);
    labelVertikRozliseni =
        createLabel("labelVertikRozliseni", QStringLiteral("Vertikální rozlišení"), page);
    labelHorizJednotka = createLabel("labelHorizJednotka", QStringLiteral("DPI"), page);
    labelVertikJednotka = createLabel("labelVertikJednotka", QStringLiteral("DPI"), page);
    // Only digits can be typed: a resolution is a whole number of pixels per inch.
    const auto *digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), page);
    editRozliseniX = new QLineEdit(page);
    editRozliseniX->setObjectName(QStringLiteral("editRozliseniX"));
    editRozliseniY = new QLineEdit(page);
    editRozliseniY->setObjectName(QStringLiteral("editRozliseniY"));
    for (QLineEdit *edit : {editRozliseniX, editRozliseniY}) {
        edit->setValidator(digits);
        designSize(edit, 97);
    }
    labelHorizRozliseni->setBuddy(editRozliseniX);
    labelVertikRozliseni->setBuddy(editRozliseniY);

    buttonRozliseniObrazovka =
        new QPushButton(themedIcon("video-display", "screen.png"),
                        QStringLiteral("Nastavit podle údajů o obrazovce"), page);
    buttonRozliseniObrazovka->setObjectName(QStringLiteral("buttonRozliseniObrazovka"));
    buttonKalibrovat =
        new QPushButton(themedIcon("measure", "calibrate.png"), QStringLiteral("Kalibrovat"), page);
    buttonKalibrovat->setObjectName(QStringLiteral("buttonKalibrovat"));
    for (QPushButton *button : {buttonRozliseniObrazovka, buttonKalibrovat}) {
        designSize(button, 233, 30);
        button->setAutoDefault(false);
    }
    connect(buttonRozliseniObrazovka, &QPushButton::clicked, this,
            &MeasuringPage::RozliseniPodleObrazovky);
    connect(buttonKalibrovat, &QPushButton::clicked, &m_dialog, &TNastaveniForm::SpustitKalibraci);

    auto *grid = new QGridLayout;
    grid->addWidget(labelHorizRozliseni, 0, 0);
    grid->addWidget(editRozliseniX, 0, 1);
    grid->addWidget(labelHorizJednotka, 0, 2);
    grid->addWidget(labelVertikRozliseni, 1, 0);
    grid->addWidget(editRozliseniY, 1, 1);
    grid->addWidget(labelVertikJednotka, 1, 2);
    grid->setColumnStretch(0, 1);
    auto *layout = new QVBoxLayout(page);
    labelMonitor = createMonitorLabel(page);
    layout->addWidget(labelMonitor);
    layout->addLayout(grid);
    // The two buttons are one column of equal width, whichever caption is longer.
    auto *buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(buttonRozliseniObrazovka);
    buttonColumn->addWidget(buttonKalibrovat);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addLayout(buttonColumn);
    buttonRow->addStretch(1);
    layout->addSpacing(12);
    layout->addLayout(buttonRow);
    layout->addStretch(1);
}

QWidget *MeasuringPage::firstControl() const {
    return editRozliseniX;
}

void MeasuringPage::load(const RulerState &state) {
    editRozliseniX->setText(QString::number(state.RozliseniX));
    editRozliseniY->setText(QString::number(state.RozliseniY));
    showMonitorSource(labelMonitor, state, [this](const QString &text, const QStringList &a) {
        return translated(text, a);
    });
}

void MeasuringPage::save(RulerState &state) {
    QPoint resolution(state.RozliseniX, state.RozliseniY);
    readResolution(editRozliseniX, resolution.rx());
    readResolution(editRozliseniY, resolution.ry());
    chooseMonitorResolution(state, resolution);
}

void MeasuringPage::RozliseniPodleObrazovky() {
    const QScreen *display = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    const QPoint dpi = screenResolution(m_state, display);
    editRozliseniX->setText(QString::number(dpi.x()));
    editRozliseniY->setText(QString::number(dpi.y()));
}
