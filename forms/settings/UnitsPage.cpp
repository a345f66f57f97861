// The settings dialog's units page.

#include "forms/settings/UnitsPage.h"

#include "forms/settings/NastaveniForm.h"

#include "core/settings/RulerState.h"
#include "core/units/Units.h"
#include "widgets/ElidedRows.h"
#include "widgets/RealSpin.h"

#include <QComboBox>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A unit is stored as one line of ";"-separated fields, so neither its name nor its symbol
// may hold a ";" or a line break: such characters cannot be typed.
QValidator *unitTextValidator(QObject *parent) {
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;\\r\\n]*")),
                                           parent);
}

} // namespace

QToolButton *UnitsPage::createUnitTool(const char *name, const QString &hint, const char *themeIcon,
                                       const char *builtInIcon) {
    auto *tool = new QToolButton(toolbarJednotky);
    tool->setObjectName(QLatin1String(name));
    tool->setToolTip(hint);
    tool->setAccessibleName(hint);
    tool->setIcon(themedIcon(themeIcon, builtInIcon));
    tool->setAutoRaise(true);
    designSize(tool, 27, 26);
    toolbarJednotky->addWidget(tool);
    connect(tool, &QToolButton::clicked, this, [this, tool] { JednotkaAkce(tool); });
    return tool;
}

