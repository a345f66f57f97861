// The settings dialog: its construction, the general and measurement pages, and what happens
// when it shows and closes.

#include "forms/settings/NastaveniForm.h"

#include "core/drawing/BuiltInPictures.h"
#include "core/settings/DataFolders.h"
#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "core/translation/LangTranslator.h"
#include "core/units/DevicePixels.h"
#include "core/units/Units.h"
#include "forms/help/HelpKeyword.h"
#include "forms/settings/MonitorSource.h"
#include "forms/settings/Translucency.h"
#include "widgets/Accelerators.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PageControl.h"
#include "widgets/RealSpin.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>
#include <exception>

namespace {

// The dialog never gets smaller than this; its layouts grow it further when the captions of a
// font or language need more.
constexpr QSize leastDialogSize(410, 236);

// Resolutions are whole positive numbers; anything else leaves the stored one alone.
bool readResolution(const QLineEdit *edit, int &resolution) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    if (!ok || value <= 0)
        return false;
    resolution = value;
    return true;
}

} // namespace

// The dialog's pictures live in the static forms library; they must be registered by hand.
static void initialiseResources() {
    Q_INIT_RESOURCE(settings_icons);
}

TNastaveniForm::TNastaveniForm(RulerState &state, QWidget *parent)
    : QDialog(parent), m_state(state) {
    initialiseResources();
    setObjectName(QStringLiteral("NastaveniForm"));
    setWindowTitle(QStringLiteral("Nastavení"));
    setHelpKeyword(this, QStringLiteral("cz/nastaveni.html"));

    PageControl = new ::PageControl(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    tabObecne = addPage("tabObecne", QStringLiteral("Obecné"), createGeneralPage());
    tabMereni = addPage("tabMereni", QStringLiteral("Měření"), createMeasurementPage());
    tabJednotky = addPage("tabJednotky", QStringLiteral("Jednotky"), createUnitsPage());
    // F1 on a page opens the part of the help about that page.
    setHelpKeyword(tabObecne, QStringLiteral("cz/nastaveni.html#obecne"));
    setHelpKeyword(tabMereni, QStringLiteral("cz/nastaveni.html#mereni"));
    setHelpKeyword(tabJednotky, QStringLiteral("cz/nastaveni.html#jednotky"));

    buttonOK = new QPushButton(QStringLiteral("OK"), this);
    buttonOK->setObjectName(QStringLiteral("buttonOK"));
    buttonOK->setDefault(true);
    buttonZrusit = new QPushButton(QStringLiteral("Zrušit"), this);
    buttonZrusit->setObjectName(QStringLiteral("buttonZrusit"));
    // Pictures on dialog buttons only where the desktop shows them on its own dialogs.
    if (style()->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons, nullptr, this)) {
        buttonOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
        buttonZrusit->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    }
    for (QPushButton *button : {buttonOK, buttonZrusit})
        designSize(button, 75, 25);
    connect(buttonOK, &QPushButton::clicked, this, [this] { done(OkResult); });
    connect(buttonZrusit, &QPushButton::clicked, this, &TNastaveniForm::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(buttonOK);
    buttons->addWidget(buttonZrusit);
    // Struts rather than a fixed minimum size, which would stop the layouts from asking for
    // more room: the column cannot get narrower, the row around it not lower.
    auto *column = new QVBoxLayout;
    column->addWidget(PageControl, 1);
    column->addLayout(buttons);
    column->addStrut(leastDialogSize.width());
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addStrut(leastDialogSize.height());

    Vytvorit();
    // As compact as the captions of the current font and language allow.
    resize(minimumSizeHint());
}

TNastaveniForm::~TNastaveniForm() {
    Ukoncit();
}

// A fixed minimum would stop the layout from asking for what a larger font or a longer
// translation needs, so each control gets the larger of its design size and its own need, again
// whenever either may have changed.
void TNastaveniForm::designSize(QWidget *control, int width, int height) {
    m_designSizes.append({control, QSize(width, height)});
    control->setMinimumSize(QSize(width, height).expandedTo(control->minimumSizeHint()));
}

void TNastaveniForm::keepDesignSizes() {
    for (const auto &[control, size] : std::as_const(m_designSizes))
        if (control)
            control->setMinimumSize(size.expandedTo(control->minimumSizeHint()));
}

void TNastaveniForm::changeEvent(QEvent *event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        keepDesignSizes();
}

QIcon TNastaveniForm::themedIcon(const char *themeName, const char *builtInName) {
    return QIcon::fromTheme(QLatin1String(themeName), builtInIcon(QStringLiteral(":/settings/") +
                                                                  QLatin1String(builtInName)));
}

// Captions may come from a language file, so they are never read as markup.
QLabel *TNastaveniForm::createLabel(const char *name, const QString &caption, QWidget *parent) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget *TNastaveniForm::addPage(const char *name, const QString &caption, QWidget *page) {
    page->setObjectName(QLatin1String(name));
    // The page's title is what the language file sets; the tab follows it.
    page->setWindowTitle(caption);
    PageControl->addPage(page);
    return page;
}

QWidget *TNastaveniForm::createGeneralPage() {
    auto *page = new QWidget;

    groupVzhled = new QGroupBox(QStringLiteral("Vzhled"), page);
    groupVzhled->setObjectName(QStringLiteral("groupVzhled"));
    Image1 = createLabel("Image1", QString(), groupVzhled);
    Image1->setPixmap(themedIcon("preferences-desktop-theme", "skin.png").pixmap(32, 26));
    Image1->setFixedSize(32, 26);
    labelVzhled =
        createLabel("labelVzhled", QStringLiteral("Vyberte si vzhled programu"), groupVzhled);
    comboSkiny = new QComboBox(groupVzhled);
    comboSkiny->setObjectName(QStringLiteral("comboSkiny"));
    designSize(comboSkiny, 201);
    labelVzhled->setBuddy(comboSkiny);
    auto *skinRow = new QHBoxLayout(groupVzhled);
    skinRow->addWidget(Image1);
    skinRow->addWidget(labelVzhled);
    skinRow->addStretch(1);
    skinRow->addWidget(comboSkiny);

    groupOkno = new QGroupBox(QStringLiteral("Okno"), page);
    groupOkno->setObjectName(QStringLiteral("groupOkno"));
    checkVzdyNahore = new QCheckBox(QStringLiteral("Vždy nahoře"), groupOkno);
    checkVzdyNahore->setObjectName(QStringLiteral("checkVzdyNahore"));
    labelPruhlednost = createLabel("labelPruhlednost", QStringLiteral("Průhlednost"), groupOkno);
    trackPruhlednost = new QSlider(Qt::Horizontal, groupOkno);
    trackPruhlednost->setObjectName(QStringLiteral("trackPruhlednost"));
    trackPruhlednost->setRange(opacityRange.least, opacityRange.most);
    trackPruhlednost->setValue(opacityRange.most);
    trackPruhlednost->setTickInterval(10);
    trackPruhlednost->setTickPosition(QSlider::TicksBelow);
    trackPruhlednost->setPageStep(10);
    designSize(trackPruhlednost, 198);
    labelPruhlednost->setBuddy(trackPruhlednost);
    // Shown only where the window system cannot make the ruler translucent.
    labelPruhlednost2 =
        createLabel("labelPruhlednost2",
                    QStringLiteral("Průhlednost vyžaduje kompozitního správce oken."), groupOkno);
    labelPruhlednost2->setWordWrap(true);
    QPalette warning = labelPruhlednost2->palette();
    warning.setColor(QPalette::WindowText, QColor(128, 0, 0));
    labelPruhlednost2->setPalette(warning);
    labelPruhlednost2->hide();
    auto *windowGrid = new QGridLayout(groupOkno);
    windowGrid->addWidget(checkVzdyNahore, 0, 0);
    windowGrid->addWidget(labelPruhlednost, 0, 1);
    windowGrid->addWidget(trackPruhlednost, 0, 2);
    windowGrid->addWidget(labelPruhlednost2, 1, 2);
    windowGrid->setColumnStretch(2, 1);

    groupJazyk = new QGroupBox(QStringLiteral("Jazyk"), page);
    groupJazyk->setObjectName(QStringLiteral("groupJazyk"));
    Image2 = createLabel("Image2", QString(), groupJazyk);
    Image2->setPixmap(themedIcon("preferences-desktop-locale", "language.png").pixmap(32, 32));
    Image2->setFixedSize(32, 32);
    createLanguageList();
    buttonNovy = new QPushButton(themedIcon("document-new", "language-new.png"),
                                 QStringLiteral("Nový"), groupJazyk);
    buttonNovy->setObjectName(QStringLiteral("buttonNovy"));
    buttonUpravit = new QPushButton(themedIcon("document-edit", "language-edit.png"),
                                    QStringLiteral("Upravit"), groupJazyk);
    buttonUpravit->setObjectName(QStringLiteral("buttonUpravit"));
    for (QPushButton *button : {buttonNovy, buttonUpravit}) {
        designSize(button, 85, 25);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, button] { NovyNeboUpravitJazyk(button); });
    }
    auto *languageRow = new QHBoxLayout(groupJazyk);
    languageRow->addWidget(Image2, 0, Qt::AlignTop);
    languageRow->addWidget(listJazyky, 1);
    auto *languageButtons = new QVBoxLayout;
    languageButtons->addWidget(buttonNovy);
    languageButtons->addWidget(buttonUpravit);
    languageButtons->addStretch(1);
    languageRow->addLayout(languageButtons);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(groupVzhled);
    layout->addWidget(groupOkno);
    layout->addWidget(groupJazyk, 1);
    return page;
}

