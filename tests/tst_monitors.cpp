// The rules behind measuring on monitors of different densities: a monitor's identity, the
// density its size gives, the monitor a bar measures on, and what is stored for each monitor.

#include "TestFiles.h"
#include "core/screen/CompositorScaling.h"
#include "core/screen/Monitors.h"
#include "core/settings/IniFile.h"
#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<QPoint>)

namespace {

MonitorInfo monitor(const QString &identity, QPoint systemDpi = {96, 96}, QSizeF mm = {},
                    QSize pixels = {1920, 1080}) {
    return {identity, identity, QRect(QPoint(0, 0), pixels), pixels, mm, systemDpi};
}

} // namespace

class TestMonitors : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void identity_data() {
        QTest::addColumn<QStringList>("parts"); // maker, model, serial, output
        QTest::addColumn<QString>("identity");
        QTest::newRow("all reported")
            << QStringList{"Dell", "U2415", "7MT01", "DP-1"} << "Dell U2415 7MT01";
        QTest::newRow("no serial") << QStringList{"Dell", "U2415", "", "DP-1"} << "Dell U2415";
        QTest::newRow("nothing reported") << QStringList{"", "", "", "HDMI-1"} << "HDMI-1";
        QTest::newRow("blank parts count as none")
            << QStringList{" ", "\t", "", "eDP-1"} << "eDP-1";
        QTest::newRow("section breakers dropped")
            << QStringList{"[Acme]", "X=1;2", "", ""} << "Acme X12";
        QTest::newRow("line breaks dropped")
            << QStringList{"Acme\nCorp", "M", "", ""} << "AcmeCorp M";
    }
    void identity() {
        QFETCH(QStringList, parts);
        QFETCH(QString, identity);
        QCOMPARE(monitorIdentity(parts[0], parts[1], parts[2], parts[3]), identity);
    }

    void density_data() {
        QTest::addColumn<QSizeF>("mm");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<std::optional<QPoint>>("dpi");
        const std::optional<QPoint> none;
        QTest::newRow("24 inch full HD")
            << QSizeF(527, 296) << QSize(1920, 1080) << std::optional(QPoint(93, 93));
        // 1920 px over 500 mm is 97.54 per inch: rounded, not truncated.
        QTest::newRow("rounds") << QSizeF(500, 500) << QSize(1920, 1920)
                                << std::optional(QPoint(98, 98));
        QTest::newRow("no size") << QSizeF() << QSize(1920, 1080) << none;
        QTest::newRow("zero width") << QSizeF(0, 296) << QSize(1920, 1080) << none;
        QTest::newRow("zero height") << QSizeF(527, 0) << QSize(1920, 1080) << none;
        QTest::newRow("no pixels") << QSizeF(527, 296) << QSize() << none;
        // 100 px over 50.8 mm is exactly 50 per inch; a hair more millimetres is below it.
        QTest::newRow("least density")
            << QSizeF(50.8, 50.8) << QSize(100, 100) << std::optional(QPoint(50, 50));
        QTest::newRow("below least") << QSizeF(50.9, 50.9) << QSize(100, 100) << none;
        QTest::newRow("most density")
            << QSizeF(25.4, 25.4) << QSize(600, 600) << std::optional(QPoint(600, 600));
        QTest::newRow("above most") << QSizeF(25.4, 25.4) << QSize(601, 601) << none;
        QTest::newRow("aspect ratio as size") << QSizeF(16, 9) << QSize(1920, 1080) << none;
        QTest::newRow("centimetres as millimetres") << QSizeF(52, 29) << QSize(1920, 1080) << none;
        // 115 against 100: square enough; 116 against 100 is not.
        QTest::newRow("squareness limit")
            << QSizeF(25.4, 25.4) << QSize(115, 100) << std::optional(QPoint(115, 100));
        QTest::newRow("past squareness, across") << QSizeF(25.4, 25.4) << QSize(116, 100) << none;
        QTest::newRow("past squareness, down") << QSizeF(25.4, 25.4) << QSize(100, 116) << none;
    }
    void density() {
        QFETCH(QSizeF, mm);
        QFETCH(QSize, pixels);
        QFETCH(std::optional<QPoint>, dpi);
        QCOMPARE(plausibleDensity(mm, pixels), dpi);
    }

    void resolutionSource() {
        const MonitorInfo reporting = monitor("A", {96, 96}, {527, 296});
        const MonitorInfo silent = monitor("B", {120, 120});
        QCOMPARE(monitorResolution(reporting, QPoint(110, 111)),
                 (MonitorResolution{{110, 111}, ResolutionSource::Calibrated}));
        QCOMPARE(monitorResolution(reporting, {}),
                 (MonitorResolution{{93, 93}, ResolutionSource::Reported}));
        QCOMPARE(monitorResolution(silent, {}),
                 (MonitorResolution{{120, 120}, ResolutionSource::System}));
    }

    // XWayland's screen against the compositor's monitors: only a clear shortfall of pixels
    // means the compositor enlarges X11 windows.
    void compositorScaling_data() {
        QTest::addColumn<QSize>("xScreen");
        QTest::addColumn<QList<QSize>>("modes");
        QTest::addColumn<bool>("scales");
        const QSize full(3840, 2160);
        QTest::newRow("no compositor") << full << QList<QSize>{} << false;
        QTest::newRow("same pixels") << full << QList<QSize>{full} << false;
        QTest::newRow("200 %") << QSize(1920, 1080) << QList<QSize>{full} << true;
        QTest::newRow("125 %") << QSize(3072, 1728) << QList<QSize>{full} << true;
        // 10 % more pixels is rounding; one more pixel past that is scaling.
        QTest::newRow("at the tolerance")
            << QSize(1000, 1000) << QList<QSize>{{1100, 1000}} << false;
        QTest::newRow("one pixel past") << QSize(1000, 1000) << QList<QSize>{{1101, 1000}} << true;
        QTest::newRow("two monitors, one standing, none scaled")
            << QSize(3000, 1920) << QList<QSize>{{1920, 1080}, {1080, 1920}} << false;
        QTest::newRow("two monitors, one at 200 %")
            << QSize(3840, 1080) << QList<QSize>{{1920, 1080}, full} << true;
        QTest::newRow("two monitors, the one at 200 % listed first")
            << QSize(3840, 1080) << QList<QSize>{full, {1920, 1080}} << true;
        QTest::newRow("three monitors, the one at 200 % between")
            << QSize(5760, 1080) << QList<QSize>{{1920, 1080}, full, {1920, 1080}} << true;
    }
    void compositorScaling() {
        QFETCH(QSize, xScreen);
        QFETCH(QList<QSize>, modes);
        QFETCH(bool, scales);
        QCOMPARE(compositorScalesX11(xScreen, modes), scales);
    }

    void monitorUnderTheBar_data() {
        QTest::addColumn<QRect>("bar");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("obracene");
        QTest::addColumn<int>("monitor");
        // Left 0..799, right 800..1599, and one below the left at y 600..1199.
        QTest::newRow("on the left") << QRect(100, 100, 400, 60) << true << false << 0;
        QTest::newRow("spanning, zero on the left")
            << QRect(700, 100, 400, 60) << true << false << 0;
        QTest::newRow("spanning, zero on the right")
            << QRect(700, 100, 400, 60) << true << true << 1;
        QTest::newRow("zero on the last left pixel")
            << QRect(799, 100, 400, 60) << true << false << 0;
        QTest::newRow("zero on the first right pixel")
            << QRect(401, 100, 400, 60) << true << true << 1;
        QTest::newRow("vertical, zero above") << QRect(100, 500, 60, 400) << false << false << 0;
        QTest::newRow("vertical, zero below") << QRect(100, 500, 60, 400) << false << true << 2;
        QTest::newRow("zero off every monitor, centre on the right")
            << QRect(1400, 100, 400, 60) << true << true << 1;
        QTest::newRow("zero and centre off, overlaps the right")
            << QRect(1500, -50, 400, 60) << true << false << 1;
        QTest::newRow("off every monitor") << QRect(5000, 5000, 10, 10) << true << false << 0;
    }
    void monitorUnderTheBar() {
        QFETCH(QRect, bar);
        QFETCH(bool, horizontal);
        QFETCH(bool, obracene);
        QFETCH(int, monitor);
        const QList<QRect> monitors{QRect(0, 0, 800, 600), QRect(800, 0, 800, 600),
                                    QRect(0, 600, 800, 600)};
        QCOMPARE(monitorUnderBar(monitors, bar, horizontal, obracene), monitor);
        QCOMPARE(monitorUnderBar({}, bar, horizontal, obracene), -1);
    }

    // What the ruler starts with on a monitor, from the [Mereni] values of the file.
    void startingValues_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QPoint>("dpi");
        QTest::addColumn<int>("source");
        QTest::newRow("old file, calibrated")
            << QByteArray("[Mereni]\nRozliseni X=120\nRozliseni Y=118\n") << QPoint(120, 118)
            << int(ResolutionSource::Calibrated);
        QTest::newRow("old file, one direction calibrated")
            << QByteArray("[Mereni]\nRozliseni X=96\nRozliseni Y=118\n") << QPoint(96, 118)
            << int(ResolutionSource::Calibrated);
        QTest::newRow("old file, the system's values")
            << QByteArray("[Mereni]\nRozliseni X=96\nRozliseni Y=96\n") << QPoint(93, 93)
            << int(ResolutionSource::Reported);
        QTest::newRow("no file") << QByteArray() << QPoint(93, 93)
                                 << int(ResolutionSource::Reported);
        QTest::newRow("new file: [Mereni] is a copy of another monitor")
            << QByteArray("[Mereni]\nRozliseni X=140\nRozliseni Y=140\nMonitor=B\n")
            << QPoint(93, 93) << int(ResolutionSource::Reported);
        QTest::newRow("own section wins over [Mereni]")
            << QByteArray("[Mereni]\nRozliseni X=120\nRozliseni Y=120\n"
                          "[Monitor A]\nRozliseni X=101\nRozliseni Y=102\n")
            << QPoint(101, 102) << int(ResolutionSource::Calibrated);
        // An own section counts only with both values good; else [Mereni] holds.
        const QByteArray measured = "[Mereni]\nRozliseni X=120\nRozliseni Y=120\n";
        QTest::newRow("own section, good X and bad Y")
            << measured + "[Monitor A]\nRozliseni X=101\nRozliseni Y=abc\n"
            << QPoint(120, 120) << int(ResolutionSource::Calibrated);
        QTest::newRow("own section, bad X and good Y")
            << measured + "[Monitor A]\nRozliseni X=0\nRozliseni Y=102\n"
            << QPoint(120, 120) << int(ResolutionSource::Calibrated);
        QTest::newRow("own section, good X and no Y")
            << measured + "[Monitor A]\nRozliseni X=101\n"
            << QPoint(120, 120) << int(ResolutionSource::Calibrated);
    }
    void startingValues() {
        QFETCH(QByteArray, file);
        QFETCH(QPoint, dpi);
        QFETCH(int, source);
        const QString path = folder.filePath(QStringLiteral("start.ini"));
        QFile::remove(path);
        if (!file.isEmpty())
            writeFile(path, file);
        RulerState s;
        s.SouborNastaveni = path;
        s.JenCteni = true;
        QPoint place;
        NactiNastaveni(s, place, QLocale::c());
        startOnMonitor(s, monitor("A", {96, 96}, {527, 296}));
        QCOMPARE(QPoint(s.RozliseniX, s.RozliseniY), dpi);
        QCOMPARE(int(currentResolution(s).source), source);
    }

    // Calibrating one monitor leaves the other's values; typing its automatic values gives up
    // its own; the file keeps each monitor's values and [Mereni] those of the monitor in use.
    void eachMonitorKeepsItsOwn() {
        const QString path = folder.filePath(QStringLiteral("own.ini"));
        writeFile(path, "[Mereni]\nRozliseni X=96\nRozliseni Y=96\n[Monitor Gone]\n"
                        "Rozliseni X=0\n");
        RulerState s;
        s.SouborNastaveni = path;
        QPoint place;
        NactiNastaveni(s, place, QLocale::c());
        const MonitorInfo a = monitor("A", {96, 96}, {527, 296});
        const MonitorInfo b = monitor("B", {96, 96});
        startOnMonitor(s, a);
        setMonitorResolution(s, {110, 93});
        useMonitor(s, b);
        QCOMPARE(QPoint(s.RozliseniX, s.RozliseniY), QPoint(96, 96));
        chooseMonitorResolution(s, {130, 130});
        useMonitor(s, a);
        QCOMPARE(QPoint(s.RozliseniX, s.RozliseniY), QPoint(110, 93));
        QVERIFY(UlozNastaveni(s, QRect(0, 0, 400, 60)));

        const IniFile ini(path);
        QCOMPARE(ini.readInteger("Monitor A", "Rozliseni X", 0), 110);
        QCOMPARE(ini.readInteger("Monitor B", "Rozliseni Y", 0), 130);
        QVERIFY(!ini.sectionExists("Monitor Gone"));
        QCOMPARE(ini.readInteger("Mereni", "Rozliseni X", 0), 110);
        QCOMPARE(ini.readString("Mereni", "Monitor", ""), QStringLiteral("A"));

        // Back to what the monitor reports: its own section goes.
        chooseMonitorResolution(s, {93, 93});
        QCOMPARE(currentResolution(s).source, ResolutionSource::Reported);
        chooseMonitorResolution(s, {93, 93}); // unchanged: nothing happens
        QVERIFY(!s.ownResolutions.contains("A"));
        QVERIFY(UlozNastaveni(s, QRect(0, 0, 400, 60)));
        QVERIFY(!IniFile(path).sectionExists("Monitor A"));
        QVERIFY(IniFile(path).sectionExists("Monitor B"));
    }

    // A file that never knew monitors, used on a monitor at the system's values, is written
    // as it was: no key and no section appear.
    void oldFileStaysAsItWas() {
        const QString path = folder.filePath(QStringLiteral("old.ini"));
        const QByteArray old = "[Obecne]\r\nX=10\r\nY=20\r\nDelka=400\r\nPoloha=Horizontalni\r\n"
                               "Obracene=Ne\r\nJazyk=czech.lng\r\nVzhled=Funny\r\n"
                               "Vzdy nahore=Ne\r\nPruhlednost=255\r\n[Mereni]\r\nJednotka=0\r\n"
                               "Rozliseni X=96\r\nRozliseni Y=96\r\n";
        writeFile(path, old);
        RulerState s;
        s.SouborNastaveni = path;
        QPoint place;
        NactiNastaveni(s, place, QLocale::c());
        startOnMonitor(s, monitor("A"));
        QVERIFY(UlozNastaveni(s, QRect(place, QSize(400, 60))));
        QCOMPARE(readFile(path), old);
    }
};

QTEST_GUILESS_MAIN(TestMonitors)
#include "tst_monitors.moc"
