#include "TestFiles.h"
#include <QtTest>

#include "core/settings/IniFile.h"
#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsIdentity.h"
#include "core/settings/TextFile.h"
#include "core/settings/UnsavedSettingsNote.h"
#include "core/units/Units.h"

namespace {

// A program folder with two settings files, a language and two skins.
struct ProgramFolder {
    QTemporaryDir dir;
    RulerState s;

    ProgramFolder() {
        s.CestaProgramu = dir.path() + '/';
        s.SouborNastaveni = s.CestaProgramu + "tavlinko.ini";
        for (const char *file : {"other.ini", "my settings.ini", "sub/abs.cfg",
                                 "jazyky/english.lng", "elsewhere/german.lng"})
            writeFile(dir.filePath(file), "[Obecne]\n");
        QDir(dir.path()).mkpath("skin/Funny");
        QDir(dir.path()).mkpath("skin/Blue");
    }
};

// The state after reading, as text, so that one table can check any value.
QString readValue(const RulerState &s, const QPoint &pos, const QString &name) {
    const QMap<QString, QString> values = {
        {"X", QString::number(pos.x())},
        {"Y", QString::number(pos.y())},
        {"Delka", QString::number(s.Delka)},
        {"Horizontalni", AnoNe(s.Horizontalni)},
        {"Obracene", AnoNe(s.Obracene)},
        {"Jazyk", s.Jazyk},
        {"Vzhled", s.Vzhled},
        {"VzdyNahore", AnoNe(s.VzdyNahore)},
        {"Pruhlednost", QString::number(s.Pruhlednost)},
        {"Jednotka", QString::number(s.Jednotka)},
        {"RozliseniX", QString::number(s.RozliseniX)},
        {"RozliseniY", QString::number(s.RozliseniY)},
        {"screenCastToken", s.screenCastToken},
    };
    return values.value(name, "?");
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void switches_data();
    void switches();
    void firstRunAndFirstSave();
    void values_data();
    void screenCastTokenOnlyOnceGiven_data();
    void screenCastTokenOnlyOnceGiven();
    void values();
    void languageDetection_data();
    void languageDetection();
    void readOnlyLeavesTheFileAlone();
    void writeFailureReportedOnce();
    void fileAtTheCapGivesUpOldMonitors_data();
    void fileAtTheCapGivesUpOldMonitors();
    void keepsTheMonitorsSeenLast_data();
    void keepsTheMonitorsSeenLast();
    void oneNameThroughLinks_data();
    void oneNameThroughLinks();
    void unsavedNoteToldOnce();
    void defaultLocation();
    void namesStayInTheirFolders_data();
    void namesStayInTheirFolders();
};

void TestSettings::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Czech));
    QStandardPaths::setTestModeEnabled(true);
}

