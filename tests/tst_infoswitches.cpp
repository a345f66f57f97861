#include <QtTest>

#include "core/settings/InfoSwitches.h"

class TestInfoSwitches : public QObject {
    Q_OBJECT
private slots:
    void request_data();
    void request();
    void answers();
};

void TestInfoSwitches::request_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("expected");

    const int none = int(InfoRequest::None);
    const int usage = int(InfoRequest::Usage);
    const int version = int(InfoRequest::Version);
    QTest::newRow("nothing") << QStringList{} << none;
    QTest::newRow("--help") << QStringList{"--help"} << usage;
    QTest::newRow("-h") << QStringList{"-h"} << usage;
    QTest::newRow("--version") << QStringList{"--version"} << version;
    QTest::newRow("after switches") << QStringList{"-vertical", "-skin:Wood", "-h"} << usage;
    QTest::newRow("the first one counts") << QStringList{"--version", "--help"} << version;
    // The ruler's switches ignore letter case and take "/" too; these are no requests, so that
    // they keep meaning what the switches make of them.
    QTest::newRow("-H") << QStringList{"-H"} << none;
    QTest::newRow("--HELP") << QStringList{"--HELP"} << none;
    QTest::newRow("/h") << QStringList{"/h"} << none;
    QTest::newRow("-help") << QStringList{"-help"} << none;
    QTest::newRow("--helpme") << QStringList{"--helpme"} << none;
    QTest::newRow("--version=1") << QStringList{"--version=1"} << none;
    QTest::newRow("a file named -h.ini") << QStringList{"-config:-h"} << none;
}

void TestInfoSwitches::request() {
    QFETCH(QStringList, arguments);
    QFETCH(int, expected);
    QCOMPARE(int(infoRequest(arguments)), expected);
}

void TestInfoSwitches::answers() {
    QCOMPARE(infoText(InfoRequest::Version, "3.0"), QString("tavlinko 3.0\n"));
    QVERIFY(infoText(InfoRequest::None, "3.0").isEmpty());
    const QString usage = infoText(InfoRequest::Usage, "3.0");
    for (const char *option : {"-config:FILE", "-readonly", "-vertical", "-inverted",
                               "-language:NAME", "-skin:NAME", "--help", "--version"})
        QVERIFY2(usage.contains(option), option);
    // A terminal of 80 columns shows every line whole.
    for (const QString &line : usage.split(u'\n'))
        QVERIFY2(line.size() <= 80, qPrintable(line));
    QVERIFY(usage.endsWith(u'\n'));
}

QTEST_GUILESS_MAIN(TestInfoSwitches)
#include "tst_infoswitches.moc"
