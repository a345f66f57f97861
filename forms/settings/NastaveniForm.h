#pragma once

#include "core/units/Units.h"

#include <QDialog>
#include <QPointer>
#include <QVector>
#include <exception>
#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QIcon;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;
class QSlider;
class QToolBar;
class QToolButton;
class PageControl;
class TLangTranslator;
class TRealSpinEdit;
struct RulerState;
struct tjednotka;

// The settings dialog with its general, measurement and units pages. It copies the settings
// into its controls when shown and back when closed with OK or the calibrate button; the ruler
// window then applies them. Cancel, Esc and closing the window change nothing.
class TNastaveniForm : public QDialog {
    Q_OBJECT

public:
    // The dialog's results. Calibrate counts as OK, then the ruler starts its calibration.
    static constexpr int OkResult = 1;
    static constexpr int ZrusitResult = 2;
    static constexpr int KalibrovatResult = 1234;

    TNastaveniForm(RulerState &state, QWidget *parent = nullptr);
    ~TNastaveniForm() override;

    // The ruler's translator: it turns the messages into the current language and takes the
    // language chosen here. Without one, messages stay Czech and the language is only stored.
    void setPrekladac(TLangTranslator *prekladac) { m_prekladac = prekladac; }

    // Lifecycle.
    void Vytvorit();
    void Zobrazit();
    void Skryt(int result);
    void Ukoncit();

    // General and measurement pages.
    void RozliseniPodleObrazovky();
    void SpustitKalibraci();
    void VyberJazykuKresli(QPainter &painter, int index, const QRect &rect, bool selected);
    void NovyNeboUpravitJazyk(QObject *sender);

    // Units page.
    void ZmenaJednotky();
    void JednotkaAkce(QObject *sender);
    void UnitToForm(int i);
    void FormToUnit(int i);
    void JednotkaZablokujOdblokuj();
    int UpravovanaJednotka() const { return m_upravovanaJednotka; }

    // The rows of the language list are this high at least, more when the font needs it.
    static constexpr int LanguageRowHeight = 18;
    // Where a row's text starts: the flag sits in front of it.
    static constexpr int LanguageTextIndent = 30;

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createGeneralPage();
    QWidget *createMeasurementPage();
    QWidget *createUnitsPage();
    void createLanguageList();
    QWidget *addPage(const char *name, const QString &caption, QWidget *page);
    QToolButton *createUnitTool(const char *name, const QString &hint, const char *themeIcon,
                                const char *builtInIcon);
    void designSize(QWidget *control, int width, int height = 0);
    void keepDesignSizes();
    static QIcon themedIcon(const char *themeName, const char *builtInName);
    static QLabel *createLabel(const char *name, const QString &caption, QWidget *parent);
    QString translated(const QString &czech, const QStringList &arguments = {}) const;
    QString describe(const std::exception &error) const;
    void showMessage(const QString &text, bool error);
    bool askYesNo(const QString &text);
    bool askUnitName(QString &name);
    void copyBack();
    void refillUnitList();
    QString shownName(int i) const;
    void startLanguageEditor(bool newLanguage);

    RulerState &m_state;
    TLangTranslator *m_prekladac = nullptr;
    int m_upravovanaJednotka = 0;
    // The units as they were before the dialog showed, for Cancel; held only while it shows.
    QVector<tjednotka> m_puvodniJednotky;
    bool m_shown = false;
    // The sizes the dialog was designed with for an 8-point font: the least each control gets.
    QVector<std::pair<QPointer<QWidget>, QSize>> m_designSizes;

    ::PageControl *PageControl = nullptr;
    QWidget *tabObecne = nullptr;
    QGroupBox *groupVzhled = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *labelVzhled = nullptr;
    QComboBox *comboSkiny = nullptr;
    QGroupBox *groupOkno = nullptr;
    QCheckBox *checkVzdyNahore = nullptr;
    QLabel *labelPruhlednost = nullptr;
    QSlider *trackPruhlednost = nullptr;
    QLabel *labelPruhlednost2 = nullptr;
    QGroupBox *groupJazyk = nullptr;
    QLabel *Image2 = nullptr;
    QListWidget *listJazyky = nullptr;
    QPushButton *buttonNovy = nullptr;
    QPushButton *buttonUpravit = nullptr;

    QWidget *tabMereni = nullptr;
    QLabel *labelHorizRozliseni = nullptr;
    QLineEdit *editRozliseniX = nullptr;
    QLabel *labelHorizJednotka = nullptr;
    QLabel *labelVertikRozliseni = nullptr;
    QLineEdit *editRozliseniY = nullptr;
    QLabel *labelVertikJednotka = nullptr;
    QLabel *labelMonitor = nullptr;
    QPushButton *buttonRozliseniObrazovka = nullptr;
    QPushButton *buttonKalibrovat = nullptr;

    QWidget *tabJednotky = nullptr;
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

    QPushButton *buttonOK = nullptr;
    QPushButton *buttonZrusit = nullptr;
};
