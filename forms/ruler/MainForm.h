#pragma once

#include "core/ruler/RulerModel.h"
#include "core/screen/Monitors.h"
#include "core/translation/QtTranslations.h"
#include "forms/ruler/DesktopPlace.h"
#include "forms/ruler/HelpLink.h"

#include <QMessageBox>
#include <QWidget>
#include <functional>
#include <memory>

class Calibration;
class KnownLengthScale;
class QMouseEvent;
class ReadingExport;
class RulerMenus;
class RulerView;
class ScreenTools;
class SettingsSaver;
class TAboutForm;
class TLangTranslator;
class TNastaveniForm;
class THtmlHelpViewer;
struct RulerState;

// The ruler window: a borderless bar that shows the view (RulerView) and passes what the user
// does to the state's arithmetic (RulerModel) and to the tools beside it: the menus, the
// export, calibration, the known length and the screen tools. Every change ends in the one
// layout step, updateLayout, which brings exactly what changed up to date.
class TMainForm : public QWidget {
    Q_OBJECT

public:
    TMainForm(RulerState &state, const QStringList &arguments, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Lets the help speak the ruler's language and keep its place in the settings file.
    void setHelp(THtmlHelpViewer &help);
    // The dialogs are built the first time they are asked for.
    TAboutForm *aboutForm();
    TNastaveniForm *nastaveniForm();
    TLangTranslator *Prekladac() const { return m_prekladac.get(); }
    // Device pixels per logical pixel that the pictures and positions are made for.
    double ratio() const { return m_ratio; }

    // Lifecycle.
    void Spusteni();
    void Zobrazeni();
    void Ukonceni();
    void OProgramu();
    void Nastaveni();
    void PoPrekladu();
    void NactiSkin(const QString &folder);

    // Measuring and markers. x and y are the device pixel pressed, counted from the window's
    // top-left corner.
    void ZobrazVzdalenost();
    void Kliknuto(Qt::KeyboardModifiers shift, int x, int y);
    void NovaZalozka(int pos);
    void SmazZalozku(int pos);

    // Orientation, zero end, resize, span.
    void HorizontVertik();
    void Obratit();
    void ZmenaVelikostiOver(int x, int y);
    void ZmenaVelikostiDrop();
    void PresCelouObrazovku();
    // A length key: the step is in device pixels.
    void ZmenDelku(int step);

    // The one way the ruler tells the user something, with the warning icon when it reports a
    // failure; tests replace it to read the messages instead.
    std::function<void(QMessageBox::Icon, const QString &)> showMessage;
    // The monitors of the desktop; tests replace it to give monitors sizes that their
    // platform cannot report.
    std::function<QList<MonitorInfo>()> monitors = desktopMonitors;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class Context; // what the tools see of the window
    friend class Context;

    void connectControls();
    // Brings the window up to date after the state changed in these ways, in the one order
    // that works: the window's shape, the monitor, the unit factors (they count the scale
    // strip's device pixels), the scale (drawn with them), the places of the controls, the
    // reading, the accessible names.
    void updateLayout(RulerChanges changes = everyChange);
    void setLength(int logicalLength);
    void changeLengthTo(int logicalLength, bool keepPercent);
    bool resizeArrowMouse(QMouseEvent *mouse);
    void followRatio();
    bool applyTranslation(const std::function<void()> &step);

    RulerState &m_state;
    std::unique_ptr<TLangTranslator> m_prekladac;
    QtTranslations m_qtTranslations; // Qt's own dialogs and buttons follow the language
    RulerModel m_model;
    std::unique_ptr<Context> m_context;
    DesktopPlace m_place;
    HelpLink m_help;
    double m_ratio = 1;
    bool m_shownOnce = false;
    bool m_laidOut = false; // updateLayout has run: the units and the skin are there
    bool m_resizing = false;

    // The view and the tools beside it, children of the window.
    RulerView *m_view = nullptr;
    ScreenTools *m_screenTools = nullptr;
    RulerMenus *m_menus = nullptr;
    ReadingExport *m_export = nullptr;
    SettingsSaver *m_saver = nullptr;
    std::unique_ptr<Calibration> m_calibration;
    KnownLengthScale *m_knownLength = nullptr;
    TAboutForm *m_about = nullptr;
    TNastaveniForm *m_nastaveni = nullptr;
};
