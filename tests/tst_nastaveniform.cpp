// The settings dialog driven by its controls' names, on a ruler started in a temporary program
// folder: what it lists and selects, what OK and Cancel keep, the units editor, the language
// rows and the hand-off to the language editor.

#include "RulerFixture.h"
#include "core/skins/Skin.h"
#include "core/units/Units.h"
#include "forms/ruler/UnitMenuItem.h"
#include "forms/settings/NastaveniForm.h"
#include "widgets/PageControl.h"
#include "widgets/RealSpin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

namespace {

const QByteArray at96 = "[Mereni]\r\nRozliseni X=96\r\nRozliseni Y=96\r\n";

// The four built-in units and the given user unit lines.
QByteArray withUnits(const QByteArray &userLines) {
    return at96 +
           "[Jednotky]\r\n1=Pixel;px;1;0;5\r\n2=Centimetr;cm;1;1;0,1\r\n3=Palec;in;1;2;0,1\r\n"
           "4=Procenta d\xc3\xa9lky;%;1;3;1\r\n" +
           userLines;
}

const QByteArray threeUserUnits = withUnits("5=Decimetr;dm;10;1;0,05\r\n6=Stopa;ft;12;2;0,01\r\n"
                                            "7=Sah;sa;1,23456789;1;1\r\n");

} // namespace

class TestNastaveniForm : public QObject {
    Q_OBJECT

    RulerFixture ruler;
    TNastaveniForm *dialog = nullptr;
    QTemporaryDir editorConfig;

    // Starts the ruler from this settings file and shows its settings dialog.
    void open(const QByteArray &ini = threeUserUnits, const QStringList &arguments = {}) {
        ruler.write(QStringLiteral("tavlinko.ini"), ini);
        ruler.start(arguments);
        dialog = ruler.form->nastaveniForm();
        dialog->show();
    }

    template <typename T> T *the(const char *name) const { return findControl<T>(dialog, name); }

    QStringList listed(const char *list) const {
        QStringList texts;
        auto *widget = the<QListWidget>(list);
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }

    void click(const char *name) { the<QAbstractButton>(name)->click(); }

    void selectUnit(int row) {
        auto *list = the<QListWidget>("listJednotky");
        list->setFocus();
        list->setCurrentRow(row);
    }

    // Handles the next modal box (input or question) once it is up.
    static void whenModal(const std::function<void(QWidget *)> &handle) {
        QTimer::singleShot(0, [handle] { handle(QApplication::activeModalWidget()); });
    }

    // Runs the ruler's settings handler with the dialog open modally meanwhile.
    void runSettings(const std::function<void()> &inside) {
        QTimer::singleShot(0, inside);
        ruler.form->Nastaveni();
    }

private slots:
    void initTestCase() {
        // The language editor's settings entry lives in a temporary config folder.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, editorConfig.path());
    }

    void init() {
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        ruler.shipLanguages();
        for (const char *skin : {"Funny", "Wood", "old.skin"})
            QDir().mkpath(ruler.folder.filePath(QStringLiteral("skin/") + skin));
    }

    void cleanup() {
        dialog = nullptr;
        ruler.stop();
        QFile::remove(ruler.folder.filePath(QStringLiteral("tavlinko.ini")));
        QSettings(QStringLiteral("Brindova"), QStringLiteral("Vokabiler")).clear();
        for (const char *data : {"jazyky", "skin", "editor"})
            QDir(ruler.folder.filePath(QLatin1String(data))).removeRecursively();
    }

    void listsShowInstalledLanguagesAndSkins_data() {
        QTest::addColumn<QString>("jazyk");
        QTest::addColumn<QString>("vzhled");
        QTest::addColumn<QString>("selectedLanguage");
        QTest::addColumn<QString>("selectedSkin");
        QTest::newRow("exact") << "german.lng"
                               << "Wood"
                               << "german.lng"
                               << "Wood";
        QTest::newRow("letter case ignored") << "GERMAN.LNG"
                                             << "wood"
                                             << "german.lng"
                                             << "Wood";
        QTest::newRow("not installed") << "klingon.lng"
                                       << "Marble"
                                       << ""
                                       << "";
        QTest::newRow("a dotted folder is no skin") << "czech.lng"
                                                    << "old.skin"
                                                    << "czech.lng"
                                                    << "";
    }

