// The settings dialog's general page.

#include "forms/settings/GeneralPage.h"

#include "core/settings/DataFolders.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "core/translation/LangTranslator.h"
#include "forms/settings/Translucency.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

GeneralPage::GeneralPage(TNastaveniForm &dialog, RulerState &state) : SettingsPage(dialog, state) {

    QWidget *page = this;

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
}

QWidget *GeneralPage::firstControl() const {
    return comboSkiny;
}

void GeneralPage::load(const RulerState &state) {
    const QSignalBlocker blockLanguages(listJazyky);
    listJazyky->clear();
    listJazyky->addItems(languageFiles(state.CestaProgramu));
    listJazyky->setCurrentRow(-1);
    for (int i = 0; i < listJazyky->count(); ++i) {
        if (listJazyky->item(i)->text().compare(state.Jazyk, Qt::CaseInsensitive) == 0) {
            listJazyky->setCurrentRow(i);
            break;
        }
    }

    comboSkiny->clear();
    comboSkiny->addItems(skinFolders(state.CestaProgramu));
    comboSkiny->setCurrentIndex(comboSkiny->findText(state.Vzhled, Qt::MatchFixedString));

    checkVzdyNahore->setChecked(state.VzdyNahore);
    trackPruhlednost->setValue(state.Pruhlednost);
    labelPruhlednost2->setVisible(!windowsCanBeTranslucent());
}

void GeneralPage::save(RulerState &state) {
    if (QListWidgetItem *language = listJazyky->currentItem()) {
        state.Jazyk = language->text();
        // A broken language file is reported; the other settings are still taken.
        const QString error =
            prekladac() ? prekladac()->useLanguage(languageFilePath(state)) : QString();
        if (!error.isEmpty())
            showMessage(error, true);
    }
    if (comboSkiny->currentIndex() >= 0)
        state.Vzhled = comboSkiny->currentText();
    state.Pruhlednost = trackPruhlednost->value();
    state.VzdyNahore = checkVzdyNahore->isChecked();
}
