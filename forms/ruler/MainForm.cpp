#include "forms/ruler/MainForm.h"

#include "core/drawing/BuiltInPictures.h"
#include "core/settings/DataFolders.h"
#include "core/settings/MonitorSettings.h"
#include "core/settings/Settings.h"
#include "core/settings/TextFile.h"
#include "core/settings/UnsavedSettingsNote.h"
#include "core/units/DevicePixels.h"
#include "core/units/Units.h"
#include "forms/about/AboutForm.h"
#include "forms/help/HelpKeyword.h"
#include "forms/ruler/Calibration.h"
#include "forms/ruler/DesktopNotes.h"
#include "forms/ruler/KnownLengthScale.h"
#include "forms/ruler/MainFormContext.h"
#include "forms/ruler/ReadingExport.h"
#include "forms/ruler/RulerMenus.h"
#include "forms/ruler/ScreenTools.h"
#include "forms/settings/NastaveniForm.h"
#include "widgets/CoolForm.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <exception>

namespace {

// The window as it is before any settings or skin arrive.
constexpr QPoint initialPlace(211, 118);
constexpr QSize initialSize(472, 63);

void applyWindowLook(QWidget &window, const RulerState &state) {
    if (QWindow *handle = window.windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, state.VzdyNahore);
    // A stored alpha outside what the settings offer would make the ruler vanish or fail.
    window.setWindowOpacity(opacityRange.bounded(state.Pruhlednost) / double(opacityRange.most));
}

} // namespace

// The form's resources live in the static forms library; they must be registered by hand.
static void initialiseResources() {
    Q_INIT_RESOURCE(forms);
    Q_INIT_RESOURCE(icons);
}

TMainForm::TMainForm(RulerState &state, const QStringList &arguments, QWidget *parent)
    : QWidget(parent), m_state(state),
      m_model(state,
              [this] { return deviceLength(m_state.Horizontalni ? width() : height(), m_ratio); }),
      m_context(std::make_unique<Context>(*this)), m_place(*this), m_help(*m_context) {
    initialiseResources();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tavlinko"));
    setWindowIcon(builtInIcon(QStringLiteral(":/icons/tavlinko.bmp")));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setHelpKeyword(this, QStringLiteral("cz/index.html"));
    QFont font = QApplication::font();
    font.setPixelSize(11);
    setFont(font);
    setGeometry(QRect(initialPlace, initialSize));
    showMessage = [this](QMessageBox::Icon icon, const QString &text) {
        showMessageBox(icon, text, this);
    };
    // The switches are read with the settings, once the settings file is known.
    m_state.Parametry = arguments;
    m_view = new RulerView(*this, *m_context);
    m_screenTools = new ScreenTools(*m_context);
    m_menus = new RulerMenus(*m_context, *m_view, *m_screenTools);
    m_export = new ReadingExport(*m_context);
    m_saver = new SettingsSaver(
        m_state, [this] { return QRect(m_place.device(), deviceSize(size(), devicePixelRatio())); },
        this);
    m_calibration = std::make_unique<Calibration>(*m_context);
    m_knownLength = new KnownLengthScale(*m_context);
    connectControls();
    Spusteni();
}

TMainForm::~TMainForm() {
    // Nothing may leave a destructor; by now there is nobody left to tell either.
    try {
        m_help.release();
        Ukonceni();
    } catch (const std::exception &) {
    }
    // The view and the tools go while the window they work with is still whole. The controls
    // report their own destruction to this window's filter, which must not reach a view that has
    // already gone.
    m_view->imageVelikost->removeEventFilter(this);
    m_view->buttonJednotka->removeEventFilter(this);
    qDeleteAll(findChildren<QObject *>(Qt::FindDirectChildrenOnly));
}