void TestSettings::switches_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("flags"); // read-only, vertical, inverted
    QTest::addColumn<QString>("jazyk");
    QTest::addColumn<QString>("vzhled");

    // "@" stands for the program folder.
    const auto row = [](const char *name, const QStringList &args, const QString &file,
                        const QString &flags, const QString &jazyk, const QString &vzhled) {
        QTest::newRow(name) << args << file << flags << jazyk << vzhled;
    };
    row("none", {}, "tavlinko.ini", "---", "czech.lng", "Classic");
    row("config", {"/config:other"}, "other.ini", "---", "czech.lng", "Classic");
    row("config with extension", {"-CONFIG:other.ini"}, "other.ini", "---", "czech.lng", "Classic");
    row("config with =", {"/config=other"}, "other.ini", "---", "czech.lng", "Classic");
    row("config missing", {"/config:missing"}, "tavlinko.ini", "---", "czech.lng", "Classic");
    row("config absolute", {"/config:@/sub/abs.cfg"}, "sub/abs.cfg", "---", "czech.lng", "Classic");
    row("config with spaces", {"/config:my settings"}, "my settings.ini", "---", "czech.lng",
        "Classic");
    row("last existing config wins", {"/config:my settings", "/config:other", "/config:missing"},
        "other.ini", "---", "czech.lng", "Classic");
    row("not a switch", {"config:other", "READONLY"}, "tavlinko.ini", "---", "czech.lng",
        "Classic");
    row("read-only vertical", {"-readonly", "-vertical"}, "tavlinko.ini", "RV-", "czech.lng",
        "Classic");
    row("exact names only", {"/VERTICALX", "/READONLY:1", "/inverted1"}, "tavlinko.ini", "---",
        "czech.lng", "Classic");
    row("inverted", {"/Inverted"}, "tavlinko.ini", "--I", "czech.lng", "Classic");
    row("language", {"/LANGUAGE:english"}, "tavlinko.ini", "---", "english.lng", "Classic");
    row("language with =", {"-language=english.lng"}, "tavlinko.ini", "---", "english.lng",
        "Classic");
    row("language missing", {"/LANGUAGE:german"}, "tavlinko.ini", "---", "czech.lng", "Classic");
    row("language absolute inside", {"/language:@/jazyky/english.lng"}, "tavlinko.ini", "---",
        "english.lng", "Classic");
    row("language absolute elsewhere", {"/language:@/elsewhere/german.lng"}, "tavlinko.ini", "---",
        "czech.lng", "Classic");
    row("language above the folder", {"/language:../elsewhere/german.lng"}, "tavlinko.ini", "---",
        "czech.lng", "Classic");
    row("skin", {"/SKIN:Funny"}, "tavlinko.ini", "---", "czech.lng", "Funny");
    row("skin with =", {"-skin=Blue"}, "tavlinko.ini", "---", "czech.lng", "Blue");
    row("language in another case", {"/LANGUAGE:English"}, "tavlinko.ini", "---", "english.lng",
        "Classic");
    row("language file in another case", {"-language:ENGLISH.LNG"}, "tavlinko.ini", "---",
        "english.lng", "Classic");
    row("skin in another case", {"-skin:blue"}, "tavlinko.ini", "---", "czech.lng", "Blue");
    row("skin missing", {"/skin:Missing"}, "tavlinko.ini", "---", "czech.lng", "Classic");
    row("skin without name", {"/SKIN"}, "tavlinko.ini", "---", "czech.lng", "Classic");
    row("skin above the folder", {"/skin:.."}, "tavlinko.ini", "---", "czech.lng", "Classic");
    row("skin through a path", {"/skin:../skin/Blue"}, "tavlinko.ini", "---", "czech.lng",
        "Classic");
    row("later skin wins", {"/skin:Funny", "/skin:Blue"}, "tavlinko.ini", "---", "czech.lng",
        "Blue");
}

void TestSettings::switches() {
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    QFETCH(QString, flags);
    QFETCH(QString, jazyk);
    QFETCH(QString, vzhled);
    ProgramFolder folder;
    RulerState &s = folder.s;
    args.replaceInStrings("@", folder.dir.path());

    NactiParametry(s, args);
    QCOMPARE(s.Parametry, args);
    QCOMPARE(s.SouborNastaveni, s.CestaProgramu + file);
    s.Jazyk = "czech.lng";
    s.Vzhled = "Classic";
    ZpracujPrepinace(s);
    const QString actual =
        QString(s.JenCteni ? "R" : "-") + (s.Horizontalni ? "-" : "V") + (s.Obracene ? "I" : "-");
    QCOMPARE(actual, flags);
    QCOMPARE(s.Jazyk, jazyk);
    QCOMPARE(s.Vzhled, vzhled);
    QVERIFY(s.Parametry.isEmpty());
}

