#include <QtTest>

#include "core/units/DistanceFormat.h"

#include <limits>

class TestDistanceFormat : public QObject {
    Q_OBJECT
private slots:
    void formatsNumbers_data();
    void formatsNumbers();
    void formatsDistances_data();
    void formatsDistances();
    void readsShownNumbers_data();
    void readsShownNumbers();
};

void TestDistanceFormat::formatsNumbers_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("whole") << "C" << 3.0 << "3";
    QTest::newRow("one decimal") << "C" << 12.5 << "12.5";
    QTest::newRow("tenth without trailing noise") << "C" << 0.3 << "0.3";
    QTest::newRow("tie rounds to even, down") << "C" << 0.125 << "0.12";
    QTest::newRow("tie rounds to even, up") << "C" << 0.135 << "0.14";
    QTest::newRow("half of the last digit to even zero") << "C" << 0.005 << "0";
    QTest::newRow("just below a tie") << "C" << 1.005 << "1";
    QTest::newRow("tiny negative is not -0") << "C" << -0.001 << "0";
    QTest::newRow("negative") << "C" << -2.5 << "-2.5";
    QTest::newRow("ten significant digits") << "C" << 12345678.914 << "12345678.91";
    QTest::newRow("no group separator") << "en_US" << 1234567.0 << "1234567";
    QTest::newRow("czech comma") << "cs_CZ" << 12.5 << "12,5";
    QTest::newRow("czech no group separator") << "cs_CZ" << 1234.25 << "1234,25";
    QTest::newRow("exponent from 1e10") << "C" << 1e10 << "1e+10";
    QTest::newRow("infinity") << "C" << inf << "0";
    QTest::newRow("nan") << "C" << std::numeric_limits<double>::quiet_NaN() << "0";
}

void TestDistanceFormat::formatsNumbers() {
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(FormatujCislo(value), shown);
}

void TestDistanceFormat::formatsDistances_data() {
    QTest::addColumn<double>("pixels");
    QTest::addColumn<double>("pixeluNaJednotku");
    QTest::addColumn<QString>("shown");

    const double cm96 = 96 / 2.54;
    QTest::newRow("pixels") << 472.0 << 1.0 << "472";
    QTest::newRow("centimetres") << 454.0 << cm96 << "12.01";
    QTest::newRow("inches") << 48.0 << 96.0 << "0.5";
    QTest::newRow("percent of 472") << 118.0 << 4.72 << "25";
    QTest::newRow("zero factor") << 100.0 << 0.0 << "0";
    QTest::newRow("zero distance, zero factor") << 0.0 << 0.0 << "0";
    QTest::newRow("negative factor") << 10.0 << -4.0 << "-2.5";
}

void TestDistanceFormat::formatsDistances() {
    QFETCH(double, pixels);
    QFETCH(double, pixeluNaJednotku);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(FormatujVzdalenost(pixels, pixeluNaJednotku), shown);
}

void TestDistanceFormat::readsShownNumbers_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("ok");

    QTest::newRow("czech comma") << "cs_CZ"
                                 << "12,5" << 12.5 << true;
    QTest::newRow("czech reads a point too") << "cs_CZ"
                                             << "12.5" << 12.5 << true;
    QTest::newRow("spaces around") << "C"
                                   << " 33.33 " << 33.33 << true;
    QTest::newRow("whole") << "de_DE"
                           << "100" << 100.0 << true;
    QTest::newRow("junk") << "C"
                          << "abc" << 0.0 << false;
    QTest::newRow("empty") << "C"
                           << "" << 0.0 << false;
    QTest::newRow("infinity is no reading") << "C"
                                            << "inf" << 0.0 << false;
}

void TestDistanceFormat::readsShownNumbers() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, ok);
    QLocale::setDefault(QLocale(locale));
    bool read = !ok;
    QCOMPARE(ctiCislo(text, &read), value);
    QCOMPARE(read, ok);
    // Whatever the locale, a shown number reads back as itself.
    QCOMPARE(ctiCislo(FormatujCislo(value)), value);
}

QTEST_GUILESS_MAIN(TestDistanceFormat)
#include "tst_distanceformat.moc"