QWidget *TNastaveniForm::createMeasurementPage() {
    auto *page = new QWidget;
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
            &TNastaveniForm::RozliseniPodleObrazovky);
    connect(buttonKalibrovat, &QPushButton::clicked, this, &TNastaveniForm::SpustitKalibraci);

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
    return page;
}

void TNastaveniForm::Vytvorit() {
    const std::pair<TRealSpinEdit *&, const char *> spins[] = {{editJHodnota, "editJHodnota"},
                                                               {editJCarka, "editJCarka"}};
    for (const auto &[spin, name] : spins) {
        spin = new TRealSpinEdit(tabJednotky);
        spin->setObjectName(QLatin1String(name));
        spin->setMinValue(LeastUnitNumber);
        spin->setMaxValue(LargestUnitNumber);
        spin->setValue(FixedPoint::fromInt(1));
        designSize(spin, 73);
        spin->installEventFilter(this);
    }
    m_unitEditor->addWidget(editJHodnota, 2, 1);
    m_unitEditor->addWidget(editJCarka, 3, 1);
    labelJJednotka->setBuddy(editJHodnota);
    labelJCarka->setBuddy(editJCarka);
    setTabOrder(editJZnacka, editJHodnota);
    setTabOrder(editJHodnota, comboJJednotek);
    setTabOrder(comboJJednotek, editJCarka);
}