void TestSettings::firstRunAndFirstSave() {
    ProgramFolder folder;
    RulerState &s = folder.s;
    writeFile(folder.dir.filePath("jazyky/czech.lng"), "LOCALE=cs\n");
    QPoint pos(211, 118);
    NactiNastaveni(s, pos, QLocale(QLocale::Czech));
    QCOMPARE(pos, QPoint(211, 118));
    QCOMPARE(s.Delka, 472);
    QCOMPARE(readFile(s.SouborNastaveni), firstRunUnitLines);

    QVERIFY(UlozNastaveni(s, QRect(211, 118, 472, 40)));
    const QByteArray saved = firstRunUnitLines +
                             "\n[Obecne]\nX=211\nY=118\nDelka=472\n"
                             "Poloha=Horizontalni\nObracene=Ne\nJazyk=czech.lng\n"
                             "Vzhled=Funny\nVzdy nahore=Ne\nPruhlednost=255\n"
                             "\n[Mereni]\nJednotka=0\nRozliseni X=96\n"
                             "Rozliseni Y=96\n";
    QCOMPARE(readFile(s.SouborNastaveni), saved);

    // A vertical ruler stores its height; the keys stay where they are.
    s.Horizontalni = false;
    s.Obracene = s.VzdyNahore = true;
    QVERIFY(UlozNastaveni(s, QRect(5, 6, 40, 600)));
    QByteArray changed = saved;
    changed.replace("X=211\nY=118\nDelka=472\nPoloha=Horizontalni\nObracene=Ne",
                    "X=5\nY=6\nDelka=600\nPoloha=Vertikalni\nObracene=Ano");
    changed.replace("Vzdy nahore=Ne", "Vzdy nahore=Ano");
    QCOMPARE(readFile(s.SouborNastaveni), changed);
}

