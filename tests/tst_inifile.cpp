#include "TestFiles.h"
#include <QtTest>

#include "core/settings/IniFile.h"
#include "core/settings/TextFile.h"

namespace {

const QByteArray sample = "; tavlinko\n"
                          "[Obecne]\n"
                          "  Delka = 472  \n"
                          "Jazyk=czech.lng\n"
                          "\n"
                          "# units follow\n"
                          "[Jednotky]\n"
                          "1=Pixel;px;1;0;5\n"
                          "[obecne]\n"
                          "Delka=999\n";

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void quotedValues_data();
    void quotedValues();
    void integers_data();
    void integers();
    void edits_data();
    void edits();
    void editsInMemoryUntilSaved();
    void unwritableFile();
    void decoding_data();
    void decoding();
    void unreadFileIsNeverReplaced_data();
    void unreadFileIsNeverReplaced();
    void lineEndsOfOtherPrograms_data();
    void lineEndsOfOtherPrograms();
    void sectionsByPrefix_data();
    void sectionsByPrefix();
    void dropSectionsToFit_data();
    void dropSectionsToFit();
    void neverWritesWhatItWouldNotRead_data();
    void neverWritesWhatItWouldNotRead();
};

// A file edited by programs of different platforms mixes its line ends; a saved file uses the
// one it had most, CR LF on a tie, so that neither kind of editor sees it change throughout.
void TestIniFile::lineEndsOfOtherPrograms_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("as many CR LF as LF")
        << QByteArray("[A]\r\nx=1\ny=2\r\nz=3\n") << QByteArray("\r\n");
    QTest::newRow("one LF more") << QByteArray("[A]\r\nx=1\ny=2\nz=3\n") << QByteArray("\n");
    QTest::newRow("one CR LF more")
        << QByteArray("[A]\r\nx=1\r\ny=2\r\nz=3\n") << QByteArray("\r\n");
    QTest::newRow("old Mac CRs") << QByteArray("[A]\rx=1\ry=2\r\n") << QByteArray("\r");
}

void TestIniFile::lineEndsOfOtherPrograms() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, lineEnd);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mixed.ini"));
    writeFile(path, content);
    IniFile ini(path);
    QCOMPARE(ini.readString(QStringLiteral("A"), QStringLiteral("z"), QString()),
             content.contains("z=3") ? QStringLiteral("3") : QString());
    QCOMPARE(ini.readString(QStringLiteral("A"), QStringLiteral("y"), QString()),
             QStringLiteral("2"));
    ini.writeString(QStringLiteral("A"), QStringLiteral("w"), QStringLiteral("4"));
    QVERIFY(ini.save());
    const QByteArray saved = readFile(path);
    const QByteArray others = lineEnd == "\n" ? QByteArray("\r") : QByteArray("\n");
    QCOMPARE(saved.count(lineEnd), lineEnd == "\r\n" ? saved.count('\n') : saved.count(lineEnd[0]));
    QVERIFY(saved.endsWith("w=4" + lineEnd));
    if (lineEnd != "\r\n")
        QVERIFY(!saved.contains(others));
}

void TestIniFile::reading_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("trimmed") << "Obecne"
                             << "Delka"
                             << "472";
    QTest::newRow("case of section and key") << "OBECNE"
                                             << "jazyk"
                                             << "czech.lng";
    QTest::newRow("first of duplicate sections") << "obecne"
                                                 << "DELKA"
                                                 << "472";
    QTest::newRow("missing key") << "Obecne"
                                 << "Vzhled"
                                 << "default";
    QTest::newRow("key of another section") << "Jednotky"
                                            << "Delka"
                                            << "default";
    QTest::newRow("missing section") << "Mereni"
                                     << "Jednotka"
                                     << "default";
    QTest::newRow("comment is no key") << "Obecne"
                                       << "# units follow"
                                       << "default";
}

void TestIniFile::reading() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    writeFile(path, sample);
    QCOMPARE(IniFile(path).readString(section, key, "default"), expected);
    QCOMPARE(IniFile(dir.filePath("missing.ini")).readString(section, key, "default"),
             QString("default"));
}

void TestIniFile::quotedValues_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("number in quotes") << QByteArray("k=\"300\"") << "300";
    QTest::newRow("quotes and blanks around") << QByteArray("k = \"clRed\" ") << "clRed";
    QTest::newRow("blanks inside the quotes kept") << QByteArray("k=\" a \"") << " a ";
    QTest::newRow("only one pair dropped") << QByteArray("k=\"\"x\"\"") << "\"x\"";
    QTest::newRow("empty quotes") << QByteArray("k=\"\"") << "";
    QTest::newRow("a lone quote stays") << QByteArray("k=\"") << "\"";
    QTest::newRow("quote at one end only") << QByteArray("k=\"a") << "\"a";
    QTest::newRow("quotes inside stay") << QByteArray("k=a \"b\" c") << "a \"b\" c";
}