void TNastaveniForm::Ukoncit() {
    delete editJHodnota;
    editJHodnota = nullptr;
    delete editJCarka;
    editJCarka = nullptr;
}

bool TNastaveniForm::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && (watched == editJHodnota || watched == editJCarka)) {
        // The spin edits take Enter as a refused character; in a dialog it means OK.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            buttonOK->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Showing and closing

void TNastaveniForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // A window manager restoring the dialog is not a new showing.
    if (event->spontaneous())
        return;
    Zobrazit();
    // The texts may have been translated since the last showing.
    assignAccelerators(this, PageControl);
    keepDesignSizes();
    // As compact as this language allows: a longer one shown before leaves no room behind.
    layout()->activate();
    resize(minimumSizeHint());
    // The keyboard starts on the first control of the page in front.
    const QWidget *page = PageControl->page(PageControl->currentIndex());
    QWidget *first = listJednotky;
    if (page == tabObecne)
        first = comboSkiny;
    else if (page == tabMereni)
        first = editRozliseniX;
    first->setFocus(Qt::TabFocusReason);
    if (const QScreen *display = screen())
        move(display->availableVirtualGeometry().center() - rect().center());
}

void TNastaveniForm::Zobrazit() {
    const QSignalBlocker blockLanguages(listJazyky);
    listJazyky->clear();
    listJazyky->addItems(languageFiles(m_state.CestaProgramu));
    listJazyky->setCurrentRow(-1);
    for (int i = 0; i < listJazyky->count(); ++i) {
        if (listJazyky->item(i)->text().compare(m_state.Jazyk, Qt::CaseInsensitive) == 0) {
            listJazyky->setCurrentRow(i);
            break;
        }
    }

    comboSkiny->clear();
    comboSkiny->addItems(skinFolders(m_state.CestaProgramu));
    comboSkiny->setCurrentIndex(comboSkiny->findText(m_state.Vzhled, Qt::MatchFixedString));

    editRozliseniX->setText(QString::number(m_state.RozliseniX));
    editRozliseniY->setText(QString::number(m_state.RozliseniY));
    showMonitorSource(labelMonitor, m_state, [this](const QString &text, const QStringList &a) {
        return translated(text, a);
    });
    checkVzdyNahore->setChecked(m_state.VzdyNahore);
    trackPruhlednost->setValue(m_state.Pruhlednost);
    labelPruhlednost2->setVisible(!windowsCanBeTranslucent());

    // The units editor always starts from what the file holds; Cancel brings back what the
    // ruler has now.
    m_puvodniJednotky = m_state.Jednotky;
    m_shown = true;
    NactiJednotky(m_state);
    refillUnitList();
}

