#include "app/MainForm.h"

#include "about/AboutForm.h"
#include "app/DistanceFormat.h"
#include "app/RulerMath.h"
#include "app/SaveDialogSettings.h"
#include "app/ScaleDrawing.h"
#include "app/UnitMenuItem.h"
#include "controls/CoolForm.h"
#include "controls/ImageControl.h"
#include "controls/LangTranslator.h"
#include "settings/NastaveniForm.h"
#include "settings/RulerState.h"
#include "settings/Settings.h"
#include "settings/Units.h"
#include "skins/Layout.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QScreen>
#include <QWindow>
#include <exception>

namespace {

// The window as it is before any settings or skin arrive.
constexpr QPoint initialPlace(211, 118);
constexpr QSize initialSize(472, 63);
// The far end of the bar follows the dragging cursor at this distance.
constexpr int dragReach = 20;
// Neither dragging nor the keyboard makes the bar shorter than this, so that the resize arrow
// and a piece of scale always stay within reach.
constexpr int shortestBar = 20;
// X11 cannot map windows larger than this.
constexpr int longestBar = 32767;

QImage resourceImage(const QString &name) {
    return QImage(QStringLiteral(":/icons/buttons/") + name);
}

QIcon menuIcon(const char *themeName, const char *fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            QIcon(QStringLiteral(":/icons/") + QLatin1String(fallback)));
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
    setWindowIcon(QIcon(QStringLiteral(":/icons/tavlinko.png")));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    QFont font = QApplication::font();
    font.setPixelSize(11);
    setFont(font);
    setGeometry(QRect(initialPlace, initialSize));
    ZobrazitZpravu = [this](const QString &text) {
        QMessageBox::information(this, QApplication::applicationDisplayName(), text);
    };
    createControls();
    createMenus();
    Spusteni();
}

TMainForm::~TMainForm() {
    Ukonceni();
}

void TMainForm::setDialogs(TAboutForm *about, TNastaveniForm *nastaveni) {
    m_about = about;
    m_nastaveni = nastaveni;
}

// ---------------------------------------------------------------------------------------------
// Controls

