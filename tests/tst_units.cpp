#include "TestFiles.h"
#include <QtTest>

#include "core/settings/IniFile.h"
#include "core/settings/RulerState.h"
#include "core/units/Units.h"

namespace {

const QStringList builtIns = {"Pixel;px;1;0;5", "Centimetr;cm;1;1;0.1", "Palec;in;1;2;0.1",
                              QString::fromUtf16(u"Procenta délky;%;1;3;1")};

// A unit in a form that does not depend on the locale.
QString describe(const tjednotka &u) {
    return QStringList{u.Nazev, u.Znacka, QString::number(u.Hodnota), QString::number(u.Zaklad),
                       QString::number(u.Carka)}
        .join(u';');
}

QStringList describe(const QVector<tjednotka> &units) {
    QStringList list;
    for (const tjednotka &u : units)
        list << describe(u);
    return list;
}

} // namespace

class TestUnits : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech)); }
    void nextField_data();
    void nextField();
    void numbers_data();
    void numbers();
    void parsing_data();
    void parsing();
    void loading_data();
    void loading();
    void roundTrip_data();
    void roundTrip();
    void savingReplacesTheList();
    void pixelFactors_data();
    void pixelFactors();
    void storedLengthServesOnce();
};

void TestUnits::nextField_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("rest");

    QTest::newRow("first of several") << "Stopa;ft;12"
                                      << "Stopa"
                                      << "ft;12";
    QTest::newRow("empty field") << ";ft"
                                 << ""
                                 << "ft";
    QTest::newRow("last") << "12"
                          << "12"
                          << "12";
    QTest::newRow("trailing separator") << "12;"
                                        << "12"
                                        << "";
}

void TestUnits::nextField() {
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(QString, rest);
    QCOMPARE(DalsiPole(line), field);
    QCOMPARE(line, rest);
}

void TestUnits::numbers_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    const QLocale cs(QLocale::Czech), en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("cs fraction") << cs << 0.05 << "0,05";
    QTest::newRow("en fraction") << en << 0.05 << "0.05";
    QTest::newRow("whole") << cs << 12.0 << "12";
    QTest::newRow("no group separator") << en << 1234567.0 << "1234567";
    QTest::newRow("fifteen digits") << en << 96 / 2.54 << "37.7952755905512";
    QTest::newRow("third") << cs << 1 / 3.0 << "0,333333333333333";
}

void TestUnits::numbers() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    QCOMPARE(formatUnitNumber(value), text);
    bool ok = false;
    QCOMPARE(parseUnitNumber(text, &ok), QString::number(value, 'g', 15).toDouble());
    QVERIFY(ok);
    QLocale::setDefault(QLocale(QLocale::Czech));
}

void TestUnits::parsing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    QTest::newRow("comma") << "0,5" << true << 0.5;
    QTest::newRow("point") << "0.5" << true << 0.5;
    QTest::newRow("exponent") << "1E-5" << true << 1e-5;
    QTest::newRow("negative") << "-2,5" << true << -2.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("word") << "abc" << false << 0.0;
    QTest::newRow("two separators") << "1.000,5" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
}

void TestUnits::parsing() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    bool converted = !ok;
    QCOMPARE(parseUnitNumber(text, &converted), value);
    QCOMPARE(converted, ok);
}

