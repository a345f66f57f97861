// The shipped definition file against the live windows: every item it names must exist, and
// the running ruler must follow each shipped language.

#include "RulerFixture.h"
#include "core/translation/AccessKeyMark.h"
#include "core/translation/LangTranslator.h"
#include "forms/about/AboutForm.h"
#include "forms/ruler/UnitMenuItem.h"
#include "forms/settings/NastaveniForm.h"

#include "widgets/PageControl.h"

#include <QAccessible>
#include <QGroupBox>
#include <QMetaProperty>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

namespace {

QStringList tabCaptions(QWidget *dialog) {
    QStringList captions;
    const QTabBar *tabs = dialog->findChild<PageControl *>(QStringLiteral("PageControl"))->tabBar();
    for (int i = 0; i < tabs->count(); ++i)
        captions << withoutAccessKeyMark(tabs->tabText(i));
    return captions;
}

// The captions of a window's controls that the user can reach now, each with its Alt key.
QList<std::pair<QWidget *, QKeySequence>> reachableAccelerators(QWidget *dialog) {
    QList<std::pair<QWidget *, QKeySequence>> found;
    const QTabBar *tabs = dialog->findChild<PageControl *>(QStringLiteral("PageControl"))->tabBar();
    for (int i = 0; i < tabs->count(); ++i)
        found.append({nullptr, QKeySequence::mnemonic(tabs->tabText(i))});
    for (QWidget *control : dialog->findChildren<QWidget *>()) {
        if (!control->isVisible())
            continue;
        QString caption;
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            caption = button->text();
        else if (auto *group = qobject_cast<QGroupBox *>(control))
            caption = group->title();
        else if (auto *label = qobject_cast<QLabel *>(control); label && label->buddy())
            caption = label->text();
        if (!caption.isEmpty())
            found.append({control, QKeySequence::mnemonic(caption)});
    }
    return found;
}

} // namespace

class TestTranslationForms : public QObject {
    Q_OBJECT

    RulerFixture ruler;
    TAboutForm *about = nullptr;
    TNastaveniForm *nastaveni = nullptr;

    void startIn(const QString &language) {
        ruler.shipLanguages();
        ruler.write(QStringLiteral("tavlinko.ini"),
                    QStringLiteral("[Obecne]\r\nJazyk=%1\r\n").arg(language).toUtf8());
        ruler.state = RulerState();
        ruler.state.CestaProgramu = ruler.folder.path() + QLatin1Char('/');
        ruler.form = std::make_unique<TMainForm>(ruler.state, QStringList());
        ruler.form->show();
        // Built after the start, as when the user first opens them.
        about = ruler.form->aboutForm();
        nastaveni = ruler.form->nastaveniForm();
    }

private slots:
    void cleanup() { ruler.stop(); }

    void everyComponentPathResolves() {
        startIn(QStringLiteral("czech.lng"));
        const QList<QObject *> forms = {ruler.form.get(), about, nastaveni};
        int components = 0;
        for (const TTemplateItem &item : ruler.form->Prekladac()->Items()) {
            if (item.Kind != ikComponent)
                continue;
            ++components;
            QStringList parts = item.Text.trimmed().split(QLatin1Char('.'));
            const QString property = parts.takeLast();
            QObject *object = nullptr;
            for (QObject *form : forms)
                if (form->objectName().compare(parts.value(0), Qt::CaseInsensitive) == 0)
                    object = form;
            for (int i = 1; object && i < parts.size(); ++i) {
                QObject *next = nullptr;
                for (QObject *child : object->children())
                    if (!next && child->objectName().compare(parts[i], Qt::CaseInsensitive) == 0)
                        next = child;
                object = next;
            }
            QVERIFY2(object, qPrintable(item.Text + " names no live object"));
            const QMetaObject *meta = object->metaObject();
            bool found = false;
            for (int i = 0; i < meta->propertyCount(); ++i)
                found = found || property.compare(QLatin1String(meta->property(i).name()),
                                                  Qt::CaseInsensitive) == 0;
            QVERIFY2(found, qPrintable(item.Text + " names no property"));
        }
        QVERIFY(components > 10);
    }

