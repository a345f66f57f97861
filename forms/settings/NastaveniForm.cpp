// The settings dialog: its construction, and what happens when it shows and closes.

#include "forms/settings/NastaveniForm.h"

#include "forms/settings/GeneralPage.h"
#include "forms/settings/MeasuringPage.h"
#include "forms/settings/UnitsPage.h"

#include "core/settings/RulerState.h"
#include "core/translation/LangTranslator.h"
#include "core/translation/Translation.h"
#include "core/units/Units.h"
#include "forms/help/HelpKeyword.h"
#include "widgets/Accelerators.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PageControl.h"
#include "widgets/RealSpin.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <exception>

namespace {

// The dialog never gets smaller than this; its layouts grow it further when the captions of a
// font or language need more.
constexpr QSize leastDialogSize(410, 236);

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
    tabObecne = new GeneralPage(*this, m_state);
    tabMereni = new MeasuringPage(*this, m_state);
    tabJednotky = new UnitsPage(*this, m_state);
    addPage("tabObecne", QStringLiteral("Obecné"), tabObecne);
    addPage("tabMereni", QStringLiteral("Měření"), tabMereni);
    addPage("tabJednotky", QStringLiteral("Jednotky"), tabJednotky);
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

QWidget *TNastaveniForm::addPage(const char *name, const QString &caption, SettingsPage *page) {
    page->setObjectName(QLatin1String(name));
    // The page's title is what the language file sets; the tab follows it.
    page->setWindowTitle(caption);
    PageControl->addPage(page);
    return page;
}

QList<SettingsPage *> TNastaveniForm::pages() const {
    return {tabObecne, tabMereni, tabJednotky};
}

void TNastaveniForm::Vytvorit() {
    tabJednotky->Vytvorit();
}

void TNastaveniForm::Ukoncit() {
    tabJednotky->Ukoncit();
}

int TNastaveniForm::UpravovanaJednotka() const {
    return tabJednotky->UpravovanaJednotka();
}

bool TNastaveniForm::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<TRealSpinEdit *>(watched)) {
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
    if (auto *page = qobject_cast<SettingsPage *>(PageControl->page(PageControl->currentIndex())))
        page->firstControl()->setFocus(Qt::TabFocusReason);
    if (const QScreen *display = screen())
        move(display->availableVirtualGeometry().center() - rect().center());
}

void TNastaveniForm::Zobrazit() {
    // The units editor always starts from what the file holds; Cancel brings back what the
    // ruler has now.
    m_originalUnits = m_state.Jednotky;
    m_shown = true;
    NactiJednotky(m_state);
    for (SettingsPage *page : pages())
        page->load(m_state);
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
    if (result == OkResult || result == KalibrovatResult) {
        for (SettingsPage *page : pages())
            page->save(m_state);
    } else {
        m_state.Jednotky = m_originalUnits;
    }
    m_originalUnits.clear();
}

void TNastaveniForm::SpustitKalibraci() {
    done(KalibrovatResult);
}

// ---------------------------------------------------------------------------------------------
// Messages

QString TNastaveniForm::translated(const QString &czech, const QStringList &arguments) const {
    return translatedText(m_prekladac, czech, arguments);
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
