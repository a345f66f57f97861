#pragma once

#include "forms/settings/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPainter;
class QPushButton;
class QSlider;

// The settings dialog's general page: the skin, always-on-top and transparency, and the
// language with the hand-off to the external language editor.
class GeneralPage : public SettingsPage {
    Q_OBJECT

public:
    GeneralPage(TNastaveniForm &dialog, RulerState &state);

    void load(const RulerState &state) override;
    void save(RulerState &state) override;
    QWidget *firstControl() const override;

    void VyberJazykuKresli(QPainter &painter, int index, const QRect &rect, bool selected);
    void NovyNeboUpravitJazyk(QObject *sender);

    // The rows of the language list are this high at least, more when the font needs it.
    static constexpr int LanguageRowHeight = 18;
    // Where a row's text starts: the flag sits in front of it.
    static constexpr int LanguageTextIndent = 30;

private:
    void createLanguageList();
    void startLanguageEditor(bool newLanguage);

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
};
