// The letters that reach the entries of the ruler's menus and the controls of its small dialogs
// with the keyboard: one for each, none twice where they are in reach together, in every shipped
// language and after a change of language.

#include "RulerFixture.h"
#include "core/translation/LangTranslator.h"
#include "forms/ruler/UnitMenuItem.h"
#include "widgets/Accelerators.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

// The letter a caption's "&" marks, lower case; nothing without one.
QChar letterOf(const QString &caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (caption[i + 1] != u'&')
                return caption[i + 1].toLower();
            ++i;
        }
    }
    return {};
}

// Every caption has a letter of its own. Returns the letters.
QString checkLetters(const QStringList &captions) {
    QString letters;
    for (const QString &caption : captions) {
        const QChar letter = letterOf(caption);
        if (letter.isNull() || letters.contains(letter)) {
            qWarning() << "no letter of its own:" << caption << "among" << captions;
            return {};
        }
        letters += letter;
    }
    return letters;
}

// The captions of a menu's shown entries, each menu on its own.
QList<QStringList> menuCaptions(QMenu *menu) {
    QStringList captions;
    QList<QStringList> all;
    for (QAction *entry : menu->actions()) {
        if (entry->isSeparator() || !entry->isVisible())
            continue;
        captions << entry->text();
        if (entry->menu())
            all << menuCaptions(entry->menu());
    }
    all.prepend(captions);
    return all;
}

} // namespace

class TestAccessKeys : public QObject {
    Q_OBJECT

    RulerFixture ruler;

    void useLanguage(const QString &file) {
        if (file.isEmpty())
            return;
        ruler.form->Prekladac()->setLanguageFile(ruler.folder.filePath("jazyky/" + file));
        ruler.form->Prekladac()->Translate();
    }

    // Opens the menu as the user does, and closes it again.
    void showAndClose(QMenu *menu) {
        menu->popup(QPoint(10, 10));
        QTRY_VERIFY(menu->isVisible());
        menu->close();
    }

    // The captions of the next dialog the action opens, which is closed again.
    QStringList dialogCaptions(const char *action) {
        QStringList captions;
        // A moment after it shows, as the user sees it.
        QTimer::singleShot(100, [&captions] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            for (QLabel *label : dialog->findChildren<QLabel *>())
                if (label->buddy())
                    captions << label->text();
            for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
                if (!button->text().isEmpty())
                    captions << button->text();
            static_cast<QDialog *>(dialog)->reject();
        });
        ruler.trigger(action);
        return captions;
    }

private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        ruler.shipLanguages();
        ruler.write(QStringLiteral("tavlinko.ini"),
                    "[Obecne]\r\nX=300\r\nY=200\r\nJazyk=czech.lng\r\n");
    }
    void cleanup() {
        ruler.stop();
        QDir(ruler.folder.filePath(QStringLiteral("jazyky"))).removeRecursively();
    }

    void everyEntryHasALetterOfItsOwn_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("firstEntry");
        QTest::newRow("czech") << ""
                               << "Kopírovat vzdálenost do schránky";
        QTest::newRow("english") << "english.lng"
                                 << "Copy distance to clipboard";
        QTest::newRow("german") << "german.lng"
                                << "";
    }
    void everyEntryHasALetterOfItsOwn() {
        QFETCH(QString, language);
        QFETCH(QString, firstEntry);
        ruler.start();
        RulerMenus &menus = partOf<RulerMenus>(ruler.form);
        // Shown once in Czech first: the letters must follow the change of language.
        showAndClose(menus.functionMenu());
        showAndClose(menus.unitMenu());
        useLanguage(language);

        showAndClose(menus.functionMenu());
        const QList<QStringList> functionMenus = menuCaptions(menus.functionMenu());
        QCOMPARE(functionMenus.size(), 2); // the markers have a menu of their own
        for (const QStringList &captions : functionMenus)
            QVERIFY(!checkLetters(captions).isEmpty());
        if (!firstEntry.isEmpty()) {
            QString shown = functionMenus.first().first();
            QCOMPARE(shown.remove(u'&'), firstEntry);
        }

        showAndClose(menus.unitMenu());
        const QStringList units = menuCaptions(menus.unitMenu()).first();
        QCOMPARE(units.size(), int(ruler.state.Jednotky.size()));
        QStringList named;
        for (const QString &unit : units)
            if (unit != QLatin1String("-"))
                named << unit;
        QVERIFY(!checkLetters(named).isEmpty());

        // A unit's letter chooses it, although the menu draws its entries itself: the last
        // one with a letter every keyboard has.
        qsizetype chosen = units.size() - 1;
        while (chosen > 0 && letterOf(units[chosen]).toLatin1() == 0)
            --chosen;
        QVERIFY(ruler.state.Jednotka != int(chosen));
        QMenu *unitMenu = menus.unitMenu();
        unitMenu->popup(QPoint(10, 10));
        QTRY_VERIFY(unitMenu->isVisible());
        QTest::keyClick(unitMenu, letterOf(units[chosen]).toLatin1());
        QTRY_VERIFY(!unitMenu->isVisible());
        QCOMPARE(ruler.state.Jednotka, int(chosen));

        // The dialogs of the known length and of the edges' sensitivity.
        ruler.press(100);
        ruler.press(200, Qt::ControlModifier);
        for (const char *action : {"menuZnamaDelka", "menuToleranceHran"}) {
            const QStringList captions = dialogCaptions(action);
            QVERIFY2(captions.size() >= 3, action);
            QVERIFY2(!checkLetters(captions).isEmpty(), action);
        }
        QVERIFY(ruler.messages.isEmpty());
    }

    // Letters go to what the user can reach: a hidden entry (a unit deleted since) takes none
    // from a shown one, and a dialog has its letters as soon as it is given them, shown or not.
    void lettersGoOnlyToWhatIsInReach() {
        QMenu menu;
        QAction *hidden = menu.addAction(QStringLiteral("Alpha"));
        hidden->setVisible(false);
        menu.addSeparator();
        QAction *shown = menu.addAction(QStringLiteral("Apple"));
        assignAccelerators(&menu);
        QCOMPARE(shown->text(), QStringLiteral("&Apple"));
        QCOMPARE(hidden->text(), QStringLiteral("Alpha"));

        QDialog dialog;
        auto *button = new QPushButton(QStringLiteral("Apply"), &dialog);
        assignAccelerators(&dialog);
        QCOMPARE(button->text(), QStringLiteral("&Apply"));
    }
};

QTEST_MAIN(TestAccessKeys)
#include "tst_accesskeys.moc"