void TestSettings::values_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("X missing") << QByteArray("[Obecne]\nY=5\n") << "X"
                               << "211";
    QTest::newRow("X not a number") << QByteArray("[Obecne]\nX=abc\n") << "X"
                                    << "211";
    QTest::newRow("X hex") << QByteArray("[Obecne]\nX=$10\n") << "X"
                           << "16";
    QTest::newRow("Y negative") << QByteArray("[Obecne]\nY=-20\n") << "Y"
                                << "-20";
    // Places beyond X11's 16-bit coordinates would overflow the window's geometry sums.
    QTest::newRow("X at the limit") << QByteArray("[Obecne]\nX=32767\n") << "X"
                                    << "32767";
    QTest::newRow("X one past") << QByteArray("[Obecne]\nX=32768\n") << "X"
                                << "32767";
    QTest::newRow("X largest integer") << QByteArray("[Obecne]\nX=2147483647\n") << "X"
                                       << "32767";
    QTest::newRow("Y smallest integer") << QByteArray("[Obecne]\nY=-2147483648\n") << "Y"
                                        << "-32767";
    QTest::newRow("names without case") << QByteArray("[OBECNE]\ndelka=500\n") << "Delka"
                                        << "500";
    QTest::newRow("Delka missing") << QByteArray("[Obecne]\n") << "Delka"
                                   << "472";
    QTest::newRow("Delka zero") << QByteArray("[Obecne]\nDelka=0\n") << "Delka"
                                << "472";
    QTest::newRow("Delka negative") << QByteArray("[Obecne]\nDelka=-5\n") << "Delka"
                                    << "472";
    QTest::newRow("Poloha lower case")
        << QByteArray("[Obecne]\nPoloha=horizontalni\n") << "Horizontalni"
        << "Ano";
    QTest::newRow("Poloha vertical")
        << QByteArray("[Obecne]\nPoloha=Vertikalni\n") << "Horizontalni"
        << "Ne";
    QTest::newRow("Poloha other word") << QByteArray("[Obecne]\nPoloha=Svisle\n") << "Horizontalni"
                                       << "Ne";
    QTest::newRow("Obracene ano") << QByteArray("[Obecne]\nObracene=aNo\n") << "Obracene"
                                  << "Ano";
    QTest::newRow("Obracene yes") << QByteArray("[Obecne]\nObracene=yes\n") << "Obracene"
                                  << "Ne";
    for (const char *yes : {"yes", "Ja", "TRUE", "1", "ano"})
        QTest::newRow(qPrintable(QString("Vzdy nahore %1").arg(yes)))
            << "[Obecne]\nVzdy nahore=" + QByteArray(yes) << "VzdyNahore"
            << "Ano";
    for (const char *no : {"", "ne", "0", "yess"})
        QTest::newRow(qPrintable(QString("Vzdy nahore '%1'").arg(no)))
            << "[Obecne]\nVzdy nahore=" + QByteArray(no) << "VzdyNahore"
            << "Ne";
    QTest::newRow("Pruhlednost invisible")
        << QByteArray("[Obecne]\nPruhlednost=0\n") << "Pruhlednost"
        << "30";
    QTest::newRow("Pruhlednost too high")
        << QByteArray("[Obecne]\nPruhlednost=300\n") << "Pruhlednost"
        << "255";
    QTest::newRow("Pruhlednost") << QByteArray("[Obecne]\nPruhlednost=128\n") << "Pruhlednost"
                                 << "128";
    QTest::newRow("Jazyk stored") << QByteArray("[Obecne]\nJazyk=german.lng\n") << "Jazyk"
                                  << "german.lng";
    QTest::newRow("Jazyk detected") << QByteArray("[Obecne]\nJazyk=AUTODETEKCE\n") << "Jazyk"
                                    << "english.lng";
    QTest::newRow("Jazyk in another case") << QByteArray("[Obecne]\nJazyk=English.LNG\n") << "Jazyk"
                                           << "english.lng";
    QTest::newRow("Jazyk missing file kept")
        << QByteArray("[Obecne]\nJazyk=Klingon.lng\n") << "Jazyk"
        << "Klingon.lng";
    QTest::newRow("Vzhled in another case") << QByteArray("[Obecne]\nVzhled=fUNNY\n") << "Vzhled"
                                            << "Funny";
    QTest::newRow("X in quotes") << QByteArray("[Obecne]\nX=\"300\"\n") << "X"
                                 << "300";
    QTest::newRow("Vzhled missing") << QByteArray("[Obecne]\n") << "Vzhled"
                                    << "Funny";
    QTest::newRow("Jednotka") << QByteArray("[Mereni]\nJednotka=6\n") << "Jednotka"
                              << "6";
    QTest::newRow("resolution missing") << QByteArray("[Mereni]\n") << "RozliseniX"
                                        << "110";
    QTest::newRow("resolution zero") << QByteArray("[Mereni]\nRozliseni Y=0\n") << "RozliseniY"
                                     << "110";
    QTest::newRow("resolution") << QByteArray("[Mereni]\nRozliseni Y=120\n") << "RozliseniY"
                                << "120";
    // The desktop's restore token goes back to it only as a token can look.
    const QByteArray tokenKey = "[Mereni]\nPovoleni sdileni obrazovky=";
    QTest::newRow("token missing") << QByteArray("[Mereni]\n") << "screenCastToken"
                                   << "";
    QTest::newRow("token") << tokenKey + "6c8f0d1e-4b2a_4f7e.9a51"
                           << "screenCastToken"
                           << "6c8f0d1e-4b2a_4f7e.9a51";
    QTest::newRow("token at the length limit")
        << tokenKey + QByteArray(128, 'a') << "screenCastToken" << QString(128, 'a');
    QTest::newRow("token one past") << tokenKey + QByteArray(129, 'a') << "screenCastToken"
                                    << "";
    QTest::newRow("token with a space") << tokenKey + "ab cd"
                                        << "screenCastToken"
                                        << "";
    QTest::newRow("token with a slash") << tokenKey + "../x"
                                        << "screenCastToken"
                                        << "";
    QTest::newRow("token of every kind of character at its ends") << tokenKey + "aAzZ09._-"
                                                                  << "screenCastToken"
                                                                  << "aAzZ09._-";
    for (const char *outside : {"@", "[", "`", "{", "/", ":"})
        QTest::newRow(qPrintable(QStringLiteral("token with ") + QLatin1String(outside)))
            << tokenKey + "ab" + outside << "screenCastToken"
            << "";
    QTest::newRow("token not ASCII") << tokenKey + "tok\xc3\xa9n"
                                     << "screenCastToken"
                                     << "";
}

void TestSettings::screenCastTokenOnlyOnceGiven_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("none yet") << QString() << QByteArray();
    QTest::newRow("given") << "token-1" << QByteArray("Povoleni sdileni obrazovky=token-1\n");
}

// A refusal leaves no token, and then the file gets no key for it.
void TestSettings::screenCastTokenOnlyOnceGiven() {
    QFETCH(QString, token);
    QFETCH(QByteArray, line);
    ProgramFolder folder;
    folder.s.screenCastToken = token;
    QVERIFY(UlozNastaveni(folder.s, QRect(1, 2, 472, 40)));
    const QByteArray written = readFile(folder.s.SouborNastaveni);
    QCOMPARE(written.contains("Povoleni sdileni obrazovky"), !line.isEmpty());
    if (!line.isEmpty())
        QVERIFY(written.contains(line));
}