// Values from Windows may stand in double quotes; one pair is dropped when reading, and a
// value written with quotes of its own reads back as it was written.
void TestIniFile::quotedValues() {
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    writeFile(path, "[A]\n" + line + "\n");
    QCOMPARE(IniFile(path).readString("a", "K", "default"), expected);

    IniFile ini(dir.filePath("written.ini"));
    ini.writeString("A", "k", expected);
    QVERIFY(ini.save());
    QCOMPARE(IniFile(dir.filePath("written.ini")).readString("A", "k", "default"), expected);
}

void TestIniFile::integers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("decimal") << "211" << 211;
    QTest::newRow("negative") << "-35" << -35;
    QTest::newRow("plus") << "+7" << 7;
    QTest::newRow("dollar hex") << "$1F" << 31;
    QTest::newRow("0x hex") << "0X1f" << 31;
    QTest::newRow("hex pattern") << "$FFFFFFFF" << -1;
    QTest::newRow("int max") << "2147483647" << 2147483647;
    QTest::newRow("int min") << "-2147483648" << int(0x80000000u);
    QTest::newRow("overflow") << "2147483648" << -99;
    QTest::newRow("trailing text") << "12px" << -99;
    QTest::newRow("decimal point") << "1.5" << -99;
    QTest::newRow("word") << "abc" << -99;
    QTest::newRow("empty") << "" << -99;
    QTest::newRow("sign only") << "-" << -99;
    QTest::newRow("double sign") << "--5" << -99;
    QTest::newRow("bad hex") << "$G" << -99;
}

void TestIniFile::integers() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    writeFile(path, "[A]\nn=" + text.toUtf8() + "\n");
    QCOMPARE(IniFile(path).readInteger("a", "N", -99), expected);
}

void TestIniFile::edits_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace in place, spelling kept")
        << QByteArray("[A]\nKey=1\nother=2\n") << "write"
        << "a"
        << "KEY" << QByteArray("[A]\nKey=v\nother=2\n");
    QTest::newRow("new key after the section's last entry")
        << QByteArray("[A]\nk=1\n\n; about B\n[B]\nx=1\n") << "write"
        << "A"
        << "new" << QByteArray("[A]\nk=1\nnew=v\n\n; about B\n[B]\nx=1\n");
    QTest::newRow("new key in an empty section") << QByteArray("[A]\n[B]\n") << "write"
                                                 << "A"
                                                 << "k" << QByteArray("[A]\nk=v\n[B]\n");
    QTest::newRow("new section at the end") << QByteArray("[A]\nk=1") << "write"
                                            << "B"
                                            << "k" << QByteArray("[A]\nk=1\n\n[B]\nk=v\n");
    QTest::newRow("new file") << QByteArray() << "write"
                              << "B"
                              << "k" << QByteArray("[B]\nk=v\n");
    QTest::newRow("line endings kept") << QByteArray("[A]\r\nk=1\r\n") << "write"
                                       << "A"
                                       << "j" << QByteArray("[A]\r\nk=1\r\nj=v\r\n");
    // Files edited on Windows and on Linux mix their line ends; every kind ends a line, and
    // the file keeps the kind it mostly had.
    QTest::newRow("mixed ends, mostly CR LF") << QByteArray("[A]\r\nk=1\nm=2\r\n") << "write"
                                              << "A"
                                              << "j" << QByteArray("[A]\r\nk=1\r\nm=2\r\nj=v\r\n");
    QTest::newRow("mixed ends, mostly LF") << QByteArray("[A]\nk=1\r\nm=2\n") << "write"
                                           << "A"
                                           << "m" << QByteArray("[A]\nk=1\nm=v\n");
    QTest::newRow("lone CRs") << QByteArray("[A]\rk=1\r") << "write"
                              << "A"
                              << "k" << QByteArray("[A]\rk=v\r");
    QTest::newRow("CR LF file ending in a lone CR") << QByteArray("[A]\r\nk=1\r") << "write"
                                                    << "A"
                                                    << "k" << QByteArray("[A]\r\nk=v\r\n");
    QTest::newRow("section after an LF line is found, not added twice")
        << QByteArray("[A]\r\nk=1\n[B]\r\nx=1\r\n") << "write"
        << "B"
        << "x" << QByteArray("[A]\r\nk=1\r\n[B]\r\nx=v\r\n");
    QTest::newRow("erase every copy, comments elsewhere kept")
        << QByteArray("; top\n[A]\nk=1\n[B]\nx=1\n; end of B\n[a]\nk=2\n") << "erase"
        << "A"
        << "" << QByteArray("; top\n[B]\nx=1\n; end of B\n");
    QTest::newRow("erase missing section") << QByteArray("[A]\nk=1\n") << "erase"
                                           << "B"
                                           << "" << QByteArray("[A]\nk=1\n");
}

