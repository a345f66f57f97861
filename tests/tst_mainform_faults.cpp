// The ruler started on files that are broken, special or hostile: it starts, says what went
// wrong once, and loses nothing.

#include "RulerFixture.h"
#include "core/settings/TextFile.h"
#include "core/translation/LangTranslator.h"

#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace {

// Answers every modal box that opens while it lives, as a user would, and keeps its text.
class BoxAnswerer {
public:
    BoxAnswerer() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->close();
            }
        });
        m_timer.start(0);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

} // namespace

class TestMainFormFaults : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void leftoverSavesGoUnlessReadOnly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("removed");
        QTest::newRow("normal start") << QStringList() << true;
        QTest::newRow("read-only") << QStringList{"-readonly"} << false;
    }
    void leftoverSavesGoUnlessReadOnly() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, removed);
        RulerFixture ruler;
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nDelka=300\r\n");
        ruler.write(QStringLiteral("tavlinko.ini.Ab12Cd.tmp"), "[Obecne]\r\nDelka=300\r\n");
        ruler.start(arguments);
        QCOMPARE(QFileInfo::exists(ruler.folder.filePath("tavlinko.ini.Ab12Cd.tmp")), !removed);
    }

    // A bad line in a language file is reported once; start-up goes on to the units and the
    // skin, the texts before the line stay, and a settings save that fails afterwards is
    // reported like any other instead of ending the program.
    void badLanguageLine() {
        RulerFixture ruler;
        ruler.shipLanguages();
        QByteArray english = ruler.read(QStringLiteral("jazyky/english.lng"));
        english.replace("\n14=", "\n14a=x\n14=");
        ruler.write(QStringLiteral("jazyky/english.lng"), english);
        ruler.write(QStringLiteral("skin/Funny/skin.ini"), "[Horizontal]\r\nrule.height=40\r\n");
        // Beyond the size cap, so it can be neither read nor replaced.
        const QByteArray settings =
            "[Obecne]\r\nJazyk=english.lng\r\n" + QByteArray(TextFileSizeCap, ';') + "\r\n";
        ruler.write(QStringLiteral("tavlinko.ini"), settings);

        ruler.state = RulerState();
        ruler.state.CestaProgramu = ruler.folder.path() + QLatin1Char('/');
        BoxAnswerer boxes;
        ruler.form = std::make_unique<TMainForm>(ruler.state, QStringList());
        ruler.form->showMessage = [&](QMessageBox::Icon, const QString &text) {
            ruler.messages << text;
        };
        ruler.form->show();
        QCOMPARE(boxes.texts, QStringList());
        QCOMPARE(ruler.messages, QStringList{"'14A' is not a valid integer value"});
        QCOMPARE(ruler.form->height(), 40);
        QCOMPARE(ruler.form->windowTitle(), QStringLiteral("Tavlinko"));
        QCOMPARE(ruler.form->findChild<QAction *>("menuKopirovat")->text(),
                 QStringLiteral("Copy distance to clipboard"));
        QCOMPARE(ruler.form->findChild<QAction *>("menuUlozit")->text(),
                 QStringLiteral("Uložit vzdálenosti do souboru"));
        ruler.stop();
        QCOMPARE(ruler.messages.size(), 2);
        QVERIFY2(ruler.messages[1].startsWith(QStringLiteral("Nastavení nelze uložit")),
                 qPrintable(ruler.messages[1]));
        QCOMPARE(ruler.read(QStringLiteral("tavlinko.ini")), settings);
    }

    void storedPlaceOffEveryScreen_data() {
        QTest::addColumn<QByteArray>("place");
        QTest::newRow("largest integers") << QByteArray("X=2147483647\r\nY=2147483647");
        QTest::newRow("smallest integers") << QByteArray("X=-2147483648\r\nY=-2147483648");
        QTest::newRow("a monitor since unplugged") << QByteArray("X=3000\r\nY=200");
    }
    void storedPlaceOffEveryScreen() {
        QFETCH(QByteArray, place);
        RulerFixture ruler;
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\n" + place + "\r\n");
        ruler.start();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY2(screen.contains(ruler.form->geometry()),
                 qPrintable(QStringLiteral("%1,%2").arg(ruler.form->x()).arg(ruler.form->y())));
    }

    // A skin named by a path in the settings file is not taken from outside the skin folder.
    void skinPathFromTheSettingsFile() {
        RulerFixture ruler;
        ruler.write(QStringLiteral("outside/skin.ini"), "[Horizontal]\r\nrule.height=30\r\n");
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nVzhled=../outside\r\n");
        ruler.start();
        QCOMPARE(ruler.form->height(), 64);
    }
};

QTEST_MAIN(TestMainFormFaults)
#include "tst_mainform_faults.moc"
