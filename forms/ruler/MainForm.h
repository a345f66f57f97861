#pragma once

#include "core/drawing/ScaleDrawing.h"
#include "core/screen/Monitors.h"
#include "core/skins/Skin.h"
#include "core/translation/QtTranslations.h"

#include <QEvent>
#include <QImage>
#include <QMessageBox>
#include <QVector>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class ImageControl;
class QAction;
class QLabel;
class QMenu;
class QCloseEvent;
class QMouseEvent;
class QTimer;
class TCoolForm;
class TLangTranslator;
class TSaveDialog;
class TAboutForm;
class TNastaveniForm;
class THtmlHelpViewer;
class UnitMenuItem;
class ScreenTools;
struct RulerState;

// The ruler window: a borderless bar whose surface is the skin's bar picture, with the scale
// strip, the reading, the unit label, the image buttons and the resize arrow on it. Handlers
// gather their inputs, call the core and apply the result to the controls.
class TMainForm : public QWidget {
    Q_OBJECT

public:
    TMainForm(RulerState &state, const QStringList &arguments, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Lets the help speak the ruler's language: its captions, and English pages for anyone
    // who does not read the ruler in Czech.
    void setHelp(THtmlHelpViewer &help);
    // Closes the help window and leaves the help without this window's language and settings.
    void releaseHelp();
    // The dialogs and the menus are built the first time they are asked for.
    TAboutForm *aboutForm();
    TNastaveniForm *nastaveniForm();
    QMenu *unitMenu();
    QMenu *functionMenu();
    TLangTranslator *Prekladac() const { return m_prekladac.get(); }
    const SkinData &skin() const { return m_skin; }
    const RulerState &state() const { return m_state; }

    // Lifecycle.
    void Spusteni();
    void Zobrazeni();
    void Ukonceni();
    void Konec();
    void OProgramu();
    void Nastaveni();
    void PoPrekladu();

    // Skin, drawing and layout.
    void NactiSkin(const QString &folder);
    void KresliTavlinkoHoriz();
    void KresliTavlinkoVertik();
    void kresliMeritko(); // the scale for the current position
    void Ramecek();
    void PoziceTlacitek();
    void PrepocitejJednotky();

    // Measuring, markers and export.
    QString FormatujVzdalenost(int d) const;
    void ZobrazVzdalenost();
    void UmistiSipku();
    void UmistiZalozku(int i);
    // x and y are the device pixel pressed, counted from the window's top-left corner.
    void Kliknuto(Qt::KeyboardModifiers shift, int x, int y);
    void NovaZalozka(int pos);
    void SmazZalozku(int pos);
    void FunkceZalozek(QObject *sender);
    void Zkopiruj();
    void UlozNaDisk();
    bool UlozVzdalenostiDoSouboru(const QString &fileName);

    // Orientation, zero end, resize, span.
    void HorizontVertik();
    void Obratit();
    void ZmenaVelikostiOver(QObject *sender, int x, int y);
    void ZmenaVelikostiDrop();
    void PresCelouObrazovku();
    void ZmenDelku(int step);

    // Units and menus.
    void ObnovMenuJednotky();
    void ZmenJednotku(QObject *sender);
    void OtevriMenu(QObject *sender);
    void OtevritMenu2();
    void EfektTlacitkaJednotkaStart();
    void EfektTlacitkaJednotkaEnd();

    // Calibration: the menu's and the settings dialog's request starts or cancels it; a press
    // on the scale while it runs is its next step.
    void Kalibrace(QObject *sender);

    // Settings reach the disk soon after they change, so that a killed or hung ruler loses
    // nothing, but not on every pixel of a drag: each call puts the save saveDelayMs later.
    static constexpr int saveDelayMs = 500;
    void saveSoon();

    // Shows a message to the user, with the warning icon when it reports a failure; tests
    // replace it to read the messages instead.
    std::function<void(QMessageBox::Icon, const QString &)> ZobrazitZpravu;

    ImageControl *markerImage(int i) const { return m_obrazkyZalozek.value(i); }
    const QVector<UnitMenuItem *> &PolozkyJednotek() const { return m_polozkyJednotek; }

    // The monitors of the desktop; tests replace it to give monitors sizes that their
    // platform cannot report.
    std::function<QList<MonitorInfo>()> Monitory = desktopMonitors;

    // Makes a user unit that reads a length the user knows between two markers, or the arrow
    // and a marker.
    void MeritkoZnameDelky();
    // The work behind it, once the length, name and symbol are known: creates or updates the
    // unit, stores the units and makes it the current one. False (and a message) when no unit
    // can be made.
    bool vytvorJednotkuZnameDelky(double length, const QString &name, const QString &symbol);

    // Device pixels per logical pixel that the pictures and positions are made for.
    double pomer() const { return m_pomer; }
    // The window's top-left corner in device pixels of the desktop.
    QPoint mistoNaPlose() const { return m_mistoNaPlose; }

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    ImageControl *createImageButton(const char *name, const QString &hint, QPoint place);
    int delkaPravitka() const;
    int vzdalenostOdNuly(int pozice) const;
    void nastavDelku(int delka);
    void aplikujVzhledOkna();
    void saveAtExit(); // the settings, once, at the end of the run
    void saveSettings();
    // Whether the platform tells the window's place; where it does not (Wayland), the place
    // read at the start is the one saved, and the user is told once why the ruler stands
    // elsewhere.
    static bool platformTellsPlace();
    void tellAboutDesktop();
    bool compositorEnlargesRuler() const;
    void keepOnScreen();
    // The reading as the label shows it, copied and saved; the unit symbol behind it.
    QString readingText() const;
    QString unitSymbol() const;
    void setReading(double value);
    void setUnit(int jednotka);
    void startCalibration();
    void cancelCalibration();
    void takeCalibrationClick();
    // Brings everything that follows from the state, the skin and the screen's ratio up to
    // date, in the one order that works: the window's shape, the unit factors (they count the
    // scale strip's device pixels), the pictures (the scale needs the factors), the places of
    // the controls, the accessible names. Every handler that changes any of these calls it.
    void updateLayout();
    void placeStrip(); // the scale strip and the bar's surface fill the window's shape
    // Shows one picture for each active marker, at its place; see MarkerList.
    void ukazZalozky();
    ImageControl *createMarkerImage(int i);
    bool keepReadingInPercent(int newLength);
    double procentaZalozky(int pozice) const;
    void zaznamenejProcenta();
    void zmenDelkuNa(int newLength, bool keepPercent);
    bool applyTranslation(const std::function<void()> &step);
    void translateNewForm(QWidget *form);
    const SkinSection &section() const;
    ScaleParams scaleParams(int length) const;
    QString translated(const QString &czech, const QStringList &arguments = {});
    QString nazevJednotky(int i); // a unit's name as shown: built-in names are translated
    QFont unitSymbolFont() const;
    void ukazZnacku(); // the current unit's symbol on the unit button
    void updateAccessibleNames();
    void connectPress(ImageControl *image);
    void discardMarkerImage(ImageControl *image);
    bool resizeArrowMouse(QMouseEvent *mouse);
    int delkaOkna() const; // the window's logical length along the ruler
    void sledujPomer();
    // The monitor the bar measures on, if the desktop has any.
    std::optional<MonitorInfo> monitorPodPravitkem() const;
    // Lays out anew when the bar has moved onto another monitor.
    void sledujMonitor();
    int measuredPixels() const; // the distance the reading shows, in device pixels
    // The reading's tool tip and description: the distance in device pixels, in logical pixels
    // and in centimetres on the monitor the bar measures on.
    void ukazPixelyMonitoru();
    void zobrazSkin(); // shows the loaded skin's pictures at the screen's ratio and lays out
    void ukazTlacitka(const SkinBitmaps &pictures); // the button pictures that are not null
    QPoint pointerPlace(int pozice, const QImage &plain, const QImage &shown, int centre) const;
    QRect celaPlocha() const;
    QPoint qtDevicePlace() const; // where Qt's logical place puts the window
    void sledujMisto(QEvent::Type type);
    // Moves the bar to the desktop's start edge along its axis; gives the desktop's length
    // there, which a bar spanning the desktop takes.
    int kZacatkuPlochy();

    RulerState &m_state;
    QStringList m_arguments;
    std::unique_ptr<TLangTranslator> m_prekladac;
    THtmlHelpViewer *m_help = nullptr;
    QtTranslations m_qtTranslations; // Qt's own dialogs and buttons follow the language
    SkinData m_skin;
    SkinBitmaps m_shown;  // m_skin's pictures as this screen shows them
    SkinData m_vestavene; // the built-in button pictures
    double m_pomer = 1;
    bool m_shownOnce = false;
    bool m_laidOut = false; // updateLayout has run: the units and the skin are there
    bool m_saved = false;
    // The window's place in device pixels: read from the settings file, then following the
    // window's moves. Along an axis where Qt has not moved the window it stays as it was, since
    // whole logical pixels cannot name every device pixel on a fractional scale. Where the
    // desktop places the window (Wayland) it stays as stored.
    QPoint m_mistoNaPlose;
    QTimer *m_saveTimer = nullptr;
    bool m_resizing = false;
    TAboutForm *m_about = nullptr;
    TNastaveniForm *m_nastaveni = nullptr;

    // Controls, in stacking order.
    TCoolForm *CoolForm = nullptr;
    QLabel *labelMeridlo = nullptr;
    ImageControl *imageVelikost = nullptr;
    ImageControl *imageMeritko = nullptr;
    ImageControl *buttonHorizVert = nullptr;
    ImageControl *buttonObratit = nullptr;
    ImageControl *buttonMenu = nullptr;
    ImageControl *buttonInfo = nullptr;
    ImageControl *buttonKonec = nullptr;
    QLabel *buttonJednotka = nullptr;
    ImageControl *imageSipka = nullptr;
    ImageControl *buttonDalsiJednotky = nullptr;
    TSaveDialog *SaveDialog = nullptr;
    QMenu *popupMenu = nullptr;
    QMenu *popupJednotky = nullptr;
    QAction *menuKopirovat = nullptr;
    QAction *menuUlozit = nullptr;
    QAction *menuZalozky = nullptr;
    QAction *menuZVytvorit = nullptr;
    QAction *menuZSmazat = nullptr;
    QAction *menuZSmazatVse = nullptr;
    QAction *menuMaxi = nullptr;
    QAction *menuKalibrace = nullptr;
    QAction *menuZnamaDelka = nullptr;
    QAction *menuNastaveni = nullptr;

    ScreenTools *m_screenTools = nullptr;     // snapping to edges, spans between them, the loupe
    QVector<ImageControl *> m_obrazkyZalozek; // by the slots of Zalozky, as ukazZalozky keeps it
    QVector<UnitMenuItem *> m_polozkyJednotek;
};