    void listsShowInstalledLanguagesAndSkins() {
        QFETCH(QString, jazyk);
        QFETCH(QString, vzhled);
        QFETCH(QString, selectedLanguage);
        QFETCH(QString, selectedSkin);
        QDir().mkpath(ruler.folder.filePath(QStringLiteral("jazyky/x.lng")));
        ruler.write(QStringLiteral("jazyky/.hidden.lng"), "LANGUAGE=Hidden\r\n");
        open(at96 + "[Obecne]\r\nJazyk=" + jazyk.toUtf8() + "\r\nVzhled=" + vzhled.toUtf8());
        QCOMPARE(listed("listJazyky"),
                 QStringList({".hidden.lng", "czech.lng", "english.lng", "german.lng"}));
        auto *languages = the<QListWidget>("listJazyky");
        QCOMPARE(languages->currentItem() ? languages->currentItem()->text() : QString(),
                 selectedLanguage);
        auto *skins = the<QComboBox>("comboSkiny");
        QCOMPARE(skins->count(), 2);
        QCOMPARE(skins->currentText(), selectedSkin);

        // OK takes a selection; without one the setting stays as it was.
        click("buttonOK");
        QCOMPARE(ruler.state.Jazyk, selectedLanguage.isEmpty() ? jazyk : selectedLanguage);
        QCOMPARE(ruler.state.Vzhled, selectedSkin.isEmpty() ? vzhled : selectedSkin);
    }

    void windowSettingsShownAndKept() {
        open(at96 + "[Obecne]\r\nVzdy nahore=Ano\r\nPruhlednost=150\r\n");
        QVERIFY(the<QCheckBox>("checkVzdyNahore")->isChecked());
        auto *track = the<QSlider>("trackPruhlednost");
        QCOMPARE(track->value(), 150);
        QCOMPARE(track->minimum(), 30);
        QCOMPARE(track->maximum(), 255);
        QCOMPARE(track->tickInterval(), 10);
        click("buttonOK");
        QVERIFY(ruler.state.VzdyNahore);
        QCOMPARE(ruler.state.Pruhlednost, 150);

        dialog->show();
        the<QSlider>("trackPruhlednost")->setValue(30);
        the<QCheckBox>("checkVzdyNahore")->setChecked(false);
        click("buttonZrusit");
        QVERIFY(ruler.state.VzdyNahore);
        QCOMPARE(ruler.state.Pruhlednost, 150);
    }