void TestIniFile::edits() {
    QFETCH(QByteArray, before);
    QFETCH(QString, operation);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    if (!before.isEmpty())
        writeFile(path, before);
    IniFile ini(path);
    if (operation == "write")
        ini.writeString(section, key, "v");
    else
        ini.eraseSection(section);
    QVERIFY(ini.save());
    QCOMPARE(readFile(path), after);
}

void TestIniFile::editsInMemoryUntilSaved() {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    writeFile(path, sample);
    IniFile ini(path);
    ini.writeInteger("Mereni", "Jednotka", 3);
    ini.eraseSection("Obecne");
    QVERIFY(!ini.sectionExists("obecne"));
    QCOMPARE(ini.readInteger("MERENI", "jednotka", 0), 3);
    ini.writeString("Mereni", "Nazev", "two\r\nlines");
    QCOMPARE(ini.readString("Mereni", "Nazev", {}), QString("two  lines"));
    QCOMPARE(ini.readString("Mereni", "lines", "none"), QString("none"));
    QCOMPARE(readFile(path), sample);
    QVERIFY(ini.save());
    QCOMPARE(IniFile(path).readInteger("Mereni", "Jednotka", 0), 3);
}

void TestIniFile::unwritableFile() {
    QTemporaryDir dir;
    // A regular file where the folder should be stops even a privileged user.
    writeFile(dir.filePath("notafolder"), "x");
    IniFile ini(dir.filePath("notafolder/t.ini"));
    QVERIFY(ini.save()); // nothing to write yet
    ini.writeString("A", "k", "v");
    QVERIFY(!ini.save());
    QVERIFY(!ini.errorString().isEmpty());
}

void TestIniFile::decoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("utf-8") << QByteArray("Procenta d\xc3\xa9lky")
                           << QString::fromUtf16(u"Procenta délky");
    QTest::newRow("utf-8 with bom") << QByteArray("\xef\xbb\xbfPalec") << QString("Palec");
    QTest::newRow("windows-1250") << QByteArray("\xe8\x9a\xbe\x8a\xd8\xf9\x80\x81")
                                  << QString::fromUtf16(u"čšľŠŘů€\u0081");
    QTest::newRow("cut utf-8 sequence") << QByteArray("d\xc3") << QString::fromUtf16(u"dĂ");
}

void TestIniFile::decoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeText(bytes), text);
}

void TestIniFile::unreadFileIsNeverReplaced_data() {
    QTest::addColumn<QByteArray>("content");
    // The edit adds "\n\n[A]\nk=v\n": the file it makes is at the cap too.
    QTest::newRow("read, and written at the size cap") << QByteArray(TextFileSizeCap - 10, ';');
    QTest::newRow("one byte past the cap") << QByteArray(TextFileSizeCap + 1, ';');
}

// Settings that could not be read must not be overwritten by defaults at the next save.
void TestIniFile::unreadFileIsNeverReplaced() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    writeFile(path, content);
    IniFile ini(path);
    ini.writeString("A", "k", "v");
    const bool readable = content.size() <= TextFileSizeCap;
    QCOMPARE(ini.save(), readable);
    QCOMPARE(readFile(path) == content, !readable);
}