    void theRulerFollowsEachLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("exitHint");
        QTest::addColumn<QString>("copyCaption");
        QTest::addColumn<QString>("inchName");
        QTest::newRow("czech") << "czech.lng"
                               << "Konec"
                               << "Kopírovat vzdálenost do schránky"
                               << "Palec";
        QTest::newRow("english") << "english.lng"
                                 << "Exit"
                                 << "Copy distance to clipboard"
                                 << "Inches";
        QTest::newRow("german") << "german.lng"
                                << "Beenden"
                                << ""
                                << "";
        QTest::newRow("missing falls back to czech") << "klingon.lng"
                                                     << "Konec"
                                                     << ""
                                                     << "";
    }

    void theRulerFollowsEachLanguage() {
        QFETCH(QString, language);
        QFETCH(QString, exitHint);
        QFETCH(QString, copyCaption);
        QFETCH(QString, inchName);
        startIn(language);
        QCOMPARE(ruler.control<QWidget>("buttonKonec")->toolTip(), exitHint);
        if (!copyCaption.isEmpty())
            QCOMPARE(ruler.form->findChild<QAction *>(QStringLiteral("menuKopirovat"))->text(),
                     copyCaption);
        if (!inchName.isEmpty())
            QCOMPARE(partOf<RulerMenus>(ruler.form).PolozkyJednotek().at(2)->text(), inchName);
        QCOMPARE(QGuiApplication::applicationDisplayName(), ruler.form->windowTitle());
    }

    void switchingTheRunningRuler() {
        startIn(QStringLiteral("english.lng"));
        TLangTranslator *translator = ruler.form->Prekladac();
        const QString jazyky = ruler.folder.filePath(QStringLiteral("jazyky/"));
        auto *rotate = ruler.control<QWidget>("buttonHorizVert");
        QCOMPARE(rotate->toolTip(), QStringLiteral("Switch between horizontal and vertical"));
        // The built-in units are named in the language in use.
        const auto centimetres = [this] {
            return withoutAccessKeyMark(
                partOf<RulerMenus>(ruler.form).PolozkyJednotek()[1]->text());
        };
        QCOMPARE(centimetres(), QStringLiteral("Centimetres"));

        translator->setLanguageFile(jazyky + QStringLiteral("german.lng"));
        translator->Translate();
        QVERIFY(rotate->toolTip() != QLatin1String("Switch between horizontal and vertical"));
        const QString german = rotate->toolTip();

        // A language that lacks an item leaves the text the previous one gave.
        ruler.write(QStringLiteral("jazyky/partial.lng"), "LANGUAGE=Partial\r\n7=Weg\r\n");
        translator->setLanguageFile(jazyky + QStringLiteral("partial.lng"));
        translator->Translate();
        QCOMPARE(ruler.control<QWidget>("buttonKonec")->toolTip(), QStringLiteral("Weg"));
        QCOMPARE(rotate->toolTip(), german);

        translator->setLanguageFile(jazyky + QStringLiteral("czech.lng"));
        translator->Translate();
        QCOMPARE(rotate->toolTip(), QStringLiteral("Přepnout mezi vodorovnou a svislou polohou"));
        QCOMPARE(centimetres(), QStringLiteral("Centimetr"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), ruler.form->windowTitle());
    }

    void qtDialogsFollowTheLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("saveAs");
        QTest::newRow("czech") << "czech.lng"
                               << "Zrušit"
                               << "Uložit jako";
        QTest::newRow("german") << "german.lng"
                                << "Abbrechen"
                                << "Speichern unter";
        QTest::newRow("english") << "english.lng"
                                 << "Cancel"
                                 << "Save As";
        // Without a locale of its own a file says it through its name; this one says nothing,
        // so Qt's texts go back to English instead of keeping the language before it.
        QTest::newRow("unknown") << "partial.lng"
                                 << "Cancel"
                                 << "Save As";
    }

    // The buttons of message boxes and the save dialog are Qt's own texts; they follow the
    // chosen language too, also when switching from another one.
    void qtDialogsFollowTheLanguage() {
        QFETCH(QString, language);
        QFETCH(QString, cancel);
        QFETCH(QString, saveAs);
        startIn(QStringLiteral("german.lng"));
        ruler.write(QStringLiteral("jazyky/partial.lng"), "LANGUAGE=Partial\r\n7=Weg\r\n");
        TLangTranslator *translator = ruler.form->Prekladac();
        translator->setLanguageFile(ruler.folder.filePath(QStringLiteral("jazyky/") + language));
        translator->Translate();
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), saveAs);
    }

    void controlsSpeakToAssistiveTechnology_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        const auto row = [](const char *control, QAccessible::Role role, const char *english,
                            const char *german) {
            QTest::newRow(control) << control << int(role) << english << german;
        };
        row("buttonHorizVert", QAccessible::Button, "Switch between horizontal and vertical",
            "Zwischen waagerechter und senkrechter Lage wechseln");
        row("buttonObratit", QAccessible::Button, "Swap the zero end",
            "Nullpunkt auf die andere Seite legen");
        row("buttonMenu", QAccessible::Button, "More functions...", "Weitere Funktionen ...");
        row("buttonInfo", QAccessible::Button, "About", "Über das Programm");
        row("buttonKonec", QAccessible::Button, "Exit", "Beenden");
        row("buttonDalsiJednotky", QAccessible::Button, "More units...", "Weitere Einheiten...");
        row("buttonJednotka", QAccessible::Button, "Unit: Inches", "Einheit: Zoll");
        row("labelMeridlo", QAccessible::StaticText, "Measured distance: 1.04 in",
            "Gemessene Entfernung: 1.04 in");
        row("imageMeritko", QAccessible::Graphic, "Scale: unit Inches, length 4.92 in",
            "Skala: Einheit Zoll, Länge 4.92 in");
        row("zalozka1", QAccessible::Graphic, "Marker: 0.52 in", "Markierung: 0.52 in");
        row("imageSipka", QAccessible::Indicator, "Measuring arrow", "Messpfeil");
        row("imageVelikost", QAccessible::Grip, "Ruler length (drag)", "Lineallänge (ziehen)");
        row("CoolForm", QAccessible::Pane, "Ruler (drag to move)",
            "Lineal (zum Verschieben ziehen)");
    }

    // Screen readers and UI test tools see every control of the ruler with a role and a name
    // that says what it shows, in the chosen language.
    void controlsSpeakToAssistiveTechnology() {
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, english);
        QFETCH(QString, german);
        startIn(QStringLiteral("english.lng"));
        ruler.key(Qt::Key_Tab, Qt::ControlModifier);
        ruler.key(Qt::Key_Tab, Qt::ControlModifier); // inches: 96 pixels each
        ruler.press(50, Qt::ControlModifier);
        ruler.press(100);
        QAccessibleInterface *accessible =
            QAccessible::queryAccessibleInterface(ruler.control<QWidget>(qPrintable(control)));
        QVERIFY(accessible);
        QCOMPARE(int(accessible->role()), role);
        QCOMPARE(accessible->text(QAccessible::Name), english);
        TLangTranslator *translator = ruler.form->Prekladac();
        translator->setLanguageFile(ruler.folder.filePath(QStringLiteral("jazyky/german.lng")));
        translator->Translate();
        QCOMPARE(accessible->text(QAccessible::Name), german);
    }

    // Without a mouse, a button is pressed through its accessible action.
    void accessibleButtonsCanBePressed() {
        startIn(QStringLiteral("english.lng"));
        const auto press = [this](const char *control) {
            QAccessibleActionInterface *action =
                QAccessible::queryAccessibleInterface(ruler.control<QWidget>(control))
                    ->actionInterface();
            QVERIFY(action);
            QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
            action->doAction(QAccessibleActionInterface::pressAction());
        };
        press("buttonObratit");
        QVERIFY(ruler.state.Obracene);
        press("buttonJednotka");
        QCOMPARE(ruler.unit(), QStringLiteral("cm"));
    }

    void everyTabFollowsALanguageSwitch_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("settingsTabs");
        QTest::addColumn<QStringList>("aboutTabs");
        QTest::addColumn<QString>("scrollBack"); // the tab bars' scroll buttons, in English
        QTest::newRow("czech to english")
            << "czech.lng"
            << "english.lng" << QStringList{"General", "Measuring", "Units"}
            << QStringList{"Program", "Skin", "Language"} << "Scroll Left";
        QTest::newRow("english to german")
            << "english.lng"
            << "german.lng" << QStringList{"Allgemein", "Messen", "Einheiten"}
            << QStringList{"Programm", "Skin", "Sprache"} << "";
        QTest::newRow("german to czech")
            << "german.lng"
            << "czech.lng" << QStringList{"Obecné", "Měření", "Jednotky"}
            << QStringList{"Program", "Vzhled", "Jazyk"} << "";
    }

    // Every tab of both dialogs, shown before and after the switch, and the names of the tab
    // bars' scroll buttons, which the bar itself sets only once.
    void everyTabFollowsALanguageSwitch() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, settingsTabs);
        QFETCH(QStringList, aboutTabs);
        QFETCH(QString, scrollBack);
        startIn(from);
        for (QDialog *dialog : {static_cast<QDialog *>(nastaveni), static_cast<QDialog *>(about)}) {
            dialog->show();
            dialog->hide();
        }
        TLangTranslator *translator = ruler.form->Prekladac();
        translator->setLanguageFile(ruler.folder.filePath(QStringLiteral("jazyky/") + to));
        translator->Translate();
        QCoreApplication::processEvents();
        QCOMPARE(tabCaptions(nastaveni), settingsTabs);
        QCOMPARE(tabCaptions(about), aboutTabs);
        for (QDialog *dialog : {static_cast<QDialog *>(nastaveni), static_cast<QDialog *>(about)}) {
            dialog->show();
            QCOMPARE(tabCaptions(dialog), dialog == nastaveni ? settingsTabs : aboutTabs);
            const QTabBar *tabs = dialog->findChild<PageControl *>()->tabBar();
            const auto scroll = tabs->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly);
            QCOMPARE(scroll.size(), 2);
            QCOMPARE(scroll[0]->accessibleName(), QTabBar::tr("Scroll Left"));
            QCOMPARE(scroll[1]->accessibleName(), QTabBar::tr("Scroll Right"));
            if (!scrollBack.isEmpty())
                QCOMPARE(scroll[0]->accessibleName(), scrollBack);
            dialog->hide();
        }
    }

    void everyCaptionHasItsOwnAltKey_data() {
        QTest::addColumn<QString>("language");
        for (const char *language : {"czech.lng", "english.lng", "german.lng"})
            QTest::newRow(language) << language;
    }

    // On every page of both dialogs each captioned control in reach has an Alt key of its own,
    // and the key of a control's caption takes the focus to that control.
    void everyCaptionHasItsOwnAltKey() {
        QFETCH(QString, language);
        startIn(language);
        for (QDialog *dialog : {static_cast<QDialog *>(nastaveni), static_cast<QDialog *>(about)}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            auto *pages = dialog->findChild<PageControl *>();
            for (int page = 0; page < pages->count(); ++page) {
                pages->setCurrentIndex(page);
                QSet<QKeySequence> keys;
                for (const auto &[control, key] : reachableAccelerators(dialog)) {
                    const QString name = control ? control->objectName() : QStringLiteral("tab");
                    QVERIFY2(!key.isEmpty(), qPrintable(name + " has no Alt key"));
                    QVERIFY2(!keys.contains(key), qPrintable(name + " shares " + key.toString()));
                    keys.insert(key);
                }
                for (const auto &[control, key] : reachableAccelerators(dialog)) {
                    auto *label = qobject_cast<QLabel *>(control);
                    if (!label || !label->buddy()->isEnabled())
                        continue;
                    QTest::keySequence(dialog, key);
                    QVERIFY2(label->buddy()->hasFocus(), qPrintable(label->objectName()));
                }
            }
            dialog->hide();
        }
    }

    void keysTurnThePages_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        const int ctrl = Qt::ControlModifier;
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("ctrl+tab") << int(Qt::Key_Tab) << ctrl << 0 << 1;
        QTest::newRow("ctrl+tab round the end") << int(Qt::Key_Tab) << ctrl << 2 << 0;
        QTest::newRow("ctrl+shift+tab") << int(Qt::Key_Backtab) << ctrlShift << 1 << 0;
        QTest::newRow("ctrl+shift+tab round the start")
            << int(Qt::Key_Backtab) << ctrlShift << 0 << 2;
        QTest::newRow("ctrl+page down") << int(Qt::Key_PageDown) << ctrl << 1 << 2;
        QTest::newRow("ctrl+page down round the end") << int(Qt::Key_PageDown) << ctrl << 2 << 0;
        QTest::newRow("ctrl+page up") << int(Qt::Key_PageUp) << ctrl << 2 << 1;
        QTest::newRow("ctrl+page up round the start") << int(Qt::Key_PageUp) << ctrl << 0 << 2;
    }

    // In both dialogs, wherever the focus is.
    void keysTurnThePages() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, from);
        QFETCH(int, to);
        startIn(QStringLiteral("english.lng"));
        for (QDialog *dialog : {static_cast<QDialog *>(nastaveni), static_cast<QDialog *>(about)}) {
            dialog->show();
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QTRY_COMPARE(QApplication::activeWindow(), dialog);
            auto *pages = dialog->findChild<PageControl *>();
            pages->setCurrentIndex(from);
            QWidget *focus = dialog->findChild<QPushButton *>(QStringLiteral("buttonOK"));
            if (from == 1 && dialog == nastaveni)
                focus = dialog->findChild<QWidget *>(QStringLiteral("editRozliseniX"));
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(pages->currentIndex(), to);
            dialog->hide();
        }
    }

    void languageMovesAndSizesControls_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("x") << "x" << QRect(30, 0, 0, 0);
        QTest::newRow("y") << "Y" << QRect(0, 7, 0, 0);
        QTest::newRow("width") << "Width" << QRect(0, 0, 40, 0);
        QTest::newRow("height") << "height" << QRect(0, 0, 0, 12);
    }

    // Position and size show as read-only integers on a control; an item line still moves or
    // sizes it, and leaves the rest of its geometry alone.
    void languageMovesAndSizesControls() {
        QFETCH(QString, property);
        QFETCH(QRect, geometry);
        startIn(QStringLiteral("czech.lng"));
        auto *unit = ruler.control<QWidget>("buttonJednotka");
        const QRect before = unit->geometry();
        const int value = geometry.x() + geometry.y() + geometry.width() + geometry.height();
        ruler.write(QStringLiteral("jazyky/sized.lng"), "1=" + QByteArray::number(value) + "\r\n");
        TLangTranslator translator;
        translator.addForm(ruler.form.get());
        translator.setTemplate({"1: COMPONENT \"MainForm.buttonJednotka." + property + '"'});
        translator.setLanguageFile(ruler.folder.filePath(QStringLiteral("jazyky/sized.lng")));
        translator.Translate();
        const QRect after = unit->geometry();
        QCOMPARE(after.x(), geometry.x() ? geometry.x() : before.x());
        QCOMPARE(after.y(), geometry.y() ? geometry.y() : before.y());
        QCOMPARE(after.width(), geometry.width() ? geometry.width() : before.width());
        QCOMPARE(after.height(), geometry.height() ? geometry.height() : before.height());
    }
};

QTEST_MAIN(TestTranslationForms)
#include "tst_translation_forms.moc"