void TestUnits::loading_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("units");

    QTest::newRow("no section") << QByteArray("[Obecne]\nDelka=3\n") << builtIns;
    QTest::newRow("fourth key missing ends the list")
        << QByteArray("[Jednotky]\n1=A;a;1;0;2\n2=B;b;1;1;0,2\n3=C;c;1;2;0,3\n5=X;x;1;0;1\n")
        << QStringList{"Pixel;px;1;0;2", "Centimetr;cm;1;1;0.2", "Palec;in;1;2;0.3", builtIns[3]};
    const QByteArray four = "[Jednotky]\n1=Pixel;px;1;0;5\n2=Centimetr;cm;1;1;0,25\n"
                            "3=Palec;in;7;0;2\n4=Procenta d\xc3\xa9lky;%;1;3;1\n";
    const QStringList fourUnits = {builtIns[0], "Centimetr;cm;1;1;0.25", "Palec;in;1;2;2",
                                   builtIns[3]};
    QTest::newRow("built-in size and base forced") << four << fourUnits;
    QTest::newRow("N/A ends the list") << four + "5=N/A\n6=Y;y;1;0;1\n" << fourUnits;

    const auto user = [&](const QByteArray &line, const QString &unit) {
        QTest::newRow(line.constData()) << four + "5=" + line + "\n"
                                        << fourUnits + QStringList{unit};
    };
    user("Dm;dm;10;1;0.05", "Dm;dm;10;1;0.05");
    user("Dm;dm;10;1;", "Dm;dm;10;1;0.25");  // tick of the base
    user("Dm;dm;10;1;0", "Dm;dm;10;1;0.25"); // a zero tick would never end a scale
    user("Dm;dm;10;2;-1", "Dm;dm;10;2;2");   // nor would a negative one
    user("Dm;dm;abc;1;1", "Dm;dm;1;1;1");    // garbage size: the unit equals its base
    user("Dm;dm;;1;1", "Dm;dm;1;1;1");       // empty size
    user("Dm;dm;0;1;1", "Dm;dm;1;1;1");      // zero size
    user("Dm;dm;10;7;1", "Dm;dm;10;0;1");    // base beyond the built-in units
    user("Dm;dm;10;257;1", "Dm;dm;10;0;1");  // no wrap into a valid base
    user("Dm;dm;10;x;1", "Dm;dm;10;0;1");    // base not a number
    user("Dm;dm", "Dm;dm;1;0;5");            // short line: missing fields stay empty
    user("Dm", "Dm;;1;0;5");                 // name only
    user("-;Xx;1;0;10", "-;Xx;1;0;10");      // separator

    QTest::newRow("blank entries inside the list")
        << QByteArray("[Jednotky]\n1=Pixel;px;1;0;5\n2=\n3=Palec;in;1;2;0,1\n4=%;%;1;3;1\n"
                      "5=\n6=Y;y;2;0;1\n7=\n")
        << QStringList{builtIns[0], builtIns[1],   builtIns[2],
                       "%;%;1;3;1", "-;Xx;1;0;10", "Y;y;2;0;1"};

    QByteArray many = "[Jednotky]\n";
    QStringList first100 = builtIns;
    for (int i = 1; i <= 101; ++i) {
        if (i <= 4)
            many += QByteArray::number(i) + "=" + builtIns[i - 1].toUtf8() + "\n";
        else
            many += QByteArray::number(i) + "=U" + QByteArray::number(i) + ";u;" +
                    QByteArray::number(i) + ";0;1\n";
        if (i > 4 && i <= 100)
            first100 << QString("U%1;u;%1;0;1").arg(i);
    }
    QTest::newRow("at most 100 units") << many << first100;
}

void TestUnits::loading() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, units);
    QTemporaryDir dir;
    RulerState s;
    s.SouborNastaveni = dir.filePath("tavlinko.ini");
    writeFile(s.SouborNastaveni, file);
    NactiJednotky(s);
    QCOMPARE(describe(s.Jednotky), units);
}

void TestUnits::roundTrip_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("centimetreLine");

    QTest::newRow("decimal comma") << QLocale(QLocale::Czech) << "Centimetr;cm;1;1;0,1";
    QTest::newRow("decimal point") << QLocale(QLocale::English) << "Centimetr;cm;1;1;0.1";
}

void TestUnits::roundTrip() {
    QFETCH(QLocale, locale);
    QFETCH(QString, centimetreLine);
    QLocale::setDefault(locale);
    QTemporaryDir dir;
    RulerState s;
    s.SouborNastaveni = dir.filePath("tavlinko.ini");
    writeFile(s.SouborNastaveni, firstRunUnitLines);
    NactiJednotky(s);
    s.Jednotky.append({"Yard", "yd", 0.9144 / 0.0254, UnitInch, 0, 1 / 3.0});
    const QStringList saved = describe(s.Jednotky);
    QCOMPARE(saved.size(), 12);

    QVERIFY(UlozJednotky(s));
    s.Jednotky.clear();
    NactiJednotky(s);
    QCOMPARE(describe(s.Jednotky), saved);
    const IniFile ini(s.SouborNastaveni);
    QCOMPARE(ini.readString("Jednotky", "2", {}), centimetreLine);
    QVERIFY(ini.readString("Jednotky", "12", {}).startsWith("Yard;yd;"));
    QLocale::setDefault(QLocale(QLocale::Czech));
}

