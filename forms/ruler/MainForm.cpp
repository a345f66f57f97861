#include "forms/ruler/MainForm.h"

#include "core/drawing/BuiltInPictures.h"
#include "core/drawing/ColourKey.h"
#include "core/settings/DataFolders.h"
#include "core/settings/IniFile.h"
#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "core/settings/TextFile.h"
#include "core/settings/UnsavedSettingsNote.h"
#include "core/skins/Layout.h"
#include "core/translation/LangTranslator.h"
#include "core/units/DevicePixels.h"
#include "core/units/Units.h"
#include "forms/about/AboutForm.h"
#include "forms/help/HelpKeyword.h"
#include "forms/help/HtmlHelpEngine.h"
#include "forms/help/HtmlHelpViewer.h"
#include "forms/ruler/SaveDialogSettings.h"
#include "forms/ruler/ScreenTools.h"
#include "forms/ruler/UnitMenuItem.h"
#include "forms/settings/NastaveniForm.h"
#include "widgets/AccessibleControl.h"
#include "widgets/CoolForm.h"
#include "widgets/ImageControl.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <exception>

namespace {

// The window as it is before any settings or skin arrive.
constexpr QPoint initialPlace(211, 118);
constexpr QSize initialSize(472, 63);

QImage resourceImage(const QString &name) {
    return builtInPicture(QStringLiteral(":/icons/buttons/") + name);
}

} // namespace

// The form's resources live in the static forms library; they must be registered by hand.
static void initialiseResources() {
    Q_INIT_RESOURCE(forms);
    Q_INIT_RESOURCE(icons);
}

TMainForm::TMainForm(RulerState &state, const QStringList &arguments, QWidget *parent)
    : QWidget(parent), m_state(state), m_arguments(arguments) {
    initialiseResources();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tavlinko"));
    setWindowIcon(builtInIcon(QStringLiteral(":/icons/tavlinko.png")));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setHelpKeyword(this, QStringLiteral("cz/index.html"));
    QFont font = QApplication::font();
    font.setPixelSize(11);
    setFont(font);
    setGeometry(QRect(initialPlace, initialSize));
    ZobrazitZpravu = [this](QMessageBox::Icon icon, const QString &text) {
        showMessageBox(icon, text, this);
    };
    createControls();
    createMenus();
    m_screenTools = new ScreenTools(*this, m_state);
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(saveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &TMainForm::saveSettings);
    Spusteni();
}

TMainForm::~TMainForm() {
    // Nothing may leave a destructor; by now there is nobody left to tell either.
    try {
        releaseHelp();
        Ukonceni();
    } catch (const std::exception &) {
    }
}

// The dialogs cost more to build than the ruler itself and are seldom opened, so each is built
// when it is first asked for.
TAboutForm *TMainForm::aboutForm() {
    if (!m_about) {
        m_about = new TAboutForm(this);
        // Modal to the ruler only: the help window, which F1 opens from the dialog, stays
        // usable beside it.
        m_about->setWindowModality(Qt::WindowModal);
        translateNewForm(m_about);
    }
    return m_about;
}

TNastaveniForm *TMainForm::nastaveniForm() {
    if (!m_nastaveni) {
        m_nastaveni = new TNastaveniForm(m_state, this);
        m_nastaveni->setPrekladac(m_prekladac.get());
        m_nastaveni->setWindowModality(Qt::WindowModal);
        translateNewForm(m_nastaveni);
    }
    return m_nastaveni;
}

// A form built after the start joins the translator and takes the current language at once;
// before the start the first showing translates it with the rest.
void TMainForm::translateNewForm(QWidget *form) {
    if (!m_prekladac)
        return;
    m_prekladac->addForm(form);
    applyTranslation([this, form] { m_prekladac->TranslateForm(form); });
}