QTEST_GUILESS_MAIN(TestIniFile)
// The sections that come in numbers are read and replaced in one pass; the others stay as they
// stood, and the replacement always lands at the end.
void TestIniFile::sectionsByPrefix_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("edited");

    QTest::newRow("none there: appended") << QByteArray("[A]\nk=1\n") << QStringList()
                                          << QByteArray("[A]\nk=1\n\n[M x]\nX=1\n") << true;
    QTest::newRow("moved from the top to the end")
        << QByteArray("[M old]\nX=9\n\n[A]\nk=1\n") << QStringList{"M old:X=9"}
        << QByteArray("[A]\nk=1\n\n[M x]\nX=1\n") << true;
    QTest::newRow("prefix without letter case, only at the start of the name")
        << QByteArray("[m a]\nX=1\ny = 2 \n[MA]\nk=2\n[A M x]\n")
        << QStringList{"m a:X=1", "m a:y=2"} << QByteArray("[MA]\nk=2\n[A M x]\n\n[M x]\nX=1\n")
        << true;
    QTest::newRow("last section of the file, comments in it go along")
        << QByteArray("[A]\nk=1\n[M x]\n; mine\nX=5\n") << QStringList{"M x:X=5"}
        << QByteArray("[A]\nk=1\n\n[M x]\nX=1\n") << true;
    QTest::newRow("as written before: not edited")
        << QByteArray("[A]\nk=1\n\n[M x]\nX=1\n") << QStringList{"M x:X=1"}
        << QByteArray("[A]\nk=1\n\n[M x]\nX=1\n") << false;
}

void TestIniFile::sectionsByPrefix() {
    QFETCH(QByteArray, before);
    QFETCH(QStringList, found);
    QFETCH(QByteArray, after);
    QFETCH(bool, edited);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    writeFile(path, before);
    IniFile ini(path);
    QStringList entries;
    for (const IniSection &section : ini.sectionsStartingWith("M "))
        for (const auto &[key, value] : section.entries)
            entries << section.name + ':' + key + '=' + value;
    QCOMPARE(entries, found);
    ini.replaceSectionsStartingWith("M ", {{"M x", {{"X", "1"}}}});
    QCOMPARE(ini.isModified(), edited);
    QVERIFY(ini.save());
    QCOMPARE(readFile(path), after);
}

// "[M a]\nX=1\n" and "[M b]\nX=2\n" are 10 bytes each; the file is 28.
void TestIniFile::dropSectionsToFit_data() {
    QTest::addColumn<int>("excess");
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QByteArray>("after");

    const QByteArray all = "[A]\nk=1\n[M a]\nX=1\n[M b]\nX=2\n";
    QTest::newRow("fits exactly") << 0 << QStringList() << all;
    QTest::newRow("one byte over")
        << 1 << QStringList{"M a"} << QByteArray("[A]\nk=1\n[M b]\nX=2\n");
    QTest::newRow("over by the first section")
        << 10 << QStringList{"M a"} << QByteArray("[A]\nk=1\n[M b]\nX=2\n");
    QTest::newRow("one byte more than it")
        << 11 << QStringList{"M a", "M b"} << QByteArray("[A]\nk=1\n");
    QTest::newRow("over by all of them")
        << 20 << QStringList{"M a", "M b"} << QByteArray("[A]\nk=1\n");
    QTest::newRow("more than all of them: nothing goes") << 21 << QStringList() << all;
}

void TestIniFile::dropSectionsToFit() {
    QFETCH(int, excess);
    QFETCH(QStringList, dropped);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    const QByteArray before = "[A]\nk=1\n[M a]\nX=1\n[M b]\nX=2\n";
    writeFile(path, before);
    IniFile ini(path);
    QCOMPARE(ini.encodedSize(), qint64(before.size()));
    QCOMPARE(ini.dropSectionsToFit("m ", before.size() - excess), dropped);
    QCOMPARE(ini.isModified(), !dropped.isEmpty());
    QCOMPARE(ini.encodedSize(), qint64(after.size()));
    ini.writeString("A", "k", "1"); // unchanged: only the drop edits the file
    QVERIFY(ini.save());
    QCOMPARE(readFile(path), after);
}

// A file the reader would refuse is never written: the old one stays.
void TestIniFile::neverWritesWhatItWouldNotRead_data() {
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("saved");
    QTest::newRow("at the cap") << TextFileSizeCap << true;
    QTest::newRow("one byte past the cap") << TextFileSizeCap + 1 << false;
}

void TestIniFile::neverWritesWhatItWouldNotRead() {
    QFETCH(qint64, size);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    writeFile(path, "[A]\nk=old\n");
    IniFile ini(path);
    const qint64 around = QByteArray("[A]\nk=\n").size();
    ini.writeString("A", "k", QString(size - around, u'v'));
    QCOMPARE(ini.encodedSize(), size);
    QCOMPARE(ini.save(), saved);
    if (saved) {
        QCOMPARE(QFileInfo(path).size(), size);
        QCOMPARE(IniFile(path).readString("A", "k", {}).size(), size - around);
    } else {
        QVERIFY(ini.errorString().contains(QString::number(TextFileSizeCap)));
        QCOMPARE(readFile(path), QByteArray("[A]\nk=old\n"));
    }
}

#include "tst_inifile.moc"