// Hidden by the program without a result (its owner going away, say): nothing is taken. A
// window manager minimising the dialog does not end it.
void TNastaveniForm::hideEvent(QHideEvent *event) {
    if (!event->spontaneous())
        Skryt(ZrusitResult);
    QDialog::hideEvent(event);
}

void TNastaveniForm::reject() {
    done(ZrusitResult);
}

void TNastaveniForm::done(int result) {
    Skryt(result);
    QDialog::done(result);
}

void TNastaveniForm::Skryt(int result) {
    if (!m_shown)
        return;
    m_shown = false;
    if (result == OkResult || result == KalibrovatResult)
        copyBack();
    else
        m_state.Jednotky = m_puvodniJednotky;
    m_puvodniJednotky.clear();
}

void TNastaveniForm::copyBack() {
    if (QListWidgetItem *language = listJazyky->currentItem()) {
        m_state.Jazyk = language->text();
        // A broken language file is reported; the other settings are still taken.
        const QString error =
            m_prekladac ? m_prekladac->useLanguage(languageFilePath(m_state)) : QString();
        if (!error.isEmpty())
            showMessage(error, true);
    }
    if (comboSkiny->currentIndex() >= 0)
        m_state.Vzhled = comboSkiny->currentText();
    QPoint resolution(m_state.RozliseniX, m_state.RozliseniY);
    readResolution(editRozliseniX, resolution.rx());
    readResolution(editRozliseniY, resolution.ry());
    chooseMonitorResolution(m_state, resolution);
    m_state.Pruhlednost = trackPruhlednost->value();
    m_state.VzdyNahore = checkVzdyNahore->isChecked();
    FormToUnit(m_upravovanaJednotka);
    UlozJednotky(m_state);
}

void TNastaveniForm::RozliseniPodleObrazovky() {
    const QScreen *display = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    const QPoint dpi = screenResolution(m_state, display);
    editRozliseniX->setText(QString::number(dpi.x()));
    editRozliseniY->setText(QString::number(dpi.y()));
}

void TNastaveniForm::SpustitKalibraci() {
    done(KalibrovatResult);
}

// ---------------------------------------------------------------------------------------------
// Messages

QString TNastaveniForm::translated(const QString &czech, const QStringList &arguments) const {
    return fillArguments(m_prekladac ? m_prekladac->TranslateString(czech) : czech, arguments);
}

QString TNastaveniForm::describe(const std::exception &error) const {
    TLangTranslator untranslated;
    return (m_prekladac ? *m_prekladac : untranslated).describeError(error);
}

void TNastaveniForm::showMessage(const QString &text, bool error) {
    showMessageBox(error ? QMessageBox::Critical : QMessageBox::Information, text, this);
}

bool TNastaveniForm::askYesNo(const QString &text) {
    return showMessageBox(QMessageBox::Question, text, this, QMessageBox::Yes | QMessageBox::No) !=
           QMessageBox::No;
}
