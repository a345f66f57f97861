#pragma once

#include "core/units/Units.h"

#include <QDialog>
#include <QPointer>
#include <QVector>
#include <exception>
#include <functional>

class GeneralPage;
class MeasuringPage;
class PageControl;
class QPushButton;
class SettingsPage;
class TLangTranslator;
class UnitsPage;
struct RulerState;

// The settings dialog with its general, measurement and units pages. Each page copies its
// settings into its controls when the dialog shows and back when it closes with OK or the
// calibrate button; the ruler window then applies them. Cancel, Esc and closing the window
// change nothing.
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

    void SpustitKalibraci();
    // The unit whose fields the units page shows.
    int UpravovanaJednotka() const;

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class SettingsPage; // the pages use the messages, the translator and design sizes

    QWidget *addPage(const char *name, const QString &caption, SettingsPage *page);
    QList<SettingsPage *> pages() const;
    void designSize(QWidget *control, int width, int height = 0);
    void keepDesignSizes();
    QString translated(const QString &czech, const QStringList &arguments = {}) const;
    QString describe(const std::exception &error) const;
    void showMessage(const QString &text, bool error);
    bool askYesNo(const QString &text);

    RulerState &m_state;
    TLangTranslator *m_prekladac = nullptr;
    // The units as they were before the dialog showed, for Cancel; held only while it shows.
    QVector<tjednotka> m_originalUnits;
    bool m_shown = false;
    // The sizes the dialog was designed with for an 8-point font: the least each control gets.
    QVector<std::pair<QPointer<QWidget>, QSize>> m_designSizes;

    ::PageControl *PageControl = nullptr;
    GeneralPage *tabObecne = nullptr;
    MeasuringPage *tabMereni = nullptr;
    UnitsPage *tabJednotky = nullptr;
    QPushButton *buttonOK = nullptr;
    QPushButton *buttonZrusit = nullptr;
};