ImageControl *TMainForm::createImageButton(const char *name, const QString &hint, QPoint place) {
    auto *button = new ImageControl(this);
    button->setObjectName(QLatin1String(name));
    button->setAutoSize(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(hint);
    button->move(place);
    return button;
}

void TMainForm::connectPress(ImageControl *image) {
    connect(image, &ImageControl::pressed, this, [this, image](QMouseEvent *event) {
        const QPoint at = event->position().toPoint();
        Kliknuto(image, event->button(), event->modifiers(), at.x(), at.y());
    });
}

void TMainForm::createControls() {
    CoolForm = new TCoolForm(this);
    CoolForm->setObjectName(QStringLiteral("CoolForm"));
    QFile mask(QStringLiteral(":/forms/MainForm.Mask2"));
    if (mask.open(QIODevice::ReadOnly))
        CoolForm->readMask2(mask.readAll());

    labelMeridlo = new QLabel(QStringLiteral("0"), this);
    labelMeridlo->setObjectName(QStringLiteral("labelMeridlo"));
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
    imageVelikost->setPicture(resourceImage(QStringLiteral("ResizeArrow.bmp")));
    imageVelikost->installEventFilter(this);

    imageMeritko = new ImageControl(this);
    imageMeritko->setObjectName(QStringLiteral("imageMeritko"));
    imageMeritko->setGeometry(0, 0, 472, ScaleStripHeight);
    imageMeritko->setCursor(Qt::CrossCursor);
    connectPress(imageMeritko);

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
    buttonJednotka->setGeometry(448, 40, 24, 24);
    QFont unitFont = font();
    unitFont.setBold(true);
    buttonJednotka->setFont(unitFont);
    buttonJednotka->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    buttonJednotka->setCursor(Qt::PointingHandCursor);
    buttonJednotka->setToolTip(QStringLiteral("Kliknutím změníte jednotku"));
    buttonJednotka->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(buttonJednotka, &QWidget::customContextMenuRequested, this, &TMainForm::OtevritMenu2);
    buttonJednotka->installEventFilter(this);

    imageSipka = new ImageControl(this);
    imageSipka->setObjectName(QStringLiteral("imageSipka"));
    imageSipka->setAutoSize(true);
    imageSipka->setGeometry(0, 0, 9, 21);
    imageSipka->setCursor(Qt::CrossCursor);
    connectPress(imageSipka);

    buttonDalsiJednotky =
        createImageButton("buttonDalsiJednotky", QStringLiteral("Další jednotky..."), {464, 42});
    buttonDalsiJednotky->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(buttonDalsiJednotky, &ImageControl::clicked, this,
            [this] { OtevriMenu(buttonDalsiJednotky); });
    connect(buttonDalsiJednotky, &QWidget::customContextMenuRequested, this,
            &TMainForm::OtevritMenu2);

    // Built-in button pictures, shown until a skin brings its own.
    const std::pair<ImageControl *, const char *> builtIn[] = {
        {buttonHorizVert, "ButtonRotate.bmp"}, {buttonObratit, "ButtonInvert.bmp"},
        {buttonMenu, "ButtonTools.bmp"},       {buttonInfo, "ButtonInfo.bmp"},
        {buttonKonec, "ButtonExit.bmp"},       {buttonDalsiJednotky, "ButtonUnits.bmp"}};
    for (const auto &[button, file] : builtIn)
        button->setPicture(transparentPicture(resourceImage(QLatin1String(file))));
    imageVelikost->setPicture(transparentPicture(imageVelikost->picture()));

    SaveDialog = new TSaveDialog(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
}

void TMainForm::createMenus() {
    struct Entry {
        QAction *&action;
        const char *name;
        QString caption;
        const char *themeIcon;
        const char *builtInIcon;
    };
    const Entry entries[] = {
        {menuKopirovat, "menuKopirovat", QStringLiteral("Kopírovat vzdálenost do schránky"),
         "edit-copy", "menu/copy.png"},
        {menuUlozit, "menuUlozit", QStringLiteral("Uložit vzdálenosti do souboru"), "document-save",
         "menu/save.png"},
        {menuZalozky, "menuZalozky", QStringLiteral("Záložky"), "bookmarks", "menu/markers.png"},
        {menuZVytvorit, "menuZVytvorit", QStringLiteral("Umístit záložku"), "bookmark-new",
         "menu/marker-add.png"},
        {menuZSmazat, "menuZSmazat", QStringLiteral("Smazat záložku"), "bookmark-remove",
         "menu/marker-delete.png"},
        {menuZSmazatVse, "menuZSmazatVse", QStringLiteral("Smazat všechny záložky"),
         "edit-clear-all", "menu/markers-delete-all.png"},
        {menuMaxi, "menuMaxi", QStringLiteral("Přes celou obrazovku"), "view-fullscreen",
         "menu/fullscreen.png"},
        {menuKalibrace, "menuKalibrace", QStringLiteral("Kalibrace"), "measure",
         "menu/calibrate.png"},
        {menuNastaveni, "menuNastaveni", QStringLiteral("Nastavení"), "preferences-system",
         "menu/settings.png"},
    };
    for (const Entry &entry : entries) {
        entry.action = new QAction(entry.caption, this);
        entry.action->setObjectName(QLatin1String(entry.name));
    }

    popupMenu = new QMenu(this);
    popupMenu->setObjectName(QStringLiteral("popupMenu"));
    auto *submenu = new QMenu(popupMenu);
    submenu->addActions({menuZVytvorit, menuZSmazat, menuZSmazatVse});
    menuZalozky->setMenu(submenu);
    popupMenu->addActions({menuKopirovat, menuUlozit});
    popupMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    popupMenu->addAction(menuZalozky);
    popupMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    popupMenu->addActions({menuMaxi, menuKalibrace, menuNastaveni});

    connect(menuKopirovat, &QAction::triggered, this, &TMainForm::Zkopiruj);
    connect(menuUlozit, &QAction::triggered, this, &TMainForm::UlozNaDisk);
    for (QAction *marker : {menuZVytvorit, menuZSmazat, menuZSmazatVse})
        connect(marker, &QAction::triggered, this, [this, marker] { FunkceZalozek(marker); });
    connect(menuMaxi, &QAction::triggered, this, &TMainForm::PresCelouObrazovku);
    connect(menuKalibrace, &QAction::triggered, this, [this] { Kalibrace(menuKalibrace); });
    connect(menuNastaveni, &QAction::triggered, this, &TMainForm::Nastaveni);

    popupJednotky = new QMenu(this);
    popupJednotky->setObjectName(QStringLiteral("popupJednotky"));

    // Decoding the pictures costs more than anything else the window does before it shows, so
    // they are looked up when the menu first opens.
    QList<std::tuple<QAction *, const char *, const char *>> pictures;
    for (const Entry &entry : entries)
        pictures.append({entry.action, entry.themeIcon, entry.builtInIcon});
    connect(
        popupMenu, &QMenu::aboutToShow, this,
        [pictures] {
            for (const auto &[item, theme, builtIn] : pictures)
                item->setIcon(menuIcon(theme, builtIn));
        },
        Qt::SingleShotConnection);
}

// ---------------------------------------------------------------------------------------------
// Lifecycle

void TMainForm::Spusteni() {
    m_state.Horizontalni = true;
    m_state.Obracene = false;
    if (!m_state.HlasChybuZapisu) {
        m_state.HlasChybuZapisu = [this](const QString &path) {
            ZobrazitZpravu(translated(QStringLiteral("Nastavení nelze uložit do souboru %s."),
                                      QDir::toNativeSeparators(path)));
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
        QMessageBox::critical(this, QApplication::applicationDisplayName(),
                              QString::fromUtf8(error.what()));
    }
    return false;
}

void TMainForm::Zobrazeni() {
    const QString jazyky = m_state.CestaProgramu + QStringLiteral("jazyky/");
    m_prekladac = std::make_unique<TLangTranslator>();
    m_prekladac->addForm(this);
    if (m_about)
        m_prekladac->addForm(m_about);
    if (m_nastaveni)
        m_prekladac->addForm(m_nastaveni);
    applyTranslation(
        [&] { m_prekladac->LoadDefinition(jazyky + QStringLiteral("tavlinko30.lnd")); });
    connect(m_prekladac.get(), &TLangTranslator::OnAfterTranslation, this, &TMainForm::PoPrekladu);

    m_state.SouborNastaveni = VychoziSouborNastaveni(m_state.CestaProgramu);
    NactiParametry(m_state, m_arguments);
    if (QScreen *display = screen()) {
        m_state.RozliseniX = qRound(display->logicalDotsPerInchX());
        m_state.RozliseniY = qRound(display->logicalDotsPerInchY());
    }
    QPoint place = pos();
    NactiNastaveni(m_state, place, QLocale::system());
    move(place);
    ZpracujPrepinace(m_state);

    nastavDelku(m_state.Delka);

    const QString chosen = jazyky + m_state.Jazyk;
    const QString languageFile =
        QFileInfo::exists(chosen) ? chosen : jazyky + QStringLiteral("czech.lng");
    applyTranslation([&] {
        m_prekladac->setLanguageFile(languageFile);
        m_prekladac->Translate();
    });

    NactiJednotky(m_state);
    ObnovMenuJednotky();
    if (m_state.Jednotka < 0 || m_state.Jednotka >= m_state.Jednotky.size())
        m_state.Jednotka = 0;
    PrepocitejJednotky();
    setUnitCaption(m_state.Jednotky[m_state.Jednotka].Znacka);
    NactiSkin(m_state.CestaProgramu + QStringLiteral("skin/") + m_state.Vzhled);
    if (!m_state.Horizontalni)
        imageVelikost->setCursor(Qt::SizeVerCursor);
    aplikujVzhledOkna();
}

void TMainForm::aplikujVzhledOkna() {
    if (QWindow *handle = windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, m_state.VzdyNahore);
    // A stored alpha outside what the settings offer would make the ruler vanish or fail.
    setWindowOpacity(qBound(30, m_state.Pruhlednost, 255) / 255.0);
}

void TMainForm::Ukonceni() {
    for (ImageControl *image : std::as_const(m_obrazkyZalozek))
        delete image;
    m_obrazkyZalozek.clear();
    if (m_shownOnce)
        UlozNastaveni(m_state, QRect(pos(), size()));
    m_prekladac.reset();
}

void TMainForm::Konec() {
    close();
}

void TMainForm::OProgramu() {
    if (m_about)
        m_about->exec();
}

void TMainForm::Nastaveni() {
    if (!m_nastaveni)
        return;
    const int result = m_nastaveni->exec();
    if (result == QDialog::Rejected)
        return;
    PrepocitejJednotky();
    NactiSkin(m_state.CestaProgramu + QStringLiteral("skin/") + m_state.Vzhled);
    ZobrazVzdalenost();
    aplikujVzhledOkna();
    CoolForm->update();
    ObnovMenuJednotky();
    if (result == TNastaveniForm::KalibrovatResult)
        Kalibrace(this);
}

void TMainForm::PoPrekladu() {
    QGuiApplication::setApplicationDisplayName(windowTitle());
}

QString TMainForm::translated(const QString &czech, const QString &argument) {
    QString text = m_prekladac ? m_prekladac->TranslateString(czech) : czech;
    if (!argument.isNull())
        text.replace(QStringLiteral("%s"), argument);
    return text;
}

// ---------------------------------------------------------------------------------------------
// Skin, drawing and layout

const SkinSection &TMainForm::section() const {
    return m_state.Horizontalni ? m_skin.horizontal : m_skin.vertical;
}

void TMainForm::NactiSkin(const QString &folder) {
    QString error;
    if (!NactiSkinData(folder, m_skin, &error)) {
        QMessageBox::critical(this, QApplication::applicationDisplayName(), error);
        // Keep the ruler usable: whatever the broken skin did not supply is drawn.
        const std::tuple<QImage *, int, int> pieces[] = {
            {&m_skin.start, 1, 64},  {&m_skin.middle, 5, 64},  {&m_skin.end, 1, 64},
            {&m_skin.vstart, 90, 1}, {&m_skin.vmiddle, 90, 5}, {&m_skin.vend, 90, 1}};
        for (const auto &[image, w, h] : pieces)
            if (image->isNull())
                VychoziDilek(*image, w, h);
        if (m_skin.arrow.isNull())
            VychoziUkazatel(m_skin.arrow, 9, 21, false, false);
        if (m_skin.varrow.isNull())
            VychoziUkazatel(m_skin.varrow, 21, 9, true, false);
        if (m_skin.mark.isNull())
            VychoziUkazatel(m_skin.mark, 3, 10, false, true);
        if (m_skin.vmark.isNull())
            VychoziUkazatel(m_skin.vmark, 10, 3, true, true);
    }

    const std::pair<ImageControl *, const QImage *> buttons[] = {
        {buttonHorizVert, &m_skin.buttonRotate}, {buttonObratit, &m_skin.buttonInvert},
        {buttonMenu, &m_skin.buttonTools},       {buttonInfo, &m_skin.buttonInfo},
        {buttonKonec, &m_skin.buttonExit},       {buttonDalsiJednotky, &m_skin.buttonUnits},
        {imageVelikost, &m_skin.resizeArrow}};
    for (const auto &[control, bitmap] : buttons)
        if (!bitmap->isNull())
            control->setPicture(transparentPicture(*bitmap));

    QPalette palette = labelMeridlo->palette();
    palette.setColor(QPalette::WindowText, m_skin.numberColour);
    labelMeridlo->setPalette(palette);
    EfektTlacitkaJednotkaEnd();

    const int thickness = qMax(1, section().ruleHeight);
    if (m_state.Horizontalni) {
        resize(width(), thickness);
        imageMeritko->setGeometry(0, 0, width(), ScaleStripHeight);
        imageSipka->setPicture(transparentPicture(m_skin.arrow));
    } else {
        resize(thickness, height());
        imageMeritko->setGeometry(0, 0, ScaleStripWidth, height());
        imageSipka->setPicture(transparentPicture(m_skin.varrow));
    }
    UmistiSipku();
    for (int i = 0; i < m_state.Zalozky.size(); ++i)
        UmistiZalozku(i);
    kresliMeritko();
    Ramecek();
    PoziceTlacitek();
}

ScaleParams TMainForm::scaleParams(int length) const {
    ScaleParams params;
    params.length = length;
    params.carka = m_state.Jednotky.value(m_state.Jednotka).Carka;
    params.pixeluNaJednotku = m_state.PixeluNaJednotku;
    params.obracene = m_state.Obracene;
    params.tickColour = m_skin.meterColour;
    params.numberColour = m_skin.meterNumbersColour;
    return params;
}

void TMainForm::KresliTavlinkoHoriz() {
    QImage strip;
    ::KresliTavlinkoHoriz(strip, scaleParams(imageMeritko->width()));
    imageMeritko->setPicture(transparentByColour(strip, scaleBackground()));
}

void TMainForm::KresliTavlinkoVertik() {
    QImage strip;
    ::KresliTavlinkoVertik(strip, scaleParams(imageMeritko->height()));
    imageMeritko->setPicture(transparentByColour(strip, scaleBackground()));
}

void TMainForm::kresliMeritko() {
    if (m_state.Horizontalni)
        KresliTavlinkoHoriz();
    else
        KresliTavlinkoVertik();
}

void TMainForm::Ramecek() {
    if (m_state.Horizontalni)
        CoolForm->setPicture(::Ramecek(m_skin.start, m_skin.middle, m_skin.end, true, size(),
                                       m_skin.horizontal.ruleHeight));
    else
        CoolForm->setPicture(::Ramecek(m_skin.vstart, m_skin.vmiddle, m_skin.vend, false, size(),
                                       m_skin.vertical.ruleHeight));
}

void TMainForm::PoziceTlacitek() {
    const SkinSection &place = section();
    const QSize window = CoolForm->size();
    const std::tuple<ImageControl *, QPoint, const QImage *> buttons[] = {
        {buttonHorizVert, place.buttonRotate, &m_skin.buttonRotate},
        {buttonObratit, place.buttonInvert, &m_skin.buttonInvert},
        {buttonMenu, place.buttonTools, &m_skin.buttonTools},
        {buttonInfo, place.buttonInfo, &m_skin.buttonInfo},
        {buttonKonec, place.buttonExit, &m_skin.buttonExit},
        {buttonDalsiJednotky, place.buttonUnits, &m_skin.buttonUnits}};
    for (const auto &[control, skinPlace, bitmap] : buttons)
        control->move(placeControl(skinPlace, bitmap->size(), window));
    imageVelikost->move(placeControl(place.resizeArrow, imageVelikost->size(), window));
    labelMeridlo->move(placeNumberLabel(place.number, labelMeridlo->size(), window));
    buttonJednotka->move(placeControl(place.unit, buttonJednotka->size(), window));
}

void TMainForm::PrepocitejJednotky() {
    ::PrepocitejJednotky(m_state,
                         m_state.Horizontalni ? imageMeritko->width() : imageMeritko->height());
}

// ---------------------------------------------------------------------------------------------
// Measuring, markers and export

int TMainForm::delkaPravitka() const {
    return m_state.Horizontalni ? width() : height();
}

int TMainForm::vzdalenostOdNuly(int pozice) const {
    return m_state.Obracene ? delkaPravitka() - pozice : pozice;
}

QString TMainForm::FormatujVzdalenost(int d) const {
    return ::FormatujVzdalenost(d, m_state.PixeluNaJednotku);
}

void TMainForm::setReading(const QString &text) {
    // The label is right-aligned and grows to the left, keeping the right edge the skin gave.
    const int right = labelMeridlo->x() + labelMeridlo->width();
    labelMeridlo->setText(text);
    labelMeridlo->adjustSize();
    labelMeridlo->move(right - labelMeridlo->width(), labelMeridlo->y());
}

void TMainForm::setUnitCaption(const QString &text) {
    buttonJednotka->setText(text);
}

void TMainForm::ZobrazVzdalenost() {
    setReading(FormatujVzdalenost(vzdalenostOdNuly(m_state.PoziceMeridla)));
}

void TMainForm::UmistiSipku() {
    if (m_state.Horizontalni)
        imageSipka->move(m_state.PoziceMeridla - m_skin.horizontal.arrowCenter, 0);
    else
        imageSipka->move(0, m_state.PoziceMeridla - m_skin.vertical.arrowCenter);
}

void TMainForm::UmistiZalozku(int i) {
    const tzalozka &zalozka = m_state.Zalozky[i];
    ImageControl *image = m_obrazkyZalozek.value(i);
    if (!zalozka.Aktivni || !image)
        return;
    if (m_state.Horizontalni) {
        image->setPicture(transparentPicture(m_skin.mark));
        image->move(zalozka.Pozice - m_skin.horizontal.markCenter, 0);
    } else {
        image->setPicture(transparentPicture(m_skin.vmark));
        image->move(0, zalozka.Pozice - m_skin.vertical.markCenter);
    }
}

void TMainForm::Kliknuto(QObject *sender, Qt::MouseButton, Qt::KeyboardModifiers shift, int x,
                         int y) {
    if (shift & Qt::ControlModifier)
        m_state.RezimMysi = 1;
    if (shift & Qt::ShiftModifier)
        m_state.RezimMysi = 2;
    int pozice = m_state.Horizontalni ? x : y;
    if (sender != imageMeritko) {
        if (auto *image = qobject_cast<QWidget *>(sender))
            pozice += m_state.Horizontalni ? image->x() : image->y();
    }
    const quint8 rezim = m_state.RezimMysi;
    m_state.RezimMysi = 0;
    if (rezim == 1) {
        NovaZalozka(pozice);
    } else if (rezim == 2) {
        SmazZalozku(pozice);
    } else {
        m_state.PoziceMeridla = pozice;
        ZobrazVzdalenost();
        UmistiSipku();
        if (m_state.Kalibruje)
            Kalibrace(imageMeritko);
    }
}

void TMainForm::NovaZalozka(int pos) {
    tzalozka zalozka;
    zalozka.Pozice = pos;
    zalozka.Aktivni = true;
    // A marker placed in the percent unit knows its percentage at once, so it follows a resize
    // like the markers whose percentage was recorded when the unit was chosen.
    if (m_state.Jednotka == UnitPercent && m_state.PixeluNaJednotku != 0)
        zalozka.Procenta = roundToHundredths(vzdalenostOdNuly(pos) / m_state.PixeluNaJednotku);
    m_state.Zalozky.append(zalozka);

    auto *image = new ImageControl(this);
    image->setObjectName(QStringLiteral("zalozka%1").arg(m_state.Zalozky.size()));
    image->setAutoSize(true);
    image->setCursor(Qt::CrossCursor);
    connectPress(image);
    m_obrazkyZalozek.append(image);
    UmistiZalozku(m_state.Zalozky.size() - 1);
    image->show();
}

void TMainForm::discardMarkerImage(ImageControl *image) {
    // The press that deletes a marker may be a press on that very marker, so its picture goes
    // once the event is over.
    if (!image)
        return;
    image->hide();
    image->deleteLater();
}

void TMainForm::SmazZalozku(int pos) {
    const int best = nearestMarker(m_state.Zalozky, pos);
    if (best < 0)
        return;
    m_state.Zalozky[best].Aktivni = false;
    discardMarkerImage(m_obrazkyZalozek[best]);
    m_obrazkyZalozek[best] = nullptr;
}

void TMainForm::FunkceZalozek(QObject *sender) {
    if (sender == menuZVytvorit) {
        m_state.RezimMysi = 1;
    } else if (sender == menuZSmazat) {
        m_state.RezimMysi = 2;
    } else if (sender == menuZSmazatVse) {
        for (ImageControl *image : std::as_const(m_obrazkyZalozek))
            discardMarkerImage(image);
        m_obrazkyZalozek.clear();
        m_state.Zalozky.clear();
    }
}

void TMainForm::Zkopiruj() {
    if (labelMeridlo->text().isEmpty())
        return;
    QGuiApplication::clipboard()->setText(labelMeridlo->text());
}

void TMainForm::UlozNaDisk() {
    if (labelMeridlo->text().isEmpty())
        return;
    QFileDialog dialog(this, SaveDialog->Title);
    dialog.setObjectName(QStringLiteral("SaveDialogWindow"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(SaveDialog->nameFilters());
    dialog.setDefaultSuffix(QString(SaveDialog->DefaultExt).remove(QStringLiteral("*.")));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    UlozVzdalenostiDoSouboru(dialog.selectedFiles().constFirst());
}

bool TMainForm::UlozVzdalenostiDoSouboru(const QString &fileName) {
    const QString symbol = buttonJednotka->text();
    QStringList markers;
    for (const tzalozka &zalozka : std::as_const(m_state.Zalozky))
        if (zalozka.Aktivni)
            markers << FormatujVzdalenost(vzdalenostOdNuly(zalozka.Pozice)) + QLatin1Char(' ') +
                           symbol;
    const QString text = distancesText(translated(QStringLiteral("Naměřená vzdálenost je %s."),
                                                  labelMeridlo->text() + QLatin1Char(' ') + symbol),
                                       translated(QStringLiteral("Pozice záložek :")), markers);
    // Written to a temporary file and renamed over the old one, so a failure never leaves a
    // half-written file behind.
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit())
        return true;
    ZobrazitZpravu(
        translated(QStringLiteral("Soubor %s nelze uložit."), QDir::toNativeSeparators(fileName)));
    return false;
}

// ---------------------------------------------------------------------------------------------
// Orientation, zero end, resize and span

void TMainForm::HorizontVertik() {
    m_state.Horizontalni = !m_state.Horizontalni;
    if (m_state.Horizontalni) {
        resize(height(), qMax(1, m_skin.horizontal.ruleHeight));
        imageMeritko->setGeometry(0, 0, width(), ScaleStripHeight);
    } else {
        resize(qMax(1, m_skin.vertical.ruleHeight), width());
        imageMeritko->setGeometry(0, 0, ScaleStripWidth, height());
    }
    CoolForm->setGeometry(rect());
    PrepocitejJednotky();
    PoziceTlacitek();
    UmistiSipku();
    imageSipka->setPicture(transparentPicture(m_state.Horizontalni ? m_skin.arrow : m_skin.varrow));
    imageVelikost->setCursor(m_state.Horizontalni ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    kresliMeritko();
    Ramecek();
    for (int i = 0; i < m_state.Zalozky.size(); ++i)
        UmistiZalozku(i);
}

void TMainForm::Obratit() {
    m_state.Obracene = !m_state.Obracene;
    kresliMeritko();
    ZobrazVzdalenost();
}

void TMainForm::nastavDelku(int delka) {
    const int length = qBound(shortestBar, delka, longestBar);
    if (m_state.Horizontalni) {
        resize(length, height());
        imageMeritko->setGeometry(0, 0, width(), ScaleStripHeight);
    } else {
        resize(width(), length);
        imageMeritko->setGeometry(0, 0, ScaleStripWidth, height());
    }
    CoolForm->setGeometry(rect());
}

bool TMainForm::keepReadingInPercent(int newLength) {
    if (m_state.Jednotka != UnitPercent)
        return false;
    for (int i = 0; i < m_state.Zalozky.size(); ++i) {
        tzalozka &zalozka = m_state.Zalozky[i];
        if (!zalozka.Aktivni)
            continue;
        zalozka.Pozice = percentPosition(zalozka.Procenta, newLength, m_state.Obracene);
        UmistiZalozku(i);
    }
    bool ok = false;
    const double shown = ctiCislo(labelMeridlo->text(), &ok);
    if (!ok)
        return false;
    m_state.PoziceMeridla = percentPosition(shown, newLength, m_state.Obracene);
    UmistiSipku();
    return true;
}

void TMainForm::zmenDelkuNa(int newLength, bool keepPercent) {
    nastavDelku(newLength);
    // In the percent unit the arrow moves so that the shown number stays true; otherwise the
    // arrow stays and the number follows the new length, so the two always agree.
    const bool kept = keepPercent && keepReadingInPercent(delkaPravitka());
    ZmenaVelikostiDrop();
    if (!kept)
        ZobrazVzdalenost();
}

void TMainForm::ZmenaVelikostiOver(QObject *sender, int x, int y) {
    // Over the buttons, the arrow or a marker the far end stays where it is.
    const QWidget *over = childAt(x, y);
    const bool allowed = !over || over == CoolForm || over == labelMeridlo ||
                         over == imageVelikost || over == imageMeritko || over == buttonJednotka;
    Q_UNUSED(sender);
    if (!allowed)
        return;
    const int along = m_state.Horizontalni ? x : y;
    const int newLength = along + dragReach;
    if (along < 0 || newLength < section().minSize || newLength > longestBar)
        return;
    zmenDelkuNa(newLength, true);
}

void TMainForm::ZmenaVelikostiDrop() {
    PrepocitejJednotky();
    Ramecek();
    kresliMeritko();
    PoziceTlacitek();
    CoolForm->repaint();
}

void TMainForm::PresCelouObrazovku() {
    const QRect desktop = screen() ? screen()->virtualGeometry() : QRect(pos(), size());
    const bool horizontal = m_state.Horizontalni;
    int start = 0;
    int length = 0;
    if (m_state.CelaObrazovka) {
        start = m_state.PuvodniPoloha;
        length = m_state.PuvodniDelka;
    } else {
        m_state.PuvodniPoloha = horizontal ? x() : y();
        m_state.PuvodniDelka = delkaPravitka();
        start = horizontal ? desktop.left() : desktop.top();
        length = horizontal ? desktop.width() : desktop.height();
    }
    move(horizontal ? QPoint(start, y()) : QPoint(x(), start));
    m_state.CelaObrazovka = !m_state.CelaObrazovka;
    zmenDelkuNa(length, false);
}

void TMainForm::ZmenDelku(int step) {
    const int newLength = qMax(qMax(shortestBar, section().minSize), delkaPravitka() + step);
    if (newLength != delkaPravitka())
        zmenDelkuNa(newLength, true);
}

void TMainForm::keyPressEvent(QKeyEvent *event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int step = ctrl ? 10 : 1;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
        if (ctrl)
            ZmenJednotku(buttonJednotka);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        ZmenDelku(-step);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        ZmenDelku(step);
        break;
    case Qt::Key_Minus:
        if (keypad)
            ZmenDelku(-step);
        break;
    case Qt::Key_Plus:
        if (keypad)
            ZmenDelku(step);
        break;
    case Qt::Key_Insert:
        if (ctrl)
            Zkopiruj();
        else
            NovaZalozka(m_state.PoziceMeridla);
        break;
    case Qt::Key_Delete:
        SmazZalozku(m_state.PoziceMeridla);
        break;
    case Qt::Key_F2:
        HorizontVertik();
        break;
    case Qt::Key_F3:
        Obratit();
        break;
    case Qt::Key_F9:
        OtevriMenu(buttonDalsiJednotky);
        break;
    case Qt::Key_F10:
        OtevriMenu(buttonMenu);
        break;
    case Qt::Key_F11:
        PresCelouObrazovku();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event) {
    const bool mouseEvent = event->type() == QEvent::MouseButtonPress ||
                            event->type() == QEvent::MouseMove ||
                            event->type() == QEvent::MouseButtonRelease;
    if (watched == imageVelikost && mouseEvent)
        return resizeArrowMouse(static_cast<QMouseEvent *>(event));
    if (watched == buttonJednotka) {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton &&
                buttonJednotka->rect().contains(mouse->position().toPoint()))
                ZmenJednotku(buttonJednotka);
        } else if (event->type() == QEvent::Enter) {
            EfektTlacitkaJednotkaStart();
        } else if (event->type() == QEvent::Leave) {
            EfektTlacitkaJednotkaEnd();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TMainForm::resizeArrowMouse(QMouseEvent *mouse) {
    // Pressing the resize arrow grabs the mouse; the far end follows it until the release.
    switch (mouse->type()) {
    case QEvent::MouseButtonPress:
        m_resizing = mouse->button() == Qt::LeftButton;
        if (m_resizing)
            imageVelikost->grabMouse();
        return m_resizing;
    case QEvent::MouseMove:
        if (m_resizing) {
            const QPoint at = imageVelikost->mapTo(this, mouse->position().toPoint());
            ZmenaVelikostiOver(imageVelikost, at.x(), at.y());
        }
        return m_resizing;
    default:
        if (!m_resizing || mouse->button() != Qt::LeftButton)
            return false;
        m_resizing = false;
        imageVelikost->releaseMouse();
        ZmenaVelikostiDrop();
        return true;
    }
}

// ---------------------------------------------------------------------------------------------
// Units and menus

void TMainForm::ObnovMenuJednotky() {
    for (int i = 0; i < m_state.Jednotky.size(); ++i) {
        if (i >= m_polozkyJednotek.size()) {
            auto *item = new UnitMenuItem(this);
            connect(item, &QAction::triggered, this, [this, item] { ZmenJednotku(item); });
            m_polozkyJednotek.append(item);
            popupJednotky->addAction(item);
        }
        UnitMenuItem *item = m_polozkyJednotek[i];
        const tjednotka &jednotka = m_state.Jednotky[i];
        item->setText(i < BuiltInUnitCount ? translated(jednotka.Nazev) : jednotka.Nazev);
        item->setToolTip(jednotka.Znacka);
        item->setVisible(true);
    }
    for (int i = m_state.Jednotky.size(); i < m_polozkyJednotek.size(); ++i)
        m_polozkyJednotek[i]->setVisible(false);
}

void TMainForm::ZmenJednotku(QObject *sender) {
    if (sender == buttonJednotka) {
        m_state.Jednotka = m_state.Jednotka + 1 > UnitPercent ? 0 : m_state.Jednotka + 1;
    } else if (auto *item = qobject_cast<UnitMenuItem *>(sender);
               item && m_polozkyJednotek.contains(item)) {
        m_state.Jednotka = int(m_polozkyJednotek.indexOf(item));
    } else {
        return;
    }
    if (m_state.Jednotka >= m_state.Jednotky.size())
        m_state.Jednotka = 0;
    const tjednotka &jednotka = m_state.Jednotky[m_state.Jednotka];
    setUnitCaption(jednotka.Znacka);
    m_state.PixeluNaJednotku = jednotka.Pixelu;
    kresliMeritko();
    ZobrazVzdalenost();
    if (m_state.Jednotka == UnitPercent && m_state.PixeluNaJednotku != 0) {
        for (tzalozka &zalozka : m_state.Zalozky)
            if (zalozka.Aktivni)
                zalozka.Procenta =
                    roundToHundredths(vzdalenostOdNuly(zalozka.Pozice) / m_state.PixeluNaJednotku);
    }
}

void TMainForm::OtevriMenu(QObject *sender) {
    auto *button = qobject_cast<QWidget *>(sender);
    if (button != buttonMenu && button != buttonDalsiJednotky)
        return;
    QMenu *menu = button == buttonMenu ? popupMenu : popupJednotky;
    const QRect window(pos(), size());
    QPoint point;
    if (m_state.Horizontalni) {
        point = QPoint(window.left() + button->x(), window.top() + window.height());
        // The unit menu ends at the button's right edge.
        if (menu == popupJednotky)
            point.rx() += button->width() - menu->sizeHint().width();
    } else {
        point = QPoint(window.left() + window.width(), window.top() + button->y());
    }
    menu->popup(point);
}

void TMainForm::OtevritMenu2() {
    OtevriMenu(buttonDalsiJednotky);
}

void TMainForm::EfektTlacitkaJednotkaStart() {
    QPalette palette = buttonJednotka->palette();
    palette.setColor(QPalette::WindowText, m_skin.unitColour2);
    buttonJednotka->setPalette(palette);
}

void TMainForm::EfektTlacitkaJednotkaEnd() {
    QPalette palette = buttonJednotka->palette();
    palette.setColor(QPalette::WindowText, m_skin.unitColour);
    buttonJednotka->setPalette(palette);
}

// ---------------------------------------------------------------------------------------------
// Calibration

void TMainForm::Kalibrace(QObject *sender) {
    const QString reference =
        m_state.Jednotka == UnitCentimetre ? QStringLiteral("10 cm") : QStringLiteral("3 in");
    if (sender != imageMeritko) {
        if (m_state.Kalibruje) {
            m_state.Kalibruje = false;
            ZobrazitZpravu(translated(QStringLiteral("Kalibrace byla přerušena.")));
            return;
        }
        if (m_state.Jednotka >= UnitPercent)
            ZmenJednotku(buttonJednotka);
        if (m_state.Jednotka == UnitPixel)
            ZmenJednotku(buttonJednotka);
        if (!m_state.Horizontalni)
            HorizontVertik();
        // The physical ruler is laid with its zero at the start edge, so the scale must count
        // from there too.
        if (m_state.Obracene)
            Obratit();
        const QString start =
            m_state.Jednotka == UnitCentimetre ? QStringLiteral("10 cm") : QStringLiteral("3 in");
        m_state.Kalibruje = true;
        const QString gap = QStringLiteral("\r\n\r\n");
        ZobrazitZpravu(
            translated(QStringLiteral("Připravte si klasické (např. plastové tavlinko).")) + gap +
            translated(QStringLiteral("Po kliknutí na OK, přiložte klasické tavlinko k tomu "
                                      "elektronickému tak, aby měli nulu ve stejném bodě.")) +
            gap +
            translated(QStringLiteral("Pak klikněte myší na místo v horní části tavlinka, kde "
                                      "klasické tavlinko ukazuje %s."),
                       start));
        return;
    }

    const int rozliseni = SpocitejRozliseni(m_state.PoziceMeridla, m_state.Jednotka);
    if (rozliseni < NejmensiRozliseni) {
        // A click next to the zero would leave centimetres and inches without pixels.
        ZobrazitZpravu(translated(QStringLiteral("Toto místo je příliš blízko nuly. Klikněte na "
                                                 "místo, kde klasické tavlinko ukazuje %s."),
                                  reference));
        return;
    }
    const QString shown =
        m_state.Jednotka == UnitCentimetre ? QStringLiteral("10") : QStringLiteral("3");
    if (m_state.Horizontalni) {
        m_state.RozliseniX = rozliseni;
        PrepocitejJednotky();
        KresliTavlinkoHoriz();
        setReading(shown);
        ZobrazitZpravu(
            translated(QStringLiteral("Výborně! A nyní proveďte totéž ve svislé poloze.")));
        HorizontVertik();
    } else {
        m_state.RozliseniY = rozliseni;
        PrepocitejJednotky();
        KresliTavlinkoVertik();
        setReading(shown);
        ZobrazitZpravu(translated(QStringLiteral("Kalibrace byla dokončena.")));
        HorizontVertik();
        m_state.Kalibruje = false;
    }
}
