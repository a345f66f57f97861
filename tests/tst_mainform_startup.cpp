// Starting and ending the ruler window: where it opens, what the switches and the settings file
// do to it, how a skin dresses it, and what it saves at the end.

#include "RulerFixture.h"
#include "widgets/CoolForm.h"

#include <QImage>
#include <QtEndian>

class TestMainFormStartup : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void firstRunOpensAtHomeAndSavesEverythingInOrder() {
        RulerFixture ruler;
        ruler.start();
        QCOMPARE(ruler.form->pos(), QPoint(211, 118));
        QCOMPARE(ruler.form->size(), QSize(472, 64)); // the drawn default skin is 64 thick
        QCOMPARE(ruler.reading(), QStringLiteral("0"));
        QCOMPARE(ruler.unit(), QStringLiteral("px"));
        QVERIFY(ruler.form->windowFlags() & Qt::FramelessWindowHint);
        ruler.form->move(300, 200);
        ruler.stop();

        const QString saved = QString::fromUtf8(ruler.read(QStringLiteral("tavlinko.ini")));
        const QStringList expectedOrder = {"[Jednotky]",
                                           "1=Pixel;px;1;0;5",
                                           "[Obecne]",
                                           "X=300",
                                           "Y=200",
                                           "Delka=472",
                                           "Poloha=Horizontalni",
                                           "Obracene=Ne",
                                           "Jazyk=english.lng",
                                           "Vzhled=Funny",
                                           "Vzdy nahore=Ne",
                                           "Pruhlednost=255",
                                           "[Mereni]",
                                           "Jednotka=0",
                                           "Rozliseni X=",
                                           "Rozliseni Y="};
        qsizetype at = 0;
        for (const QString &piece : expectedOrder) {
            const qsizetype found = saved.indexOf(piece, at);
            QVERIFY2(found >= 0, qPrintable(piece + " missing or out of order in\n" + saved));
            at = found;
        }
    }

    void switchesAndStoredValuesShapeTheWindow_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("unit");
        QTest::newRow("vertical switch")
            << QByteArray() << QStringList{"-vertical"} << QRect(211, 118, 90, 472) << "px";
        QTest::newRow("stored place, length and unit")
            << QByteArray("[Obecne]\r\nX=40\r\nY=50\r\nDelka=600\r\n[Mereni]\r\nJednotka=2\r\n")
            << QStringList() << QRect(40, 50, 600, 64) << "in";
        QTest::newRow("unit beyond the units starts in pixels")
            << QByteArray("[Mereni]\r\nJednotka=99\r\n") << QStringList()
            << QRect(211, 118, 472, 64) << "px";
        QTest::newRow("stored vertical")
            << QByteArray("[Obecne]\r\nPoloha=Vertikalni\r\nDelka=300\r\n") << QStringList()
            << QRect(211, 118, 90, 300) << "px";
        QTest::newRow("stored length beyond the longest window")
            << QByteArray("[Obecne]\r\nDelka=40000\r\n[Mereni]\r\nJednotka=3\r\n") << QStringList()
            << QRect(211, 118, 32767, 64) << "%";
        QTest::newRow("stored length below the shortest window")
            << QByteArray("[Obecne]\r\nDelka=5\r\n[Mereni]\r\nJednotka=3\r\n") << QStringList()
            << QRect(211, 118, 20, 64) << "%";
    }

    void switchesAndStoredValuesShapeTheWindow() {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, arguments);
        QFETCH(QRect, geometry);
        QFETCH(QString, unit);
        RulerFixture ruler;
        if (!ini.isEmpty())
            ruler.write(QStringLiteral("tavlinko.ini"), ini);
        ruler.start(arguments);
        QCOMPARE(QRect(ruler.form->pos(), ruler.form->size()), geometry);
        QCOMPARE(ruler.unit(), unit);
        const bool vertical = !ruler.state.Horizontalni;
        QCOMPARE(ruler.control<ImageControl>("imageVelikost")->cursor().shape(),
                 vertical ? Qt::SizeVerCursor : Qt::SizeHorCursor);
        const QSize strip = ruler.control<ImageControl>("imageMeritko")->size();
        QCOMPARE(strip, vertical ? QSize(35, geometry.height()) : QSize(geometry.width(), 20));
        // 100 % lies at the far end of the window as it really is.
        QCOMPARE(ruler.state.Jednotky[UnitPercent].Pixelu, ruler.length() / 100.0);
    }

    void invertedSwitchNumbersFromTheFarEnd() {
        RulerFixture ruler;
        ruler.start({QStringLiteral("/INVERTED")});
        QVERIFY(ruler.state.Obracene);
        // Pixels on 472: the far end is zero, so tick 0 stands at the right edge and the
        // leftmost tick (n = 94) at x = 2.
        const QImage scale = ruler.control<ImageControl>("imageMeritko")->picture();
        QCOMPARE(scale.pixelColor(471, 0).alpha(), 0); // x = 472 lies beyond the strip
        QVERIFY(scale.pixelColor(2, 0).alpha() > 0);
        QCOMPARE(scale.pixelColor(0, 0).alpha(), 0);
        ruler.press(100);
        QCOMPARE(ruler.reading(), QStringLiteral("372"));
    }

    void readOnlyLeavesTheFileUntouched() {
        RulerFixture ruler;
        const QByteArray stored("[Obecne]\r\nX=5\r\nY=6\r\n[Jednotky]\r\n1=Pixel;px;1;0;5\r\n");
        ruler.write(QStringLiteral("tavlinko.ini"), stored);
        ruler.start({QStringLiteral("-readonly"), QStringLiteral("-vertical")});
        QVERIFY(!ruler.state.Horizontalni);
        ruler.form->move(400, 400);
        ruler.stop();
        QCOMPARE(ruler.read(QStringLiteral("tavlinko.ini")), stored);
    }

    void skinDressesTheRuler() {
        RulerFixture ruler;
        ruler.write(QStringLiteral("skin/Plain/skin.ini"),
                    "[Horizontal]\r\nrule.height=50\r\nButtonExit.x=-30\r\nNumber.x=100\r\n"
                    "Number.y=20\r\n[Colors]\r\nNumber.color=clRed\r\nMeter.color=$FF0000\r\n");
        QImage exit(26, 20, QImage::Format_RGB32);
        exit.fill(Qt::green);
        exit.setPixelColor(0, 19, Qt::magenta); // the key colour, bottom-left
        QVERIFY(exit.save(ruler.folder.filePath(QStringLiteral("skin/Plain/b5.bmp")), "BMP"));
        ruler.start({QStringLiteral("/skin:Plain")});

        QCOMPARE(ruler.form->height(), 50);
        auto *exitButton = ruler.control<ImageControl>("buttonKonec");
        QCOMPARE(exitButton->pos(), QPoint(472 - 30 - 26, 38));
        QCOMPARE(exitButton->picture().pixelColor(0, 19).alpha(), 0);
        QCOMPARE(exitButton->picture().pixelColor(5, 5), QColor(Qt::green));
        auto *label = ruler.control<QLabel>("labelMeridlo");
        QCOMPARE(label->x() + label->width(), 100);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
        // Ticks in the skin's colour (blue, given as 0x00BBGGRR); the bar is the yellow default.
        const QImage scale = ruler.control<ImageControl>("imageMeritko")->picture();
        QCOMPARE(scale.pixelColor(5, 0), QColor(Qt::blue));
        const QImage bar = ruler.control<TCoolForm>("CoolForm")->picture();
        QCOMPARE(bar.pixelColor(200, 45), QColor(Qt::yellow));

        // A longer reading grows to the left; the right edge stays where the skin put it.
        ruler.press(400);
        QCOMPARE(label->x() + label->width(), 100);
    }

    void shippedSkinsSetTheUnitOnTheReadingsBaseline_data() {
        QTest::addColumn<QString>("skin");
        for (const char *skin : {"Funny", "Night", "Wood"})
            QTest::newRow(skin) << skin;
    }

    // The lying bar shows the reading and its unit side by side; they read as one line only
    // when their letters stand on the same baseline.
    void shippedSkinsSetTheUnitOnTheReadingsBaseline() {
        QFETCH(QString, skin);
        RulerFixture ruler;
        const QDir shipped(QStringLiteral(TAVLINKO_SOURCE_DIR "/data/skin/") + skin);
        QDir().mkpath(ruler.folder.filePath(QStringLiteral("skin/") + skin));
        for (const QString &file : shipped.entryList(QDir::Files))
            QVERIFY(
                QFile::copy(shipped.filePath(file),
                            ruler.folder.filePath(QStringLiteral("skin/%1/%2").arg(skin, file))));
        ruler.start({QStringLiteral("/skin:") + skin});
        ruler.press(123);
        const auto baseline = [](const QLabel *label) {
            const QFontMetrics metrics(label->font());
            return label->y() + (label->height() - metrics.height()) / 2 + metrics.ascent();
        };
        const int reading = baseline(ruler.control<QLabel>("labelMeridlo"));
        const int unit = baseline(ruler.control<QLabel>("buttonJednotka"));
        QVERIFY2(std::abs(reading - unit) <= 1,
                 qPrintable(QStringLiteral("reading on %1, unit on %2").arg(reading).arg(unit)));
    }

    void brokenSkinIsReportedAndTheRulerStillWorks() {
        RulerFixture ruler;
        ruler.write(QStringLiteral("skin/Broken/start.bmp"), "this is no bitmap");
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nVzhled=Broken\r\n");
        // The error box is modal; answer it as a user would.
        QTimer::singleShot(0, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        ruler.start();
        QCOMPARE(ruler.form->size(), QSize(472, 64));
        ruler.press(50);
        QCOMPARE(ruler.reading(), QStringLiteral("50"));
        QVERIFY(!ruler.control<TCoolForm>("CoolForm")->picture().isNull());
    }

    void coolFormKeepsToTheCornerAndMovesTheWindow() {
        RulerFixture ruler;
        ruler.start();
        auto *cool = ruler.control<TCoolForm>("CoolForm");
        cool->setProperty("top", 25);
        cool->setProperty("left", 25);
        QCOMPARE(cool->pos(), QPoint(0, 0));
        cool->setProperty("width", 100);
        QCOMPARE(cool->width(), 100);
        QCOMPARE(cool->writeMask2(), QByteArray(4, '\0'));
        QVERIFY(ruler.form->mask().isEmpty());

        // A right press does nothing; a left press drags the whole window along.
        const QPoint start = ruler.form->pos();
        QTest::mousePress(cool, Qt::RightButton, {}, QPoint(60, 40));
        QTest::mouseMove(cool, QPoint(90, 50));
        QTest::mouseRelease(cool, Qt::RightButton, {}, QPoint(90, 50));
        QCOMPARE(ruler.form->pos(), start);
    }

    void storedRegionRoundTrips() {
        RulerFixture ruler;
        ruler.start();
        auto *cool = ruler.control<TCoolForm>("CoolForm");
        const QRegion shape = QRegion(0, 0, 100, 40) + QRegion(10, 40, 50, 20);
        QByteArray stored(4, '\0');
        const QByteArray data = TCoolForm::regionData(shape);
        qToLittleEndian<quint32>(quint32(data.size()), stored.data());
        cool->readMask2(stored + data);
        QCOMPARE(cool->mask(), shape);
        QCOMPARE(cool->writeMask2(), stored + data);
        // Junk of any size leaves the window rectangular instead of failing.
        cool->readMask2(QByteArray("\x40\0\0\0garbage", 11));
        QVERIFY(cool->mask().isEmpty());
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, TCoolForm{cool});
    }
};

QTEST_MAIN(TestMainFormStartup)
#include "tst_mainform_startup.moc"