void TMainForm::setHelp(THtmlHelpViewer &help) {
    HtmlHelpEngine *engine = help.engine();
    if (!engine)
        return;
    m_help = &help;
    // The language file's own locale, not its name, tells which pages the reader gets.
    engine->language = [this] {
        // Without a language file the program speaks its own Czech.
        return m_prekladac && m_prekladac->LanguageLoaded() ? m_prekladac->LanguageLocale()
                                                            : QLocale(QLocale::Czech);
    };
    engine->loadPlace = [this] { return readHelpWindowPlace(IniFile(m_state.SouborNastaveni)); };
    engine->savePlace = [this](const HelpWindowPlace &place) {
        if (m_state.JenCteni)
            return;
        IniFile ini(m_state.SouborNastaveni);
        writeHelpWindowPlace(ini, place);
        saveSettingsFile(m_state, ini);
    };
    engine->translate = [this](const QString &text, const QStringList &arguments) {
        return translated(text, arguments);
    };
}

void TMainForm::releaseHelp() {
    if (!m_help)
        return;
    // The help window keeps its place in this window's settings file, so it closes while the
    // settings are still there; the help lives on without them.
    m_help->SoftShutDown();
    HtmlHelpEngine *engine = m_help->engine();
    engine->language = [] { return QLocale(QLocale::Czech); };
    engine->translate = std::bind_front(translatedText, nullptr);
    engine->loadPlace = nullptr;
    engine->savePlace = nullptr;
    m_help = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Controls

ImageControl *TMainForm::createImageButton(const char *name, const QString &hint, QPoint place) {
    auto *button = new ImageControl(this);
    button->setObjectName(QLatin1String(name));
    button->setAutoSize(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(hint);
    setAccessibleRole(button, QAccessible::Button);
    button->move(place);
    return button;
}

void TMainForm::connectPress(ImageControl *image) {
    connect(image, &ImageControl::pressed, this, [this, image](QMouseEvent *event) {
        // On a scaled screen the fraction of a logical pixel tells the device pixel apart, and
        // Qt keeps it only in the position within the window: a control's own position is
        // rounded. An event given to the control directly carries its own position there
        // instead, far from where the control lies in the window.
        const QPointF local = event->position() + QPointF(image->mapTo(this, QPoint(0, 0)));
        const QPointF scene = event->scenePosition();
        const QPointF at = (scene - local).manhattanLength() < 2 ? scene : local;
        const QPoint pressed = m_screenTools->snappedPress(
            {devicePixelAt(at.x(), m_pomer), devicePixelAt(at.y(), m_pomer)});
        Kliknuto(event->modifiers(), pressed.x(), pressed.y());
    });
}

void TMainForm::createControls() {
    CoolForm = new TCoolForm(this);
    CoolForm->setObjectName(QStringLiteral("CoolForm"));
    QFile mask(QStringLiteral(":/forms/MainForm.Mask2"));
    if (mask.open(QIODevice::ReadOnly))
        CoolForm->readMask2(mask.readAll());
    CoolForm->setAccessibleName(QStringLiteral("Pravítko (tažením přesunete)"));
    setAccessibleRole(CoolForm, QAccessible::Pane);

    labelMeridlo = new QLabel(QStringLiteral("0"), this);
    labelMeridlo->setObjectName(QStringLiteral("labelMeridlo"));
    labelMeridlo->setTextFormat(Qt::PlainText);
    labelMeridlo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont readingFont = font();
    readingFont.setPixelSize(19);
    labelMeridlo->setFont(readingFont);
    labelMeridlo->setGeometry(436, 40, 10, 24);
    labelMeridlo->installEventFilter(this);

    imageVelikost = new ImageControl(this);
    imageVelikost->setObjectName(QStringLiteral("imageVelikost"));
    imageVelikost->setGeometry(448, 21, 19, 19);
    imageVelikost->setCursor(Qt::SizeHorCursor);
    imageVelikost->installEventFilter(this);
    imageVelikost->setAccessibleName(QStringLiteral("Délka pravítka (táhněte)"));
    setAccessibleRole(imageVelikost, QAccessible::Grip);

    imageMeritko = new ImageControl(this);
    imageMeritko->setObjectName(QStringLiteral("imageMeritko"));
    imageMeritko->setGeometry(0, 0, 472, ScaleStripHeight);
    imageMeritko->setCursor(Qt::CrossCursor);
    connectPress(imageMeritko);
    setAccessibleRole(imageMeritko, QAccessible::Graphic);

    buttonHorizVert = createImageButton(
        "buttonHorizVert", QStringLiteral("Přepnout mezi vodorovnou a svislou polohou"), {16, 40});
    buttonObratit = createImageButton(
        "buttonObratit", QStringLiteral("Vyměnit stranu, na které je nula."), {48, 37});
    buttonMenu = createImageButton("buttonMenu", QStringLiteral("Další funkce ..."), {80, 40});
    buttonInfo = createImageButton("buttonInfo", QStringLiteral("O programu"), {144, 40});
    buttonKonec = createImageButton("buttonKonec", QStringLiteral("Konec"), {168, 40});
    connect(buttonHorizVert, &ImageControl::clicked, this, &TMainForm::HorizontVertik);
    connect(buttonObratit, &ImageControl::clicked, this, &TMainForm::Obratit);
    connect(buttonMenu, &ImageControl::clicked, this, [this] { OtevriMenu(buttonMenu); });
    connect(buttonInfo, &ImageControl::clicked, this, &TMainForm::OProgramu);
    connect(buttonKonec, &ImageControl::clicked, this, &TMainForm::Konec);

    buttonJednotka = new QLabel(QStringLiteral("Px"), this);
    buttonJednotka->setObjectName(QStringLiteral("buttonJednotka"));
    buttonJednotka->setTextFormat(Qt::PlainText); // the unit symbols come from the settings file
    buttonJednotka->setGeometry(448, 40, 24, 24);
    buttonJednotka->setFont(unitSymbolFont());
    buttonJednotka->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    buttonJednotka->setCursor(Qt::PointingHandCursor);
    buttonJednotka->setToolTip(QStringLiteral("Kliknutím změníte jednotku"));
    buttonJednotka->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(buttonJednotka, &QWidget::customContextMenuRequested, this, &TMainForm::OtevritMenu2);
    buttonJednotka->installEventFilter(this);
    setAccessibleRole(buttonJednotka, QAccessible::Button);

    imageSipka = new ImageControl(this);
    imageSipka->setObjectName(QStringLiteral("imageSipka"));
    imageSipka->setAutoSize(true);
    imageSipka->setGeometry(0, 0, 9, 21);
    imageSipka->setCursor(Qt::CrossCursor);
    connectPress(imageSipka);
    imageSipka->setAccessibleName(QStringLiteral("Šipka měření"));
    setAccessibleRole(imageSipka, QAccessible::Indicator);

    buttonDalsiJednotky =
        createImageButton("buttonDalsiJednotky", QStringLiteral("Další jednotky..."), {464, 42});
    buttonDalsiJednotky->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(buttonDalsiJednotky, &ImageControl::clicked, this,
            [this] { OtevriMenu(buttonDalsiJednotky); });
    connect(buttonDalsiJednotky, &QWidget::customContextMenuRequested, this,
            &TMainForm::OtevritMenu2);

    // Built-in button pictures, shown until a skin brings its own.
    const std::pair<QImage SkinBitmaps::*, const char *> builtIn[] = {
        {&SkinBitmaps::buttonRotate, "ButtonRotate.bmp"},
        {&SkinBitmaps::buttonInvert, "ButtonInvert.bmp"},
        {&SkinBitmaps::buttonTools, "ButtonTools.bmp"},
        {&SkinBitmaps::buttonInfo, "ButtonInfo.bmp"},
        {&SkinBitmaps::buttonExit, "ButtonExit.bmp"},
        {&SkinBitmaps::buttonUnits, "ButtonUnits.bmp"},
        {&SkinBitmaps::resizeArrow, "ResizeArrow.bmp"}};
    for (const auto &[picture, file] : builtIn)
        m_vestavene.*picture = resourceImage(QLatin1String(file));
    ukazTlacitka(shownBitmaps(m_vestavene, 1));

    SaveDialog = new TSaveDialog(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
}

// ---------------------------------------------------------------------------------------------
// Lifecycle

void TMainForm::Spusteni() {
    m_state.Horizontalni = true;
    m_state.Obracene = false;
    if (!m_state.HlasChybuZapisu) {
        m_state.HlasChybuZapisu = [this](const QString &path) {
            ZobrazitZpravu(QMessageBox::Warning,
                           translated(QStringLiteral("Nastavení nelze uložit do souboru %s."),
                                      {QDir::toNativeSeparators(path)}));
        };
    }
    if (!m_state.HlasVynechaneMonitory) {
        m_state.HlasVynechaneMonitory = [this](int count) {
            ZobrazitZpravu(
                QMessageBox::Warning,
                translated(QStringLiteral("Soubor nastavení by přerostl velikost, kterou "
                                          "pravítko přečte. Vynechalo se z něj vlastní rozlišení "
                                          "%s monitorů, které pravítko nejdéle nevidělo."),
                           {QString::number(count)}));
        };
    }
}

void TMainForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    Zobrazeni();
}

bool TMainForm::applyTranslation(const std::function<void()> &step) {
    // A broken language file must not stop the ruler from starting: the error is shown and the
    // texts read so far stay.
    try {
        step();
        return true;
    } catch (const std::exception &error) {
        showMessageBox(QMessageBox::Critical, QString::fromUtf8(error.what()), this);
    }
    return false;
}

void TMainForm::Zobrazeni() {
    m_prekladac = std::make_unique<TLangTranslator>();
    m_prekladac->addForm(this);
    if (m_about)
        m_prekladac->addForm(m_about);
    if (m_nastaveni) {
        m_prekladac->addForm(m_nastaveni);
        m_nastaveni->setPrekladac(m_prekladac.get());
    }
    applyTranslation([&] {
        m_prekladac->LoadDefinition(shippedDataFolder(m_state.CestaProgramu) +
                                    QStringLiteral("jazyky/tavlinko30.lnd"));
    });
    connect(m_prekladac.get(), &TLangTranslator::OnAfterTranslation, this, &TMainForm::PoPrekladu);

    m_state.SouborNastaveni = VychoziSouborNastaveni(m_state.CestaProgramu);
    NactiParametry(m_state, m_arguments);
    // The settings file speaks of device pixels: a file written at one scale puts the ruler on
    // the same screen pixels at another.
    m_pomer = devicePixelRatio();
    const QPoint dpi = screenDeviceDpi(screen());
    m_state.RozliseniX = dpi.x();
    m_state.RozliseniY = dpi.y();
    const QList<ScreenArea> screens = screenAreas();
    QPoint place = screens.isEmpty() ? pos() : devicePlace(pos(), screens.first());
    // A first run opens the window at its designed size, which the skins are laid out for.
    NactiNastaveni(m_state, place, QLocale::system(), deviceLength(initialSize.width(), m_pomer));
    m_mistoNaPlose = place;
    move(logicalPlace(place, screens));
    // The stored place may lie on a screen of another ratio than the one the window opened on.
    m_pomer = devicePixelRatio();
    ZpracujPrepinace(m_state);
    if (!m_state.JenCteni)
        removeStaleTemporaryFiles(m_state.SouborNastaveni);

    nastavDelku(logicalLength(m_state.Delka, m_pomer));
    if (const auto monitor = monitorPodPravitkem())
        startOnMonitor(m_state, *monitor);
    // The stored length may lie outside what a window can be; the percent unit must count the
    // length the window really took, or 100 % would not stand at the far end.
    m_state.Delka = delkaPravitka();

    // A bad line ends the reading of the file; what was read before it still translates.
    const QString languageFault = m_prekladac->useLanguage(languageFilePath(m_state));
    if (!languageFault.isEmpty())
        showMessageBox(QMessageBox::Critical, languageFault, this);
    if (takeUnsavedSettingsNote(m_state.SouborNastaveni))
        ZobrazitZpravu(QMessageBox::Warning,
                       translated(QStringLiteral("Při posledním ukončení se nastavení nepodařilo "
                                                 "uložit do souboru %s."),
                                  {QDir::toNativeSeparators(m_state.SouborNastaveni)}));

    NactiJednotky(m_state);
    ObnovMenuJednotky();
    if (m_state.Jednotka < 0 || m_state.Jednotka >= m_state.Jednotky.size())
        m_state.Jednotka = 0;
    ukazZnacku();
    // Lays the window out for the first time.
    NactiSkin(skinFolderPath(m_state));
    aplikujVzhledOkna();
    // A stored place may lie off every screen (a monitor since unplugged, an edited file).
    keepOnScreen();
    tellAboutDesktop();
}

void TMainForm::aplikujVzhledOkna() {
    if (QWindow *handle = windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, m_state.VzdyNahore);
    // A stored alpha outside what the settings offer would make the ruler vanish or fail.
    setWindowOpacity(opacityRange.bounded(m_state.Pruhlednost) / double(opacityRange.most));
}

void TMainForm::Ukonceni() {
    for (ImageControl *image : std::as_const(m_obrazkyZalozek))
        delete image;
    m_obrazkyZalozek.clear();
    saveAtExit();
    m_prekladac.reset();
}

void TMainForm::closeEvent(QCloseEvent *event) {
    // Saved while the window still has its place and the event loop runs, so that a failure
    // can be reported and answered while the program still reacts to signals.
    saveAtExit();
    QWidget::closeEvent(event);
}

void TMainForm::saveAtExit() {
    if (!m_shownOnce || m_saved)
        return;
    m_saved = true;
    m_saveTimer->stop();
    saveSettings();
}

void TMainForm::saveSoon() {
    if (m_shownOnce && !m_saved)
        m_saveTimer->start();
}

void TMainForm::saveSettings() {
    UlozNastaveni(m_state, QRect(m_mistoNaPlose, deviceSize(size(), devicePixelRatio())));
}

void TMainForm::Konec() {
    close();
}

void TMainForm::OProgramu() {
    aboutForm()->exec();
}

void TMainForm::Nastaveni() {
    const int result = nastaveniForm()->exec();
    if (result != TNastaveniForm::OkResult && result != TNastaveniForm::KalibrovatResult)
        return;
    // The units may have been deleted or moved under the current one.
    if (m_state.Jednotka < 0 || m_state.Jednotka >= m_state.Jednotky.size())
        m_state.Jednotka = 0;
    ukazZnacku();
    // The skin may be another, the resolution and the units' sizes too: all laid out anew.
    NactiSkin(skinFolderPath(m_state));
    ZobrazVzdalenost();
    aplikujVzhledOkna();
    CoolForm->update();
    ObnovMenuJednotky();
    saveSoon();
    if (result == TNastaveniForm::KalibrovatResult)
        Kalibrace(this);
}

void TMainForm::PoPrekladu() {
    QGuiApplication::setApplicationDisplayName(windowTitle());
    m_qtTranslations.use(m_prekladac->LanguageLocale());
    updateAccessibleNames();
}

QString TMainForm::translated(const QString &czech, const QStringList &arguments) {
    return fillArguments(m_prekladac ? m_prekladac->TranslateString(czech) : czech, arguments);
}

QString TMainForm::nazevJednotky(int i) {
    return shownUnitName(i, m_state.Jednotky[i].Nazev,
                         [this](const QString &name) { return translated(name); });
}

void TMainForm::updateAccessibleNames() {
    // What the reading, the unit label, the scale and the markers show changes with every
    // measurement, unit, length and language; assistive technology reads it from here.
    const QString symbol = unitSymbol();
    labelMeridlo->setAccessibleName(
        translated(QStringLiteral("Naměřená vzdálenost: %s"), {readingText() + u' ' + symbol}));
    ukazPixelyMonitoru();
    const bool known = m_state.Jednotka >= 0 && m_state.Jednotka < m_state.Jednotky.size();
    const QString unitName = known ? nazevJednotky(m_state.Jednotka) : symbol;
    buttonJednotka->setAccessibleName(translated(QStringLiteral("Jednotka: %s"), {unitName}));
    imageMeritko->setAccessibleName(
        translated(QStringLiteral("Stupnice: jednotka %s, délka %s"),
                   {unitName, FormatujVzdalenost(delkaPravitka()) + u' ' + symbol}));
    for (int i = 0; i < m_state.Zalozky.size(); ++i) {
        if (ImageControl *image = m_obrazkyZalozek.value(i))
            image->setAccessibleName(translated(
                QStringLiteral("Záložka: %s"),
                {FormatujVzdalenost(vzdalenostOdNuly(m_state.Zalozky[i].Pozice)) + u' ' + symbol}));
    }
}