    void resolutionTakesPositiveWholeNumbers_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("a number") << "120" << 120;
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("zero keeps") << "0" << 96;
        QTest::newRow("empty keeps") << "" << 96;
        QTest::newRow("letters cannot be typed") << "x" << 96;
        QTest::newRow("a decimal point cannot be typed") << "1.5" << 15;
    }

    void resolutionTakesPositiveWholeNumbers() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        open();
        auto *edit = the<QLineEdit>("editRozliseniX");
        edit->clear();
        QTest::keyClicks(edit, typed);
        click("buttonOK");
        QCOMPARE(ruler.state.RozliseniX, stored);
        QCOMPARE(ruler.state.RozliseniY, 96);
    }

    void resolutionFromTheScreen() {
        open();
        const int dpi = qRound(dialog->screen()->logicalDotsPerInch());
        click("buttonRozliseniObrazovka");
        QCOMPARE(the<QLineEdit>("editRozliseniY")->text(), QString::number(dpi));
        click("buttonZrusit");
        QCOMPARE(ruler.state.RozliseniX, 96);
        dialog->show();
        QCOMPARE(the<QLineEdit>("editRozliseniX")->text(), QStringLiteral("96"));
        click("buttonRozliseniObrazovka");
        click("buttonOK");
        QCOMPARE(ruler.state.RozliseniX, dpi);
        QCOMPARE(ruler.state.RozliseniY, dpi);
    }

    void everyCaptionFits_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("fontPixels");
        for (const char *language : {"czech.lng", "english.lng", "german.lng"})
            for (const int pixels : {11, 24})
                QTest::addRow("%s at %d px", language, pixels) << language << pixels;
    }

    void everyCaptionFits() {
        QFETCH(QString, language);
        QFETCH(int, fontPixels);
        open(at96 + "[Obecne]\r\nJazyk=" + language.toUtf8() + "\r\n");
        QFont font = dialog->font();
        font.setPixelSize(fontPixels);
        dialog->setFont(font);
        auto *pages = the<PageControl>("PageControl");
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QApplication::processEvents();
            QVERIFY(dialog->width() >= 410 && dialog->height() >= 236);
            for (QWidget *control : dialog->findChildren<QWidget *>()) {
                const auto *label = qobject_cast<QLabel *>(control);
                const bool captioned = (label && !label->wordWrap() && !label->text().isEmpty()) ||
                                       qobject_cast<QAbstractButton *>(control);
                if (!captioned || !control->isVisible())
                    continue;
                QVERIFY2(control->width() >= control->minimumSizeHint().width() &&
                             control->height() >= control->minimumSizeHint().height(),
                         qPrintable(control->objectName()));
                QVERIFY2(dialog->rect().contains(
                             QRect(control->mapTo(dialog, QPoint()), control->size())),
                         qPrintable(control->objectName()));
            }
        }
    }

    void theActivePageIsRemembered() {
        open();
        auto *pages = the<PageControl>("PageControl");
        QCOMPARE(pages->currentIndex(), 0);
        pages->setCurrentIndex(2);
        click("buttonZrusit");
        dialog->show();
        QCOMPARE(pages->currentIndex(), 2);
    }

    void cancelAfterDeletingKeepsTheUnit() {
        open();
        dialog->hide();
        const QByteArray stored = ruler.read(QStringLiteral("tavlinko.ini"));
        const int menuEntries = int(partOf<RulerMenus>(ruler.form).PolozkyJednotek().size());
        runSettings([this] {
            selectUnit(5);
            whenModal([](QWidget *box) {
                qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
            });
            click("toolSmazatJednotku");
            QCOMPARE(listed("listJednotky").size(), 6);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(ruler.state.Jednotky.size(), 7);
        QCOMPARE(ruler.state.Jednotky[5].Nazev, QStringLiteral("Stopa"));
        QVERIFY(ruler.state.Jednotky[5].Pixelu > 0); // still computed, ready to measure with
        QCOMPARE(partOf<RulerMenus>(ruler.form).PolozkyJednotek().size(), menuEntries);
        QCOMPARE(partOf<RulerMenus>(ruler.form).PolozkyJednotek()[5]->text(),
                 QStringLiteral("Stopa"));
        QCOMPARE(ruler.read(QStringLiteral("tavlinko.ini")), stored);
    }

    void okAppliesAtOnceAndDeletingTheCurrentUnitFallsBackToPixels() {
        open();
        dialog->hide();
        partOf<RulerMenus>(ruler.form).PolozkyJednotek()[6]->trigger();
        QCOMPARE(ruler.unit(), QStringLiteral("sa"));
        runSettings([this] {
            selectUnit(6);
            whenModal([](QWidget *box) {
                qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
            });
            click("toolSmazatJednotku");
            click("buttonOK");
        });
        QCOMPARE(ruler.state.Jednotky.size(), 6);
        QCOMPARE(ruler.state.Jednotka, 0);
        QCOMPARE(ruler.unit(), QStringLiteral("px"));
        QVERIFY(!ruler.read(QStringLiteral("tavlinko.ini")).contains("Sah"));
        QVERIFY(!partOf<RulerMenus>(ruler.form).PolozkyJednotek()[6]->isVisible());
    }

    void calibrateAppliesTheNewSkinFirst() {
        QDir().mkpath(ruler.folder.filePath(QStringLiteral("skin/Wood")));
        ruler.write(QStringLiteral("skin/Wood/skin.ini"), "[Colors]\r\nNumber.color=$0000FF\r\n");
        open();
        dialog->hide();
        runSettings([this] {
            the<QComboBox>("comboSkiny")->setCurrentText(QStringLiteral("Wood"));
            click("buttonKalibrovat");
        });
        QCOMPARE(ruler.state.Vzhled, QStringLiteral("Wood"));
        SkinData wood;
        NactiSkinData(ruler.folder.filePath(QStringLiteral("skin/Wood")), wood);
        QCOMPARE(partOf<RulerView>(ruler.form).skin().numberColour, wood.numberColour);
        QVERIFY(ruler.state.Kalibruje);
    }

    void movesStopAtTheUserUnitsEnds_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("selectedAfter");
        const QStringList stored = {"Decimetr", "Stopa", "Sah"};
        QTest::newRow("up from the first user unit") << 4 << "toolJednotkaNahoru" << stored << 4;
        QTest::newRow("down from the last unit") << 6 << "toolJednotkaDolu" << stored << 6;
        QTest::newRow("up") << 5 << "toolJednotkaNahoru" << QStringList{"Stopa", "Decimetr", "Sah"}
                            << 4;
        QTest::newRow("down") << 5 << "toolJednotkaDolu" << QStringList{"Decimetr", "Sah", "Stopa"}
                              << 6;
    }

    void movesStopAtTheUserUnitsEnds() {
        QFETCH(int, selected);
        QFETCH(QString, tool);
        QFETCH(QStringList, order);
        QFETCH(int, selectedAfter);
        open();
        selectUnit(selected);
        QVERIFY(the<QToolButton>(qPrintable(tool))->isEnabled());
        click(qPrintable(tool));
        QCOMPARE(listed("listJednotky").mid(4), order);
        QCOMPARE(the<QListWidget>("listJednotky")->currentRow(), selectedAfter);
        QCOMPARE(dialog->UpravovanaJednotka(), selectedAfter);
    }

    void aRenamedUnitMovesWithItsPendingName() {
        open();
        selectUnit(5);
        auto *name = the<QLineEdit>("editJNazev");
        name->setText(QStringLiteral("Loket"));
        click("toolJednotkaNahoru");
        QCOMPARE(listed("listJednotky")[4], QStringLiteral("Stopa")); // stored name until left
        QCOMPARE(name->text(), QStringLiteral("Loket"));
        selectUnit(6);
        QCOMPARE(listed("listJednotky")[4], QStringLiteral("Loket"));

        selectUnit(5);
        name->setText(QStringLiteral("Palec2"));
        click("toolJednotkaDolu");
        click("buttonOK");
        QCOMPARE(ruler.state.Jednotky[6].Nazev, QStringLiteral("Palec2"));
        QVERIFY(ruler.read(QStringLiteral("tavlinko.ini")).contains("7=Palec2;dm;"));
    }

    void aNewUnitWithAnEmptyName() {
        open();
        whenModal([](QWidget *box) { qobject_cast<QInputDialog *>(box)->accept(); });
        click("toolNovaJednotka");
        QCOMPARE(listed("listJednotky").size(), 8);
        QCOMPARE(listed("listJednotky").last(), QString());
        QCOMPARE(dialog->UpravovanaJednotka(), 7);
        QCOMPARE(the<QLineEdit>("editJZnacka")->text(), QStringLiteral("Xx"));
        QCOMPARE(the<TRealSpinEdit>("editJHodnota")->text(), QStringLiteral("1"));
        QCOMPARE(the<QComboBox>("comboJJednotek")->currentIndex(), 0);
        QCOMPARE(the<TRealSpinEdit>("editJCarka")->text(), QStringLiteral("10"));
        QVERIFY(the<QLineEdit>("editJNazev")->isEnabled());

        // Cancelling the input box adds nothing.
        whenModal([](QWidget *box) { qobject_cast<QInputDialog *>(box)->reject(); });
        click("toolNovaJednotka");
        QCOMPARE(listed("listJednotky").size(), 8);
    }

    void unitTextsCannotBreakTheUnitLine() {
        open();
        whenModal([](QWidget *box) {
            auto *edit = box->findChild<QLineEdit *>();
            QTest::keyClicks(edit, QStringLiteral("a;b"));
            QCOMPARE(edit->text(), QStringLiteral("ab"));
            qobject_cast<QInputDialog *>(box)->accept();
        });
        click("toolNovaJednotka");
        auto *name = the<QLineEdit>("editJNazev");
        auto *symbol = the<QLineEdit>("editJZnacka");
        QTest::keyClicks(name, QStringLiteral(";x"));
        symbol->selectAll();
        QTest::keyClicks(symbol, QStringLiteral("m;mmmm"));
        QCOMPARE(name->text(), QStringLiteral("abx"));
        QCOMPARE(symbol->text(), QStringLiteral("mmmm"));
        click("buttonOK");
        QVERIFY(ruler.read(QStringLiteral("tavlinko.ini")).contains("8=abx;mmmm;1;0;10"));
    }

    void deletingTheOnlyUserUnitSelectsTheLastBuiltIn() {
        open(withUnits("5=Loket;lk;0,6;1;0,1\r\n"));
        selectUnit(4);
        whenModal([](QWidget *box) {
            qobject_cast<QMessageBox *>(box)->button(QMessageBox::No)->click();
        });
        click("toolSmazatJednotku");
        QCOMPARE(listed("listJednotky").size(), 5);
        whenModal([](QWidget *box) {
            qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
        });
        click("toolSmazatJednotku");
        QCOMPARE(listed("listJednotky").size(), 4);
        QCOMPARE(dialog->UpravovanaJednotka(), 3);
        QVERIFY(!the<QWidget>("labelJVestavena")->isHidden());
        for (const char *locked : {"toolSmazatJednotku", "toolJednotkaNahoru", "toolJednotkaDolu",
                                   "editJNazev", "editJZnacka", "editJHodnota", "comboJJednotek"})
            QVERIFY2(!the<QWidget>(locked)->isEnabled(), locked);
        QVERIFY(the<QWidget>("editJCarka")->isEnabled());
        QVERIFY(the<QWidget>("toolNovaJednotka")->isEnabled());
    }

    void tickSpacingIsStoredAndSizesKeepTheirDigits() {
        open();
        auto *carka = the<TRealSpinEdit>("editJCarka");
        carka->setText(QStringLiteral("2,5"));
        selectUnit(6);
        QCOMPARE(the<TRealSpinEdit>("editJHodnota")->text(), QStringLiteral("1,23456789"));
        selectUnit(1);
        QCOMPARE(ruler.state.Jednotky[6].Hodnota, 1.23456789);
        // Enter in a spin edit confirms the dialog.
        QTest::keyClick(carka, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        const QByteArray file = ruler.read(QStringLiteral("tavlinko.ini"));
        QVERIFY(file.contains("1=Pixel;px;1;0;2,5"));
        QVERIFY(file.contains("7=Sah;sa;1,23456789;1;1"));
    }

    // A unit only looked at keeps every number and text it had, however many digits or letters
    // they hold; a field the user typed into stores every digit typed.
    void lookingChangesNothing_data() {
        QTest::addColumn<QString>("field"); // typed into before OK, or nothing
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        const QByteArray known = "5=Mapa;metry;0,0764525993883792;0;200";
        QTest::newRow("looked at") << QString() << QString() << known;
        QTest::newRow("size typed with five decimals")
            << "editJHodnota"
            << "0.07645" << QByteArray("5=Mapa;metry;0,07645;0;200");
        QTest::newRow("tick spacing typed")
            << "editJCarka"
            << "250" << QByteArray("5=Mapa;metry;0,0764525993883792;0;250");
        QTest::newRow("symbol shortened") << "editJZnacka"
                                          << "m" << QByteArray("5=Mapa;m;0,0764525993883792;0;200");
    }
    void lookingChangesNothing() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        open(withUnits("5=Mapa;metry;0,0764525993883792;0;200\r\n"));
        selectUnit(4);
        QCOMPARE(the<QLineEdit>("editJZnacka")->text(), QStringLiteral("metry"));
        if (!field.isEmpty()) {
            auto *edit = the<QLineEdit>(qPrintable(field));
            edit->setFocus(Qt::TabFocusReason);
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        selectUnit(0);
        selectUnit(4);
        click("buttonOK");
        QVERIFY(!dialog->isVisible());
        QVERIFY2(ruler.read(QStringLiteral("tavlinko.ini")).contains(stored),
                 ruler.read(QStringLiteral("tavlinko.ini")).constData());
        if (field.isEmpty())
            QCOMPARE(ruler.state.Jednotky[4].Hodnota, 0.0764525993883792);
    }

    // However the dialog closes with OK, the stored numbers are the ones the fields show once
    // brought into range; the keys go to the spin edit that has the focus.
    void closingStoresNumbersInRange_data() {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("closing");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("stored");
        const QStringList spins = {"editJHodnota", "editJCarka"};
        for (const QString &spin : spins) {
            // Kept for the whole loop: qPrintable's text dies with its statement.
            const QByteArray latin = spin.toLatin1();
            const char *name = latin.constData();
            QTest::addRow("%s: zero, Return", name) << spin << "0"
                                                    << "Return"
                                                    << "0,0001" << 0.0001;
            QTest::addRow("%s: negative, keypad Enter", name) << spin << "-1"
                                                              << "Enter"
                                                              << "0,0001" << 0.0001;
            QTest::addRow("%s: the least, Return", name) << spin << "0,0001"
                                                         << "Return"
                                                         << "0,0001" << 0.0001;
            QTest::addRow("%s: the largest, keypad Enter", name) << spin << "10000000"
                                                                 << "Enter"
                                                                 << "10000000" << 1e7;
            QTest::addRow("%s: past the largest, OK", name) << spin << "10000000,0001"
                                                            << "OK"
                                                            << "10000000" << 1e7;
            QTest::addRow("%s: decimal point, calibrate", name) << spin << "1.5"
                                                                << "Calibrate"
                                                                << "1,5" << 1.5;
        }
    }

    void closingStoresNumbersInRange() {
        QFETCH(QString, spin);
        QFETCH(QString, typed);
        QFETCH(QString, closing);
        QFETCH(QString, shown);
        QFETCH(double, stored);
        open();
        selectUnit(4);
        auto *edit = the<TRealSpinEdit>(qPrintable(spin));
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        if (closing == "Return")
            QTest::keyClick(edit, Qt::Key_Return);
        else if (closing == "Enter")
            QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        else
            click(closing == "OK" ? "buttonOK" : "buttonKalibrovat");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(edit->text(), shown);
        const tjednotka &unit = ruler.state.Jednotky[4];
        QCOMPARE(spin == "editJHodnota" ? unit.Hodnota : unit.Carka, stored);
        // The file holds the same, and reading it back gives the ruler the same.
        NactiJednotky(ruler.state);
        QCOMPARE(spin == "editJHodnota" ? ruler.state.Jednotky[4].Hodnota
                                        : ruler.state.Jednotky[4].Carka,
                 stored);
    }

    // The built-in units' names follow the language in the list and the name field, as in the
    // ruler's menu; the file keeps the names it had.
    void builtInNamesAreShownTranslated() {
        open(withUnits("5=Loket;lk;0,6;1;0,1\r\n") + "[Obecne]\r\nJazyk=english.lng\r\n");
        const QStringList english = {"Pixels", "Centimetres", "Inches", "Percent of length",
                                     "Loket"};
        QCOMPARE(listed("listJednotky"), english);
        selectUnit(2);
        QCOMPARE(the<QLineEdit>("editJNazev")->text(), QStringLiteral("Inches"));
        the<TRealSpinEdit>("editJCarka")->setText(QStringLiteral("0,5"));
        selectUnit(4);
        QCOMPARE(listed("listJednotky"), english);
        click("buttonOK");
        QCOMPARE(ruler.state.Jednotky[2].Nazev, QStringLiteral("Palec"));
        QVERIFY(ruler.read(QStringLiteral("tavlinko.ini")).contains("3=Palec;in;1;2;0,5"));
        QCOMPARE(partOf<RulerMenus>(ruler.form).PolozkyJednotek()[2]->text(),
                 QStringLiteral("Inches"));
    }

    void readOnlyWritesNoUnits() {
        open(threeUserUnits, {QStringLiteral("-readonly")});
        const QByteArray stored = ruler.read(QStringLiteral("tavlinko.ini"));
        the<TRealSpinEdit>("editJCarka")->setText(QStringLiteral("7"));
        click("buttonOK");
        QCOMPARE(ruler.state.Jednotky[0].Carka, 7.0);
        QCOMPARE(ruler.read(QStringLiteral("tavlinko.ini")), stored);
    }

    void languageRowsShowFlagAndName() {
        open(at96 + "[Obecne]\r\nJazyk=english.lng\r\n");
        QFile::remove(ruler.folder.filePath(QStringLiteral("jazyky/german.bmp")));
        auto *list = the<QListWidget>("listJazyky");
        const QImage rows =
            list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage flag(ruler.folder.filePath(QStringLiteral("jazyky/english.bmp")));
        const QRect english = list->visualItemRect(list->item(1));
        const QRect german = list->visualItemRect(list->item(2));
        QCOMPARE(english.height(), qMax(18, list->fontMetrics().height() + 2));
        // The flag unscaled at the left edge of the selected row, pure blue beyond it.
        for (const QPoint at : {QPoint(0, 0), QPoint(flag.width() - 1, flag.height() - 1)})
            QCOMPARE(rows.pixel(english.topLeft() + at), flag.pixel(at));
        QCOMPARE(QColor(rows.pixel(english.left() + 25, english.top() + 2)), QColor(0, 0, 255));
        // White text only from 30 pixels in.
        auto whiteIn = [&](int from, int to) {
            for (int x = from; x < to; ++x)
                for (int y = english.top() + 1; y < english.bottom(); ++y)
                    if (QColor(rows.pixel(x, y)).lightness() > 200)
                        return true;
            return false;
        };
        QVERIFY(!whiteIn(english.left() + flag.width(), english.left() + 30));
        QVERIFY(whiteIn(english.left() + 30, english.left() + 60));
        // A row without a flag has only its name, on the list's own background.
        const QColor base = list->palette().color(QPalette::Base);
        for (int x = german.left(); x < german.left() + 30; ++x)
            QCOMPARE(QColor(rows.pixel(x, german.top() + 5)), base);
    }

    void theLanguageEditorGetsOneArgument() {
        const QString editorFolder = ruler.folder.filePath(QStringLiteral("editor"));
        const QString argumentsFile = editorFolder + QStringLiteral("/arguments");
        writeFile(editorFolder + QStringLiteral("/vokabiler"),
                  "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$(dirname \"$0\")/arguments.part\"\n"
                  "mv \"$(dirname \"$0\")/arguments.part\" \"$(dirname \"$0\")/arguments\"\n");
        QFile::setPermissions(editorFolder + QStringLiteral("/vokabiler"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeFile(editorFolder + QStringLiteral("/programs.ini"), "");
        open(at96 + "[Obecne]\r\nJazyk=english.lng\r\n");

        QStringList messages;
        auto recordMessage = [&messages](QWidget *box) {
            messages << qobject_cast<QMessageBox *>(box)->text();
            box->close();
        };
        whenModal(recordMessage);
        click("buttonNovy");
        QCOMPARE(messages.size(), 1); // not installed
        QVERIFY(!QFile::exists(argumentsFile));

        QSettings(QStringLiteral("Brindova"), QStringLiteral("Vokabiler"))
            .setValue(QStringLiteral("Path"), editorFolder);
        const QString definition = ruler.folder.filePath(QStringLiteral("jazyky/tavlinko30.lnd"));
        const struct {
            const char *button;
            QString argument;
        } clicks[] = {
            {"buttonNovy", definition},
            {"buttonUpravit", ruler.folder.filePath(QStringLiteral("jazyky/english.lng"))},
            {"buttonNovy", definition}};
        for (const auto &[button, argument] : clicks) {
            click(button);
            QTRY_VERIFY(QFile::exists(argumentsFile));
            QCOMPARE(readFile(argumentsFile), "1\n" + argument.toUtf8() + '\n');
            QFile::remove(argumentsFile);
            const QByteArray registered = readFile(editorFolder + QStringLiteral("/programs.ini"));
            QCOMPARE(registered.count('\n'), 1);
            QVERIFY(registered.startsWith(QApplication::applicationDisplayName().toUtf8() +
                                          " 3.0 = " + definition.toUtf8() + ';' +
                                          QApplication::applicationFilePath().toUtf8()));
        }
        QCOMPARE(messages.size(), 1);
    }

    void aMissingEditorListIsNamedInTheLanguageInUse_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("Czech") << "czech.lng"
                               << "Soubor %1 nebyl nalezen.";
        QTest::newRow("English") << "english.lng"
                                 << "The file %1 was not found.";
        QTest::newRow("German") << "german.lng"
                                << "Die Datei %1 wurde nicht gefunden.";
    }

    void aMissingEditorListIsNamedInTheLanguageInUse() {
        QFETCH(QString, language);
        QFETCH(QString, message);
        const QString editorFolder = ruler.folder.filePath(QStringLiteral("editor"));
        writeFile(editorFolder + QStringLiteral("/vokabiler"), "#!/bin/sh\n");
        QSettings(QStringLiteral("Brindova"), QStringLiteral("Vokabiler"))
            .setValue(QStringLiteral("Path"), editorFolder);
        open(at96 + "[Obecne]\r\nJazyk=" + language.toUtf8() + "\r\n");
        QString shown;
        whenModal([&shown](QWidget *box) {
            shown = qobject_cast<QMessageBox *>(box)->text();
            box->close();
        });
        click("buttonNovy");
        QCOMPARE(shown, message.arg(editorFolder + QStringLiteral("/programs.ini")));
    }

    // A 300-character unit name is cut short in the list and the ruler's unit menu, whole in
    // their tooltips; neither grows past a sensible width. A four-letter symbol fits the ruler's
    // unit button.
    void longUnitNamesAndSymbolsFit() {
        const QString longName(300, u'W');
        open(withUnits("5=" + longName.toUtf8() + ";mmmm;1;0;1\r\n6=Loket;lk;0,6;1;0,1\r\n"));
        auto *list = the<QListWidget>("listJednotky");
        the<PageControl>("PageControl")->setCurrentIndex(2);
        QApplication::processEvents();
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        const QRect row = list->visualItemRect(list->item(4));
        QVERIFY(row.width() <= list->viewport()->width());
        const auto tooltipOf = [list](int i) {
            const QPoint at = list->visualItemRect(list->item(i)).center();
            QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QVERIFY(tooltipOf(4).contains(longName));
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QCOMPARE(tooltipOf(5), QString());
        click("buttonOK");
        QVERIFY(ruler.read(QStringLiteral("tavlinko.ini"))
                    .contains("5=" + longName.toUtf8() + ";mmmm;"));

        partOf<RulerMenus>(ruler.form).PolozkyJednotek()[4]->trigger();
        auto *symbol = ruler.control<QLabel>("buttonJednotka");
        QCOMPARE(symbol->text(), QStringLiteral("mmmm"));
        QVERIFY(symbol->fontMetrics().horizontalAdvance(symbol->text()) <=
                symbol->contentsRect().width());
        partOf<RulerMenus>(ruler.form).PolozkyJednotek()[5]->trigger();
        QCOMPARE(symbol->font().pointSizeF(), ruler.form->font().pointSizeF()); // fits as it is

        QMenu *menu = partOf<RulerMenus>(ruler.form).unitMenu();
        QVERIFY(menu->sizeHint().width() < 500);
        const QList<QWidget *> items = menu->findChildren<QWidget *>();
        QCOMPARE(std::count_if(items.begin(), items.end(),
                               [&](const QWidget *item) { return item->toolTip() == longName; }),
                 1);
    }

    // Captions that change with the language: the measuring page's buttons are one width, the
    // dialog shrinks back for a shorter language, and four languages fit their list.
    void layoutFollowsTheLanguage() {
        for (const char *extra : {"polish.lng", "slovak.lng"})
            ruler.write(QStringLiteral("jazyky/") + extra, "LANGUAGE=X\r\n");
        open(at96 + "[Obecne]\r\nJazyk=german.lng\r\n");
        auto *pages = the<PageControl>("PageControl");
        pages->setCurrentIndex(1);
        QApplication::processEvents();
        QCOMPARE(the<QWidget>("buttonRozliseniObrazovka")->width(),
                 the<QWidget>("buttonKalibrovat")->width());
        const int germanWidth = dialog->width();
        pages->setCurrentIndex(0);
        auto *languages = the<QListWidget>("listJazyky");
        QCOMPARE(languages->count(), 5);
        QVERIFY(!languages->horizontalScrollBar()->isVisible());
        const QWidget *group = the<QWidget>("groupJazyk");
        QVERIFY(group->contentsRect().contains(languages->geometry()));

        languages->setCurrentRow(1); // english
        click("buttonOK");
        dialog->show();
        QApplication::processEvents();
        QVERIFY(dialog->width() < germanWidth);
        QCOMPARE(dialog->size(), dialog->minimumSizeHint());
    }

    void okSwitchesTheLanguage() {
        open(at96 + "[Obecne]\r\nJazyk=czech.lng\r\n");
        the<QListWidget>("listJazyky")->setCurrentRow(1);
        click("buttonOK");
        QCOMPARE(ruler.state.Jazyk, QStringLiteral("english.lng"));
        QCOMPARE(ruler.control<QWidget>("buttonKonec")->toolTip(), QStringLiteral("Exit"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(the<PageControl>("PageControl")->tabBar()->tabText(2), QStringLiteral("Units"));
        QCOMPARE(the<QToolButton>("toolNovaJednotka")->accessibleName(),
                 QStringLiteral("New unit"));
    }
};

QTEST_MAIN(TestNastaveniForm)
#include "tst_nastaveniform.moc"