void TestSettings::values() {
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    ProgramFolder folder;
    RulerState &s = folder.s;
    writeFile(s.SouborNastaveni, file);
    s.RozliseniX = s.RozliseniY = 110; // the screen's
    QPoint pos(211, 118);
    NactiNastaveni(s, pos, QLocale(QLocale::English));
    QCOMPARE(readValue(s, pos, name), expected);
    QCOMPARE(readFile(s.SouborNastaveni), file); // an existing file is only read
}

void TestSettings::languageDetection_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("files"); // name, or name=LOCALE value of its header
    QTest::addColumn<QString>("jazyk");

    const QStringList shipped{"czech.lng=cs", "english.lng=en", "german.lng=de"};
    QTest::newRow("Czech") << QLocale(QLocale::Czech, QLocale::CzechRepublic) << shipped
                           << "czech.lng";
    QTest::newRow("Slovak reads Czech")
        << QLocale(QLocale::Slovak, QLocale::Slovakia) << shipped << "czech.lng";
    QTest::newRow("Slovak reads Slovak when it is there")
        << QLocale(QLocale::Slovak, QLocale::Slovakia) << (shipped + QStringList{"slovak.lng=sk"})
        << "slovak.lng";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << shipped
                            << "german.lng";
    QTest::newRow("German in another country")
        << QLocale(QLocale::German, QLocale::Austria) << shipped << "german.lng";
    QTest::newRow("the country's own first")
        << QLocale(QLocale::German, QLocale::Austria)
        << QStringList{"a.lng=de", "b.lng=de_AT", "c.lng=de_CH"} << "b.lng";
    QTest::newRow("another country's when no other")
        << QLocale(QLocale::German, QLocale::Germany) << QStringList{"b.lng=de_AT", "english.lng"}
        << "b.lng";
    QTest::newRow("known by its name") << QLocale(QLocale::German, QLocale::Germany)
                                       << QStringList{"German.lng", "english.lng"} << "German.lng";
    QTest::newRow("the header outweighs the name")
        << QLocale(QLocale::German, QLocale::Germany)
        << QStringList{"german.lng=cs", "english.lng=en"} << "english.lng";
    QTest::newRow("US English") << QLocale(QLocale::English, QLocale::UnitedStates) << shipped
                                << "english.lng";
    QTest::newRow("French is not shipped")
        << QLocale(QLocale::French, QLocale::France) << shipped << "english.lng";
    QTest::newRow("Slovak without Czech") << QLocale(QLocale::Slovak, QLocale::Slovakia)
                                          << QStringList{"german.lng=de"} << "english.lng";
}

void TestSettings::languageDetection() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, files);
    QFETCH(QString, jazyk);
    ProgramFolder folder;
    QFile::remove(folder.dir.filePath("jazyky/english.lng"));
    for (const QString &file : files) {
        const QString name = file.section(u'=', 0, 0);
        const QString header = file.contains(u'=') ? "LOCALE=" + file.section(u'=', 1) : "";
        writeFile(folder.dir.filePath("jazyky/" + name), "LANGUAGE=x\n" + header.toUtf8() + "\n");
    }
    QPoint pos;
    NactiNastaveni(folder.s, pos, locale);
    QCOMPARE(folder.s.Jazyk, jazyk);
}

void TestSettings::readOnlyLeavesTheFileAlone() {
    ProgramFolder folder;
    RulerState &s = folder.s;
    const QByteArray stored = "; mine\r\n[obecne]\r\nx = 10\r\nPoloha=Horizontalni\r\n"
                              "[Jednotky]\r\n1=Pixel;px;1;0;5\r\n";
    writeFile(s.SouborNastaveni, stored);
    QPoint pos;
    NactiParametry(s, {"-readonly", "-vertical"});
    NactiNastaveni(s, pos, QLocale(QLocale::Czech));
    ZpracujPrepinace(s);
    QVERIFY(!s.Horizontalni);
    NactiJednotky(s);
    s.Jednotky.append({"Yard", "yd", 36, UnitInch, 0, 1});
    QVERIFY(UlozJednotky(s));
    QVERIFY(UlozNastaveni(s, QRect(1, 2, 40, 500)));
    QCOMPARE(readFile(s.SouborNastaveni), stored);

    // Read-only is known only after the file is read: a new file still gets its units.
    QFile::remove(s.SouborNastaveni);
    NactiParametry(s, {"/READONLY"});
    NactiNastaveni(s, pos, QLocale(QLocale::Czech));
    ZpracujPrepinace(s);
    QVERIFY(UlozNastaveni(s, QRect(1, 2, 40, 500)));
    QCOMPARE(readFile(s.SouborNastaveni), firstRunUnitLines);
}

