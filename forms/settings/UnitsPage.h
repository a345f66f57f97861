#pragma once

#include "forms/settings/SettingsPage.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QToolBar;
class QToolButton;
class TRealSpinEdit;

// The settings dialog's units page: the list of all units and the editor of the selected one.
// Units 0..3 are built in: only their tick spacing can change. The user's own units follow.
// The editor works on the state's unit list while the dialog shows; the dialog keeps a copy to
// bring back on Cancel.
class UnitsPage : public SettingsPage {
    Q_OBJECT

public:
    UnitsPage(TNastaveniForm &dialog, RulerState &state);

    void load(const RulerState &state) override;
    void save(RulerState &state) override;
    QWidget *firstControl() const override;

    // The two spin edits are made and removed with the dialog.
    void Vytvorit();
    void Ukoncit();

    void ZmenaJednotky();
    void JednotkaAkce(QObject *sender);
    void UnitToForm(int i);
    void FormToUnit(int i);
    void JednotkaZablokujOdblokuj();
    int UpravovanaJednotka() const { return m_upravovanaJednotka; }

private:
    QToolButton *createUnitTool(const char *name, const QString &hint, const char *themeIcon,
                                const char *builtInIcon);
    bool askUnitName(QString &name);
    void refillUnitList();
    QString shownName(int i) const;

    int m_upravovanaJednotka = 0;
    // What UnitToForm put into the fields: a field the user left as it was stores nothing, so
    // a unit is never changed by only being looked at.
    struct ShownUnit {
        QString name;
        QString symbol;
        QString value;
        int base = 0;
        QString tickSpacing;
    } m_shown;

    QToolBar *toolbarJednotky = nullptr;
    QToolButton *toolNovaJednotka = nullptr;
    QToolButton *toolSmazatJednotku = nullptr;
    QToolButton *toolJednotkaNahoru = nullptr;
    QToolButton *toolJednotkaDolu = nullptr;
    QListWidget *listJednotky = nullptr;
    QLabel *labelJNazev = nullptr;
    QLineEdit *editJNazev = nullptr;
    QLabel *labelJZnacka = nullptr;
    QLineEdit *editJZnacka = nullptr;
    QLabel *labelJJednotka = nullptr;
    TRealSpinEdit *editJHodnota = nullptr;
    QComboBox *comboJJednotek = nullptr;
    QLabel *labelJCarka = nullptr;
    TRealSpinEdit *editJCarka = nullptr;
    QLabel *labelJCarka2 = nullptr;
    QLabel *labelJVestavena = nullptr;
    QGridLayout *m_unitEditor = nullptr; // the editor's grid, where Vytvorit puts the spin edits
};