void TMainForm::connectControls() {
    // A click on the scale and Enter in the loupe press alike.
    const auto press = [this](Qt::KeyboardModifiers modifiers, QPoint device) {
        const QPoint pressed = m_screenTools->snappedPress(device);
        Kliknuto(modifiers, pressed.x(), pressed.y());
    };
    connect(m_view, &RulerView::pressed, this,
            [this, press](Qt::KeyboardModifiers modifiers, QPointF at) {
                press(modifiers, {devicePixelAt(at.x(), m_ratio), devicePixelAt(at.y(), m_ratio)});
            });
    connect(m_screenTools, &ScreenTools::pressedAt, this, press);
    const RulerView &view = *m_view;
    connect(view.buttonHorizVert, &ImageControl::clicked, this, &TMainForm::HorizontVertik);
    connect(view.buttonObratit, &ImageControl::clicked, this, &TMainForm::Obratit);
    connect(view.buttonMenu, &ImageControl::clicked, this,
            [this] { m_menus->OtevriMenu(m_view->buttonMenu); });
    connect(view.buttonInfo, &ImageControl::clicked, this, &TMainForm::OProgramu);
    connect(view.buttonKonec, &ImageControl::clicked, this, &QWidget::close);
    connect(view.buttonDalsiJednotky, &ImageControl::clicked, this,
            [this] { m_menus->OtevriMenu(m_view->buttonDalsiJednotky); });
    for (QWidget *unitButton : {static_cast<QWidget *>(view.buttonDalsiJednotky),
                                static_cast<QWidget *>(view.buttonJednotka)})
        connect(unitButton, &QWidget::customContextMenuRequested, m_menus,
                &RulerMenus::OtevritMenu2);
    view.imageVelikost->installEventFilter(this);
    view.buttonJednotka->installEventFilter(this);

    const RulerMenus &menus = *m_menus;
    connect(menus.menuKopirovat, &QAction::triggered, m_export, &ReadingExport::Zkopiruj);
    connect(menus.menuUlozit, &QAction::triggered, m_export, &ReadingExport::UlozNaDisk);
    connect(menus.menuMaxi, &QAction::triggered, this, &TMainForm::PresCelouObrazovku);
    connect(menus.menuKalibrace, &QAction::triggered, this, [this] { m_calibration->Kalibrace(); });
    connect(menus.menuZnamaDelka, &QAction::triggered, this, [this] { m_knownLength->ask(); });
    connect(menus.menuNastaveni, &QAction::triggered, this, &TMainForm::Nastaveni);
}

// The dialogs cost more to build than the ruler itself and are seldom opened, so each is built
// when it is first asked for. A form built after the start joins the translator and takes the
// current language at once; before the start the first showing translates it with the rest.
TAboutForm *TMainForm::aboutForm() {
    if (!m_about) {
        m_about = new TAboutForm(m_context.get());
        // Modal to the ruler only: the help window, which F1 opens from the dialog, stays
        // usable beside it.
        m_about->setWindowModality(Qt::WindowModal);
        if (m_prekladac) {
            m_prekladac->addForm(m_about);
            applyTranslation([this] { m_prekladac->TranslateForm(m_about); });
        }
    }
    return m_about;
}

TNastaveniForm *TMainForm::nastaveniForm() {
    if (!m_nastaveni) {
        m_nastaveni = new TNastaveniForm(m_state, this);
        m_nastaveni->setPrekladac(m_prekladac.get());
        m_nastaveni->setWindowModality(Qt::WindowModal);
        if (m_prekladac) {
            m_prekladac->addForm(m_nastaveni);
            applyTranslation([this] { m_prekladac->TranslateForm(m_nastaveni); });
        }
    }
    return m_nastaveni;
}

void TMainForm::setHelp(THtmlHelpViewer &help) {
    m_help.connect(help);
}

// ---------------------------------------------------------------------------------------------
// Lifecycle

void TMainForm::Spusteni() {
    m_state.Horizontalni = true;
    m_state.Obracene = false;
    if (!m_state.reportUnwritable) {
        m_state.reportUnwritable = [this](const QString &path) {
            m_context->report(
                QMessageBox::Warning,
                m_context->translate(QStringLiteral("Nastavení nelze uložit do souboru %s."),
                                     {QDir::toNativeSeparators(path)}));
        };
    }
    if (!m_state.reportDroppedMonitors) {
        m_state.reportDroppedMonitors = [this](int count) {
            m_context->report(
                QMessageBox::Warning,
                m_context->translate(
                    QStringLiteral("Soubor nastavení by přerostl velikost, kterou pravítko "
                                   "přečte. Vynechalo se z něj vlastní rozlišení %s monitorů, "
                                   "které pravítko nejdéle nevidělo."),
                    {QString::number(count)}));
        };
    }
}

void TMainForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    m_saver->begin();
    Zobrazeni();
}

bool TMainForm::applyTranslation(const std::function<void()> &step) {
    // A broken language file must not stop the ruler from starting: the error is shown and the
    // texts read so far stay.
    try {
        step();
        return true;
    } catch (const std::exception &error) {
        m_context->report(QMessageBox::Critical, QString::fromUtf8(error.what()));
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
    NactiParametry(m_state, QStringList(m_state.Parametry));
    // The settings file speaks of device pixels: a file written at one scale puts the ruler on
    // the same screen pixels at another.
    m_ratio = devicePixelRatio();
    const QPoint dpi = screenDeviceDpi(screen());
    m_state.RozliseniX = dpi.x();
    m_state.RozliseniY = dpi.y();
    const QList<ScreenArea> screens = screenAreas();
    QPoint place = screens.isEmpty() ? pos() : devicePlace(pos(), screens.first());
    // A first run opens the window at its designed size, which the skins are laid out for.
    NactiNastaveni(m_state, place, QLocale::system(), deviceLength(initialSize.width(), m_ratio));
    m_place.moveTo(place);
    // The stored place may lie on a screen of another ratio than the one the window opened on.
    m_ratio = devicePixelRatio();
    ZpracujPrepinace(m_state);
    if (!m_state.JenCteni)
        removeStaleTemporaryFiles(m_state.SouborNastaveni);

    setLength(logicalLength(m_state.Delka, m_ratio));
    if (const auto monitor =
            monitorOfBar(monitors(), geometry(), m_state.Horizontalni, m_state.Obracene))
        startOnMonitor(m_state, *monitor);
    // The stored length may lie outside what a window can be; the percent unit must count the
    // length the window really took, or 100 % would not stand at the far end.
    m_state.Delka = m_model.barLength();

    // A bad line ends the reading of the file; what was read before it still translates.
    const QString languageFault = m_prekladac->useLanguage(languageFilePath(m_state));
    if (!languageFault.isEmpty())
        m_context->report(QMessageBox::Critical, languageFault);
    if (takeUnsavedSettingsNote(m_state.SouborNastaveni))
        m_context->report(
            QMessageBox::Warning,
            m_context->translate(QStringLiteral("Při posledním ukončení se nastavení nepodařilo "
                                                "uložit do souboru %s."),
                                 {QDir::toNativeSeparators(m_state.SouborNastaveni)}));

    NactiJednotky(m_state);
    if (m_state.Jednotka < 0 || m_state.Jednotka >= m_state.Jednotky.size())
        m_state.Jednotka = 0;
    // Lays the window out for the first time.
    NactiSkin(skinFolderPath(m_state));
    applyWindowLook(*this, m_state);
    m_place.keepOnScreen();
    tellAboutDesktop(*m_context);
}

void TMainForm::Ukonceni() {
    m_saver->saveAtExit();
    m_prekladac.reset();
}

void TMainForm::closeEvent(QCloseEvent *event) {
    // Saved while the window still has its place and the event loop runs, so that a failure
    // can be reported and answered while the program still reacts to signals.
    m_saver->saveAtExit();
    QWidget::closeEvent(event);
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
    // The skin may be another, the resolution and the units' sizes too: all laid out anew.
    NactiSkin(skinFolderPath(m_state));
    applyWindowLook(*this, m_state);
    m_view->CoolForm->update();
    if (result == TNastaveniForm::KalibrovatResult)
        m_calibration->Kalibrace();
}

void TMainForm::PoPrekladu() {
    QGuiApplication::setApplicationDisplayName(windowTitle());
    m_qtTranslations.use(m_prekladac->LanguageLocale());
    m_menus->ObnovMenuJednotky();
    m_view->describe();
}