void TestSettings::writeFailureReportedOnce() {
    ProgramFolder folder;
    RulerState &s = folder.s;
    // A regular file where the folder should be stops even a privileged user.
    writeFile(folder.dir.filePath("blocked"), "x");
    s.SouborNastaveni = folder.dir.filePath("blocked/tavlinko.ini");
    QStringList reports;
    s.reportUnwritable = [&reports](const QString &path) { reports << path; };

    QPoint pos;
    NactiNastaveni(s, pos, QLocale(QLocale::Czech)); // the first-run units fail
    NactiJednotky(s);
    QCOMPARE(s.Jednotky.size(), 4);
    QVERIFY(!UlozJednotky(s));
    QVERIFY(!UlozNastaveni(s, QRect(0, 0, 472, 40)));
    QCOMPARE(reports, QStringList{s.SouborNastaveni});
}

void TestSettings::namesStayInTheirFolders_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("language"); // below the program folder
    QTest::addColumn<QString>("skin");
    QTest::newRow("plain names") << "english.lng"
                                 << "jazyky/english.lng"
                                 << "skin/english.lng";
    QTest::newRow("missing language") << "german.lng"
                                      << "jazyky/czech.lng"
                                      << "skin/german.lng";
    QTest::newRow("blank") << ""
                           << "jazyky/czech.lng"
                           << "";
    QTest::newRow("dot") << "."
                         << "jazyky/czech.lng"
                         << "";
    QTest::newRow("dot dot") << ".."
                             << "jazyky/czech.lng"
                             << "";
    QTest::newRow("above the folder") << "../elsewhere/german.lng"
                                      << "jazyky/czech.lng"
                                      << "";
    QTest::newRow("backslash") << "..\\elsewhere"
                               << "jazyky/czech.lng"
                               << "";
    QTest::newRow("drive") << "C:x"
                           << "jazyky/czech.lng"
                           << "";
}

// Wherever a name comes from, the settings file included, it never leads out of its folder.
void TestSettings::namesStayInTheirFolders() {
    QFETCH(QString, name);
    QFETCH(QString, language);
    QFETCH(QString, skin);
    ProgramFolder folder;
    folder.s.Jazyk = name;
    folder.s.Vzhled = name;
    QCOMPARE(languageFilePath(folder.s), folder.s.CestaProgramu + language);
    QCOMPARE(skinFolderPath(folder.s), skin.isEmpty() ? skin : folder.s.CestaProgramu + skin);
}

void TestSettings::defaultLocation() {
    QTemporaryDir dir;
    const QString beside = dir.path() + "/";
    QCOMPARE(VychoziSouborNastaveni(beside), beside + "tavlinko.ini");

    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/tavlinko";
    QDir(configFolder).removeRecursively();
    const QString unusable = dir.filePath("missing") + "/";
    QCOMPARE(VychoziSouborNastaveni(unusable), configFolder + "/tavlinko.ini");
    QVERIFY(QFileInfo(configFolder).isDir());
    QDir(configFolder).removeRecursively();
}

QTEST_GUILESS_MAIN(TestSettings)
namespace {

QByteArray monitorSections(int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "[Monitor M" + QByteArray::number(i) + "]\nRozliseni X=100\nRozliseni Y=101\n";
    return text;
}

} // namespace