void TestUnits::savingReplacesTheList() {
    QTemporaryDir dir;
    RulerState s;
    s.SouborNastaveni = dir.filePath("tavlinko.ini");
    writeFile(s.SouborNastaveni,
              "[Obecne]\nDelka=500\n" + firstRunUnitLines + "[Mereni]\nJednotka=2\n");
    NactiJednotky(s);
    s.Jednotky.resize(5);
    QVERIFY(UlozJednotky(s));
    const IniFile ini(s.SouborNastaveni);
    QCOMPARE(ini.readString("Jednotky", "5", {}), QString("-;Xx;1;0;10"));
    QCOMPARE(ini.readString("Jednotky", "6", "N/A"), QString("N/A"));
    QCOMPARE(ini.readInteger("Obecne", "Delka", 0), 500);
    QCOMPARE(ini.readInteger("Mereni", "Jednotka", 0), 2);

    // Neither read-only mode nor a list that was never loaded touches the stored units.
    const QByteArray stored = readFile(s.SouborNastaveni);
    s.JenCteni = true;
    QVERIFY(UlozJednotky(s));
    s.JenCteni = false;
    s.Jednotky.clear();
    QVERIFY(UlozJednotky(s));
    QCOMPARE(readFile(s.SouborNastaveni), stored);
}

void TestUnits::pixelFactors_data() {
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("resolutionX");
    QTest::addColumn<int>("resolutionY");
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("pixels");

    QTest::newRow("pixel") << true << 96 << 96 << 0 << 1.0;
    QTest::newRow("centimetre") << true << 96 << 120 << 1 << 96 / 2.54;
    QTest::newRow("inch") << true << 96 << 96 << 2 << 96.0;
    QTest::newRow("percent of 472") << true << 96 << 96 << 3 << 4.72;
    QTest::newRow("decimetre") << true << 96 << 96 << 5 << 960 / 2.54;
    QTest::newRow("foot") << true << 96 << 96 << 6 << 1152.0;
    QTest::newRow("map 1:10 000") << true << 96 << 96 << 8 << 0.96 / 2.54;
    QTest::newRow("map 1:100 000") << true << 96 << 96 << 9 << 96 / 2.54;
    QTest::newRow("vertical centimetre") << false << 96 << 120 << 1 << 120 / 2.54;
    QTest::newRow("vertical foot") << false << 96 << 120 << 6 << 1440.0;
    QTest::newRow("vertical percent") << false << 96 << 120 << 3 << 4.72;
    QTest::newRow("no resolution") << true << 0 << 96 << 9 << 0.0;
}

void TestUnits::pixelFactors() {
    QFETCH(bool, horizontal);
    QFETCH(int, resolutionX);
    QFETCH(int, resolutionY);
    QFETCH(int, unit);
    QFETCH(double, pixels);
    QTemporaryDir dir;
    RulerState s;
    s.SouborNastaveni = dir.filePath("tavlinko.ini");
    writeFile(s.SouborNastaveni, firstRunUnitLines);
    NactiJednotky(s);
    s.Horizontalni = horizontal;
    s.RozliseniX = resolutionX;
    s.RozliseniY = resolutionY;
    s.Jednotka = unit;
    PrepocitejJednotky(s, 472);
    QVERIFY2(qAbs(s.PixeluNaJednotku - pixels) < 1e-9,
             qPrintable(QString::number(s.PixeluNaJednotku)));
    QCOMPARE(s.Jednotky[unit].Pixelu, s.PixeluNaJednotku);
}

void TestUnits::storedLengthServesOnce() {
    RulerState s;
    s.Jednotky.resize(4);
    s.Jednotka = UnitPercent;
    s.Delka = 600;
    PrepocitejJednotky(s, 472);
    QCOMPARE(s.PixeluNaJednotku, 6.0);
    QCOMPARE(s.Delka, 0);
    PrepocitejJednotky(s, 472);
    QCOMPARE(s.PixeluNaJednotku, 4.72);
    s.Jednotka = 9; // out of range: no crash, the pixel
    PrepocitejJednotky(s, 472);
    QCOMPARE(s.PixeluNaJednotku, 1.0);
}

QTEST_GUILESS_MAIN(TestUnits)
#include "tst_units.moc"