UnitsPage::UnitsPage(TNastaveniForm &dialog, RulerState &state) : SettingsPage(dialog, state) {
    QWidget *page = this;
    toolbarJednotky = new QToolBar(page);
    toolbarJednotky->setObjectName(QStringLiteral("toolbarJednotky"));
    toolbarJednotky->setIconSize(QSize(20, 20));
    toolbarJednotky->setMovable(false);
    toolbarJednotky->setFloatable(false);
    toolNovaJednotka = createUnitTool("toolNovaJednotka", QStringLiteral("Nová jednotka"),
                                      "list-add", "unit-add.png");
    toolSmazatJednotku = createUnitTool("toolSmazatJednotku", QStringLiteral("Smazat jednotku"),
                                        "list-remove", "unit-remove.png");
    toolbarJednotky->addSeparator()->setObjectName(QStringLiteral("ToolButton3"));
    toolJednotkaNahoru = createUnitTool(
        "toolJednotkaNahoru", QStringLiteral("Posunout jednotku nahoru"), "go-up", "unit-up.png");
    toolJednotkaDolu = createUnitTool("toolJednotkaDolu", QStringLiteral("Posunout jednotku dolu"),
                                      "go-down", "unit-down.png");
    for (QToolButton *tool : {toolSmazatJednotku, toolJednotkaNahoru, toolJednotkaDolu})
        tool->setEnabled(false);

    listJednotky = new QListWidget(page);
    listJednotky->setObjectName(QStringLiteral("listJednotky"));
    listJednotky->setAccessibleName(QStringLiteral("Jednotky"));
    listJednotky->setItemDelegate(new ElidedRows(listJednotky));
    designSize(listJednotky, 121, 150);
    connect(listJednotky, &QListWidget::currentRowChanged, this, &UnitsPage::ZmenaJednotky);

    labelJNazev = createLabel("labelJNazev", QStringLiteral("Název jednotky"), page);
    editJNazev = new QLineEdit(page);
    editJNazev->setObjectName(QStringLiteral("editJNazev"));
    labelJZnacka = createLabel("labelJZnacka", QStringLiteral("Značka"), page);
    editJZnacka = new QLineEdit(page);
    editJZnacka->setObjectName(QStringLiteral("editJZnacka"));
    editJZnacka->setMaxLength(LongestUnitSymbol);
    for (QLineEdit *edit : {editJNazev, editJZnacka}) {
        edit->setValidator(unitTextValidator(edit));
        designSize(edit, 121);
        edit->setEnabled(false);
    }
    labelJNazev->setBuddy(editJNazev);
    labelJZnacka->setBuddy(editJZnacka);
    labelJJednotka = createLabel("labelJJednotka", QStringLiteral("1 jednotka = "), page);
    comboJJednotek = new QComboBox(page);
    comboJJednotek->setObjectName(QStringLiteral("comboJJednotek"));
    comboJJednotek->setAccessibleName(QStringLiteral("Základní jednotka"));
    comboJJednotek->addItems(
        {QStringLiteral("Px"), QStringLiteral("Cm"), QStringLiteral("In"), QStringLiteral("%")});
    designSize(comboJJednotek, 57);
    comboJJednotek->setEnabled(false);
    labelJCarka = createLabel("labelJCarka", QStringLiteral("Čárka každých"), page);
    labelJCarka2 = createLabel("labelJCarka2", QStringLiteral("jednotek."), page);
    labelJVestavena =
        createLabel("labelJVestavena", QStringLiteral("Tato jednotka je vestavená."), page);
    QFont bold = labelJVestavena->font();
    bold.setBold(true);
    labelJVestavena->setFont(bold);
    labelJVestavena->setWordWrap(true);

    // Vytvorit puts the two spin edits into column 1 of rows 2 and 3.
    m_unitEditor = new QGridLayout;
    m_unitEditor->addWidget(labelJNazev, 0, 0);
    m_unitEditor->addWidget(editJNazev, 0, 1, 1, 2);
    m_unitEditor->addWidget(labelJZnacka, 1, 0);
    m_unitEditor->addWidget(editJZnacka, 1, 1, 1, 2);
    m_unitEditor->addWidget(labelJJednotka, 2, 0);
    m_unitEditor->addWidget(comboJJednotek, 2, 2);
    m_unitEditor->addWidget(labelJCarka, 3, 0);
    m_unitEditor->addWidget(labelJCarka2, 3, 2);
    m_unitEditor->addWidget(labelJVestavena, 4, 0, 1, 3);
    m_unitEditor->setRowStretch(5, 1);
    m_unitEditor->setColumnStretch(1, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(toolbarJednotky);
    left->addWidget(listJednotky, 1);
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(m_unitEditor, 1);
}

QWidget *UnitsPage::firstControl() const {
    return listJednotky;
}

void UnitsPage::load(const RulerState &) {
    refillUnitList();
}

void UnitsPage::save(RulerState &state) {
    FormToUnit(m_upravovanaJednotka);
    UlozJednotky(state);
}

QString UnitsPage::shownName(int i) const {
    return shownUnitName(i, m_state.Jednotky[i].Nazev,
                         [this](const QString &name) { return translated(name); });
}

void UnitsPage::refillUnitList() {
    {
        const QSignalBlocker blocker(listJednotky);
        listJednotky->clear();
        for (int i = 0; i < m_state.Jednotky.size(); ++i)
            listJednotky->addItem(shownName(i));
        listJednotky->setCurrentRow(0);
    }
    m_upravovanaJednotka = 0;
    UnitToForm(0);
    JednotkaZablokujOdblokuj();
}

void UnitsPage::UnitToForm(int i) {
    if (i < 0 || i >= m_state.Jednotky.size())
        return;
    const tjednotka &unit = m_state.Jednotky[i];
    editJNazev->setText(shownName(i));
    // A longer symbol from the file is shown whole; it can be shortened, not lengthened.
    editJZnacka->setMaxLength(std::max(LongestUnitSymbol, int(unit.Znacka.size())));
    editJZnacka->setText(unit.Znacka);
    editJHodnota->setExactValue(unit.Hodnota);
    comboJJednotek->setCurrentIndex(unit.Zaklad);
    editJCarka->setExactValue(unit.Carka);
    labelJVestavena->setVisible(i < BuiltInUnitCount);
    m_shown = {editJNazev->text(), editJZnacka->text(), editJHodnota->text(),
               comboJJednotek->currentIndex(), editJCarka->text()};
}

void UnitsPage::FormToUnit(int i) {
    if (i < 0 || i >= m_state.Jednotky.size())
        return;
    // What is stored is what the fields show once in range, however the editor is left: by
    // another unit, a tool button, OK, Enter or the calibrate button.
    editJHodnota->bringIntoRange();
    editJCarka->bringIntoRange();
    tjednotka &unit = m_state.Jednotky[i];
    if (editJCarka->text() != m_shown.tickSpacing)
        unit.Carka = editJCarka->exactValue();
    // A built-in unit's other fields are fixed; its name field shows the translated name,
    // which must not replace the stored one.
    if (i < BuiltInUnitCount)
        return;
    if (editJNazev->text() != m_shown.name)
        unit.Nazev = editJNazev->text();
    if (editJZnacka->text() != m_shown.symbol)
        unit.Znacka = editJZnacka->text();
    if (editJHodnota->text() != m_shown.value)
        unit.Hodnota = editJHodnota->exactValue();
    if (comboJJednotek->currentIndex() != m_shown.base)
        unit.Zaklad = quint8(qMax(0, comboJJednotek->currentIndex()));
}

void UnitsPage::JednotkaZablokujOdblokuj() {
    const bool userUnit = listJednotky->currentRow() >= BuiltInUnitCount;
    const QList<QWidget *> userOnly = {toolSmazatJednotku, toolJednotkaNahoru, toolJednotkaDolu,
                                       editJNazev,         editJZnacka,        editJHodnota,
                                       comboJJednotek};
    for (QWidget *control : userOnly)
        control->setEnabled(userUnit);
}

void UnitsPage::ZmenaJednotky() {
    const int selected = listJednotky->currentRow();
    if (selected < 0 || selected == m_upravovanaJednotka)
        return;
    FormToUnit(m_upravovanaJednotka);
    if (QListWidgetItem *left = listJednotky->item(m_upravovanaJednotka))
        left->setText(shownName(m_upravovanaJednotka));
    m_upravovanaJednotka = selected;
    UnitToForm(selected);
    JednotkaZablokujOdblokuj();
}

bool UnitsPage::askUnitName(QString &name) {
    QInputDialog input(this);
    input.setWindowTitle(toolNovaJednotka->toolTip());
    input.setLabelText(translated(QStringLiteral("Zadejte jméno nové jednotky")));
    input.setTextValue(QString());
    for (QLabel *label : input.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    if (auto *edit = input.findChild<QLineEdit *>())
        edit->setValidator(unitTextValidator(edit));
    if (input.exec() != QDialog::Accepted)
        return false;
    name = input.textValue();
    return true;
}

void UnitsPage::JednotkaAkce(QObject *sender) {
    const int selected = listJednotky->currentRow();
    const int count = listJednotky->count();
    const QSignalBlocker blocker(listJednotky);

    if (sender == toolNovaJednotka) {
        QString name;
        if (!askUnitName(name))
            return;
        FormToUnit(m_upravovanaJednotka);
        listJednotky->addItem(name);
        m_upravovanaJednotka = listJednotky->count() - 1;
        listJednotky->setCurrentRow(m_upravovanaJednotka);
        m_state.Jednotky.resize(m_upravovanaJednotka + 1);
        m_state.Jednotky.last() = {name, QStringLiteral("Xx"), 1, UnitPixel, 0, 10};
        UnitToForm(m_upravovanaJednotka);
    } else if (sender == toolSmazatJednotku) {
        // Built-in units are never deleted, whatever enabled the button.
        if (m_state.Jednotky.size() <= BuiltInUnitCount || selected < BuiltInUnitCount)
            return;
        if (!askYesNo(translated(QStringLiteral("Opravdu chcete smazat tuto jednotku ?"))))
            return;
        m_state.Jednotky.removeAt(selected);
        delete listJednotky->takeItem(selected);
        m_upravovanaJednotka = qMin(selected, listJednotky->count() - 1);
        listJednotky->setCurrentRow(m_upravovanaJednotka);
        UnitToForm(m_upravovanaJednotka);
    } else if (sender == toolJednotkaNahoru || sender == toolJednotkaDolu) {
        // The first user unit stays below the built-in ones; the last unit has nowhere to go.
        const bool up = sender == toolJednotkaNahoru;
        const int other = up ? selected - 1 : selected + 1;
        if (selected < BuiltInUnitCount || other < BuiltInUnitCount || other >= count)
            return;
        // The editor keeps showing the moved unit with any pending edits: it follows the
        // unit, and the list shows the stored names until the edits are taken.
        m_state.Jednotky.swapItemsAt(selected, other);
        listJednotky->item(selected)->setText(shownName(selected));
        listJednotky->item(other)->setText(shownName(other));
        listJednotky->setCurrentRow(other);
        m_upravovanaJednotka = other;
    }
    JednotkaZablokujOdblokuj();
}

void UnitsPage::Vytvorit() {
    const std::pair<TRealSpinEdit *&, const char *> spins[] = {{editJHodnota, "editJHodnota"},
                                                               {editJCarka, "editJCarka"}};
    for (const auto &[spin, name] : spins) {
        spin = new TRealSpinEdit(this);
        spin->setObjectName(QLatin1String(name));
        spin->setMinValue(LeastUnitNumber);
        spin->setMaxValue(LargestUnitNumber);
        spin->setValue(FixedPoint::fromInt(1));
        designSize(spin, 73);
        spin->installEventFilter(&m_dialog);
    }
    m_unitEditor->addWidget(editJHodnota, 2, 1);
    m_unitEditor->addWidget(editJCarka, 3, 1);
    labelJJednotka->setBuddy(editJHodnota);
    labelJCarka->setBuddy(editJCarka);
    setTabOrder(editJZnacka, editJHodnota);
    setTabOrder(editJHodnota, comboJJednotek);
    setTabOrder(comboJJednotek, editJCarka);
}

void UnitsPage::Ukoncit() {
    delete editJHodnota;
    editJHodnota = nullptr;
    delete editJCarka;
    editJCarka = nullptr;
}