// A file the reader just takes grows at the first save. The monitors seen longest ago leave
// it, as few as make it fit, and the user hears it once; nothing else goes. Without monitors to
// give up the save fails and the old file stays whole.
void TestSettings::fileAtTheCapGivesUpOldMonitors_data() {
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("monitors");
    QTest::addColumn<bool>("saved");

    QTest::newRow("exactly at the cap") << TextFileSizeCap << 40 << true;
    QTest::newRow("one byte under the cap") << TextFileSizeCap - 1 << 40 << true;
    QTest::newRow("far under the cap: all stay") << qint64(4000) << 40 << true;
    QTest::newRow("at the cap without monitors") << TextFileSizeCap << 0 << false;
}

void TestSettings::fileAtTheCapGivesUpOldMonitors() {
    QFETCH(qint64, size);
    QFETCH(int, monitors);
    QFETCH(bool, saved);
    ProgramFolder folder;
    RulerState &s = folder.s;
    // A long comment of the user's own stands for whatever else makes the file large.
    const QByteArray sections = "[Jednotky]\n1=Pixel;px;1;0;5\n" + monitorSections(monitors);
    const QByteArray before = "; " + QByteArray(size - sections.size() - 3, 'c') + "\n" + sections;
    QCOMPARE(qint64(before.size()), size);
    writeFile(s.SouborNastaveni, before);
    QList<int> toldDropped;
    QStringList toldUnsaved;
    s.reportDroppedMonitors = [&](int count) { toldDropped << count; };
    s.reportUnwritable = [&](const QString &path) { toldUnsaved << path; };

    QPoint pos(5, 6);
    NactiNastaveni(s, pos, QLocale(QLocale::Czech));
    QCOMPARE(int(s.ownResolutions.size()), monitors);
    QCOMPARE(UlozNastaveni(s, QRect(pos, QSize(500, 40))), saved);
    QCOMPARE(UlozNastaveni(s, QRect(pos, QSize(501, 40))), saved);
    const QByteArray after = readFile(s.SouborNastaveni);
    if (!saved) {
        QCOMPARE(after, before);
        QCOMPARE(toldUnsaved, QStringList{s.SouborNastaveni});
        return;
    }
    QVERIFY(qint64(after.size()) <= TextFileSizeCap);
    const IniFile ini(s.SouborNastaveni);
    QCOMPARE(ini.readInteger("Obecne", "Delka", 0), 501);
    QVERIFY(ini.readString("Jednotky", "1", {}).startsWith("Pixel"));
    QVERIFY(after.startsWith("; cccc"));
    const int kept = int(ini.sectionsStartingWith("Monitor ").size());
    QCOMPARE(int(s.ownResolutions.size()), kept);
    if (size < 10000) {
        QCOMPARE(kept, monitors);
        QVERIFY(toldDropped.isEmpty());
        return;
    }
    QVERIFY(kept > 0 && kept < monitors);
    QCOMPARE(toldDropped, QList<int>{monitors - kept});
    // The ones seen longest ago went: the file's first sections.
    QVERIFY(!ini.sectionExists("Monitor M0"));
    QVERIFY(!ini.sectionExists(QStringLiteral("Monitor M%1").arg(monitors - kept - 1)));
    QVERIFY(ini.sectionExists(QStringLiteral("Monitor M%1").arg(monitors - kept)));
    QCOMPARE(ini.readInteger(QStringLiteral("Monitor M%1").arg(monitors - 1), "Rozliseni Y", 0),
             101);
    // Room for what the values took: nothing more went than had to.
    QVERIFY(after.size() + 47 > TextFileSizeCap);
}

// At most the 64 monitors seen last are kept; a monitor the ruler stands on is the one seen
// last, and a new calibration too.
void TestSettings::keepsTheMonitorsSeenLast_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("seen");
    QTest::addColumn<QString>("calibrated");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("kept");

    QTest::newRow("64 stay") << 64 << ""
                             << ""
                             << "M0"
                             << "M63" << 64;
    QTest::newRow("65: the first goes") << 65 << ""
                                        << ""
                                        << "M1"
                                        << "M64" << 64;
    QTest::newRow("10 000: the last 64 stay") << 10000 << ""
                                              << ""
                                              << "M9936"
                                              << "M9999" << 64;
    QTest::newRow("seen: moves to the end") << 64 << "M0"
                                            << ""
                                            << "M1"
                                            << "M0" << 64;
    QTest::newRow("seen last already") << 3 << "M2"
                                       << ""
                                       << "M0"
                                       << "M2" << 3;
    QTest::newRow("new calibration: the oldest goes") << 64 << ""
                                                      << "N"
                                                      << "M1"
                                                      << "N" << 64;
    QTest::newRow("calibrated again: moves") << 3 << ""
                                             << "M0"
                                             << "M1"
                                             << "M0" << 3;
}

