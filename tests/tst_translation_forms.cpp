// The shipped definition file against the live windows: every item it names must exist, and
// the running ruler must follow each shipped language.

#include "RulerFixture.h"
#include "core/translation/LangTranslator.h"
#include "forms/about/AboutForm.h"
#include "forms/ruler/UnitMenuItem.h"
#include "forms/settings/NastaveniForm.h"

#include <QAccessible>
#include <QMetaProperty>

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
            QCOMPARE(ruler.form->PolozkyJednotek().at(2)->text(), inchName);
        QCOMPARE(QGuiApplication::applicationDisplayName(), ruler.form->windowTitle());
    }

    void switchingTheRunningRuler() {
        startIn(QStringLiteral("english.lng"));
        TLangTranslator *translator = ruler.form->Prekladac();
        const QString jazyky = ruler.folder.filePath(QStringLiteral("jazyky/"));
        auto *rotate = ruler.control<QWidget>("buttonHorizVert");
        QCOMPARE(rotate->toolTip(), QStringLiteral("Switch between horizontal and vertical"));

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