void TestSettings::keepsTheMonitorsSeenLast() {
    QFETCH(int, stored);
    QFETCH(QString, seen);
    QFETCH(QString, calibrated);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, kept);
    ProgramFolder folder;
    RulerState &s = folder.s;
    writeFile(s.SouborNastaveni, "[Jednotky]\n1=Pixel;px;1;0;5\n" + monitorSections(stored));
    QPoint pos;
    NactiNastaveni(s, pos, QLocale(QLocale::Czech));
    MonitorInfo monitor;
    monitor.systemDpi = QPoint(96, 96);
    monitor.identity = seen.isEmpty() ? calibrated : seen;
    if (!monitor.identity.isEmpty())
        useMonitor(s, monitor);
    if (!calibrated.isEmpty())
        setMonitorResolution(s, {120, 121});
    QVERIFY(UlozNastaveni(s, QRect(0, 0, 472, 40)));
    const QList<IniSection> sections = IniFile(s.SouborNastaveni).sectionsStartingWith("Monitor ");
    QCOMPARE(int(sections.size()), kept);
    QCOMPARE(sections.first().name, "Monitor " + first);
    QCOMPARE(sections.last().name, "Monitor " + last);
    QCOMPARE(sections.last().entries.last().second, calibrated.isEmpty() ? "101" : "121");
}

// One settings file has one name, however a start reaches it, before and after it exists.
void TestSettings::oneNameThroughLinks_data() {
    QTest::addColumn<QString>("reached");
    QTest::newRow("the folder itself") << "real/tavlinko.ini";
    QTest::newRow("through a relative step") << "real/../real/tavlinko.ini";
    QTest::newRow("through a link to the folder") << "linked/tavlinko.ini";
    QTest::newRow("through a link to the file") << "file-link.ini";
    QTest::newRow("through a link to the link") << "link-link.ini";
}

void TestSettings::oneNameThroughLinks() {
    QFETCH(QString, reached);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("real"));
    const QString real = dir.filePath("real/tavlinko.ini");
    QVERIFY(QFile::link(dir.filePath("real"), dir.filePath("linked")));
    QVERIFY(QFile::link(real, dir.filePath("file-link.ini")));
    QVERIFY(QFile::link(dir.filePath("file-link.ini"), dir.filePath("link-link.ini")));
    const QString path = dir.filePath(reached);
    const QString canonicalFolder = QDir(dir.filePath("real")).canonicalPath();

    // Before the file exists (a first start), and after.
    QCOMPARE(canonicalSettingsFile(path), canonicalFolder + "/tavlinko.ini");
    const QString busName = rulerBusName(path);
    writeFile(real, "[Obecne]\n");
    QCOMPARE(canonicalSettingsFile(path), canonicalFolder + "/tavlinko.ini");
    QCOMPARE(rulerBusName(path), busName);
    QCOMPARE(rulerBusName(dir.filePath("real/other.ini")) == busName, false);
    QVERIFY(busName.startsWith("tavlinko.Ruler.f"));
    QCOMPARE(busName.size(), QString("tavlinko.Ruler.f").size() + 32);
}

// A failure to save at a signal is told at the next start with that file, once.
void TestSettings::unsavedNoteToldOnce() {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ProgramFolder folder;
    const QString other = folder.dir.filePath("other.ini");
    QVERIFY(!takeUnsavedSettingsNote(folder.s.SouborNastaveni));
    noteUnsavedSettings(folder.s.SouborNastaveni);
    QVERIFY(!takeUnsavedSettingsNote(other));
    QVERIFY(takeUnsavedSettingsNote(folder.s.SouborNastaveni));
    QVERIFY(!takeUnsavedSettingsNote(folder.s.SouborNastaveni));
}

#include "tst_settings.moc"
