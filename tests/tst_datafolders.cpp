// Where skins and language files are found: beside the program or in ../share/tavlinko, and in
// the user's own data folder, whose copy wins on a name clash.

#include "TestFiles.h"
#include "core/settings/DataFolders.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "forms/ruler/MainForm.h"

#include <QLabel>
#include <QTemporaryDir>

class TestDataFolders : public QObject {
    Q_OBJECT

    QTemporaryDir root;

    // "@" in a path stands for the temporary root.
    QString at(const QString &relative) const { return root.filePath(relative); }
    // A file holding its own path, so that a copy tells where it came from.
    void touch(const QString &relative) { writeFile(at(relative), relative.toUtf8()); }
    void makeFolder(const QString &relative) { QVERIFY(QDir().mkpath(at(relative))); }

private slots:
    void init() {
        QVERIFY(QDir(root.path()).removeRecursively());
        QVERIFY(QDir().mkpath(root.path()));
        qputenv("XDG_DATA_HOME", at(QStringLiteral("user")).toUtf8());
        qputenv("XDG_CONFIG_HOME", at(QStringLiteral("config")).toUtf8());
    }

    void shippedFolder_data() {
        QTest::addColumn<QStringList>("present"); // folders ("/" at the end) and files
        QTest::addColumn<QString>("expected");    // relative to the root

        QTest::newRow("skin beside") << QStringList{"bin/skin/"} << "bin/";
        QTest::newRow("jazyky beside") << QStringList{"bin/jazyky/"} << "bin/";
        QTest::newRow("both beside win over share")
            << QStringList{"bin/skin/", "bin/jazyky/", "share/tavlinko/skin/"} << "bin/";
        QTest::newRow("installed")
            << QStringList{"bin/", "share/tavlinko/skin/"} << "share/tavlinko/";
        QTest::newRow("nothing anywhere") << QStringList{"bin/"} << "share/tavlinko/";
        QTest::newRow("a file called skin is no data")
            << QStringList{"bin/skin"} << "share/tavlinko/";
    }

    void shippedFolder() {
        QFETCH(QStringList, present);
        QFETCH(QString, expected);
        for (const QString &path : present)
            path.endsWith(u'/') ? makeFolder(path) : touch(path);
        QCOMPARE(shippedDataFolder(at(QStringLiteral("bin/"))),
                 QDir::toNativeSeparators(at(expected)));
    }

    void userFolderFollowsXdgDataHome() {
        QCOMPARE(userDataFolder(), QDir::toNativeSeparators(at(QStringLiteral("user/tavlinko/"))));
        QCOMPARE(
            dataFolders(at(QStringLiteral("bin/")), QStringLiteral("jazyky")),
            QStringList({QDir::toNativeSeparators(at(QStringLiteral("user/tavlinko/jazyky/"))),
                         QDir::toNativeSeparators(at(QStringLiteral("share/tavlinko/jazyky/")))}));
    }

    void find_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");

        const QString skin = QStringLiteral("skin"), language = QStringLiteral("jazyky");
        QTest::newRow("shipped skin") << QStringList{"share/tavlinko/skin/Wood/"} << skin << "Wood"
                                      << "share/tavlinko/skin/Wood";
        QTest::newRow("user's skin")
            << QStringList{"bin/", "user/tavlinko/skin/Mine/"} << skin << "Mine"
            << "user/tavlinko/skin/Mine";
        QTest::newRow("user's skin wins")
            << QStringList{"share/tavlinko/skin/Wood/", "user/tavlinko/skin/Wood/"} << skin
            << "Wood"
            << "user/tavlinko/skin/Wood";
        QTest::newRow("missing skin reads from the shipped folder")
            << QStringList{"user/tavlinko/skin/Mine/"} << skin << "Wood"
            << "share/tavlinko/skin/Wood";
        QTest::newRow("portable language")
            << QStringList{"bin/jazyky/czech.lng", "share/tavlinko/jazyky/czech.lng"} << language
            << "czech.lng"
            << "bin/jazyky/czech.lng";
        QTest::newRow("user's language wins over portable")
            << QStringList{"bin/jazyky/czech.lng", "user/tavlinko/jazyky/czech.lng"} << language
            << "czech.lng"
            << "user/tavlinko/jazyky/czech.lng";
        QTest::newRow("a skin is not a language")
            << QStringList{"user/tavlinko/skin/czech.lng"} << language << "czech.lng"
            << "share/tavlinko/jazyky/czech.lng";
    }

    void find() {
        QFETCH(QStringList, present);
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        for (const QString &path : present)
            path.endsWith(u'/') ? makeFolder(path) : touch(path);
        QCOMPARE(dataFile(at(QStringLiteral("bin/")), kind, name),
                 QDir::toNativeSeparators(at(expected)));
    }

    // The switches name skins and languages of either folder.
    // Files copied from another system may differ from the shipped ones only in letter case:
    // the list names each once, the user's spelling, and that name reads the user's file.
    void entriesDifferingOnlyInLetterCase_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("readFrom");
        QTest::newRow("languages")
            << QStringList{"share/tavlinko/jazyky/czech.lng", "user/tavlinko/jazyky/Czech.lng"}
            << "jazyky" << QStringList{"Czech.lng"} << "user/tavlinko/jazyky/Czech.lng";
        QTest::newRow("languages: .lng in any case, files only")
            << QStringList{"share/tavlinko/jazyky/czech.lng",     "share/tavlinko/jazyky/OLD.LNG",
                           "share/tavlinko/jazyky/notes.txt",     "share/tavlinko/jazyky/lng",
                           "share/tavlinko/jazyky/czech.lng.bak", "share/tavlinko/jazyky/x.lng/"}
            << "jazyky" << QStringList{"czech.lng", "OLD.LNG"} << "share/tavlinko/jazyky/czech.lng";
        QTest::newRow("skins") << QStringList{"share/tavlinko/skin/Wood/",
                                              "user/tavlinko/skin/WOOD/"}
                               << "skin" << QStringList{"WOOD"} << "user/tavlinko/skin/WOOD";
        QTest::newRow("only the case alike")
            << QStringList{"share/tavlinko/skin/Wood/", "user/tavlinko/skin/Woods/"} << "skin"
            << QStringList{"Wood", "Woods"} << "share/tavlinko/skin/Wood";
    }

    void entriesDifferingOnlyInLetterCase() {
        QFETCH(QStringList, present);
        QFETCH(QString, kind);
        QFETCH(QStringList, listed);
        QFETCH(QString, readFrom);
        for (const QString &path : present)
            path.endsWith(u'/') ? makeFolder(path) : touch(path);
        const QString program = at(QStringLiteral("bin/"));
        const QStringList found =
            kind == QLatin1String("skin") ? skinFolders(program) : languageFiles(program);
        QCOMPARE(found, listed);
        QCOMPARE(dataFile(program, kind, found.first()), QDir::toNativeSeparators(at(readFrom)));
    }

    void switches_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("jazyk");
        QTest::addColumn<QString>("vzhled");

        QTest::newRow("user's skin") << "-skin:Mine"
                                     << "english.lng"
                                     << "Mine";
        QTest::newRow("shipped skin") << "-skin:Wood"
                                      << "english.lng"
                                      << "Wood";
        QTest::newRow("user's skin in another letter case") << "-skin:MINE"
                                                            << "english.lng"
                                                            << "Mine";
        QTest::newRow("no such skin") << "-skin:Gone"
                                      << "english.lng"
                                      << "Funny";
        QTest::newRow("user's language") << "-language:breton"
                                         << "breton.lng"
                                         << "Funny";
        QTest::newRow("shipped language") << "-language:czech"
                                          << "czech.lng"
                                          << "Funny";
        QTest::newRow("absolute path into the user's folder")
            << "-language:@/user/tavlinko/jazyky/breton.lng"
            << "breton.lng"
            << "Funny";
        QTest::newRow("absolute path into the shipped folder")
            << "-language:@/share/tavlinko/jazyky/czech.lng"
            << "czech.lng"
            << "Funny";
        QTest::newRow("absolute path elsewhere") << "-language:@/breton.lng"
                                                 << "english.lng"
                                                 << "Funny";
    }

    void switches() {
        QFETCH(QString, argument);
        QFETCH(QString, jazyk);
        QFETCH(QString, vzhled);
        makeFolder(QStringLiteral("bin"));
        makeFolder(QStringLiteral("share/tavlinko/skin/Wood"));
        makeFolder(QStringLiteral("user/tavlinko/skin/Mine"));
        touch(QStringLiteral("share/tavlinko/jazyky/czech.lng"));
        touch(QStringLiteral("user/tavlinko/jazyky/breton.lng"));
        touch(QStringLiteral("breton.lng"));

        RulerState s;
        s.CestaProgramu = at(QStringLiteral("bin/"));
        s.Jazyk = QStringLiteral("english.lng");
        s.Parametry = {argument.replace(u'@', root.path())};
        ZpracujPrepinace(s);
        QCOMPARE(s.Jazyk, jazyk);
        QCOMPARE(s.Vzhled, vzhled);
    }

    // Where the settings file goes, for a writable program folder.
    void settingsFile_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("expected");

        QTest::newRow("portable") << QStringList{"bin/skin/"} << "bin/tavlinko.ini";
        QTest::newRow("installed")
            << QStringList{"bin/", "share/tavlinko/"} << "config/tavlinko/tavlinko.ini";
        QTest::newRow("installed with its own file beside")
            << QStringList{"bin/tavlinko.ini", "share/tavlinko/"} << "bin/tavlinko.ini";
        QTest::newRow("no data anywhere") << QStringList{"bin/"} << "bin/tavlinko.ini";
    }

    void settingsFile() {
        QFETCH(QStringList, present);
        QFETCH(QString, expected);
        for (const QString &path : present)
            path.endsWith(u'/') ? makeFolder(path) : touch(path);
        QCOMPARE(VychoziSouborNastaveni(at(QStringLiteral("bin/"))),
                 QDir::toNativeSeparators(at(expected)));
    }

    // What the language editor is handed for a change, and the folder it works in.
    void languageEditing_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("file");   // handed to the editor
        QTest::addColumn<QString>("source"); // whose content it holds; empty: none
        QTest::addColumn<QString>("folder"); // where the editor works
        QTest::addColumn<bool>("flagCopied");

        const QString shipped = QStringLiteral("share/tavlinko/jazyky/english.lng");
        const QString own = QStringLiteral("user/tavlinko/jazyky/english.lng");
        const QString ownFolder = QStringLiteral("user/tavlinko/jazyky/");
        QTest::newRow("installed: shipped file copied with its flag")
            << QStringList{"bin/", shipped, "share/tavlinko/jazyky/english.bmp"} << own << shipped
            << ownFolder << true;
        QTest::newRow("installed: shipped file without a flag")
            << QStringList{"bin/", shipped} << own << shipped << ownFolder << false;
        QTest::newRow("installed: the user's own file changed in place")
            << QStringList{"bin/", shipped, "share/tavlinko/jazyky/english.bmp", own} << own << own
            << ownFolder << false;
        QTest::newRow("installed: no such file") << QStringList{"bin/", "share/tavlinko/jazyky/"}
                                                 << shipped << QString() << ownFolder << false;
        QTest::newRow("portable: changed beside the program")
            << QStringList{"bin/jazyky/english.lng", "bin/jazyky/english.bmp"}
            << "bin/jazyky/english.lng"
            << "bin/jazyky/english.lng"
            << "bin/jazyky/" << false;
    }

    void languageEditing() {
        QFETCH(QStringList, present);
        QFETCH(QString, file);
        QFETCH(QString, source);
        QFETCH(QString, folder);
        QFETCH(bool, flagCopied);
        for (const QString &path : present) {
            path.endsWith(u'/') ? makeFolder(path) : touch(path);
            // The package's files are read-only.
            if (path.startsWith(u"share/") && !path.endsWith(u'/'))
                QFile::setPermissions(at(path), QFile::ReadOwner | QFile::ReadOther);
        }
        const QString program = at(QStringLiteral("bin/"));

        QCOMPARE(editableLanguageFile(program, QStringLiteral("english.lng")),
                 QDir::toNativeSeparators(at(file)));
        QCOMPARE(QFileInfo::exists(at(file)), !source.isEmpty());
        if (!source.isEmpty()) {
            QCOMPARE(readFile(at(file)), source.toUtf8());
            QVERIFY(QFileInfo(at(file)).permissions() & QFile::WriteOwner);
        }
        QCOMPARE(QFileInfo::exists(at(QStringLiteral("user/tavlinko/jazyky/english.bmp"))),
                 flagCopied);
        QCOMPARE(languageEditingFolder(program), QDir::toNativeSeparators(at(folder)));
        QVERIFY(QFileInfo(at(folder)).isDir());
    }

    // An installed ruler: the program in bin/, its data in share/tavlinko/, a skin of the user's
    // own under the same name as a shipped one, the settings in the user's config folder.
    void installedRulerUsesSharedDataAndTheUsersSkin() {
        const QDir shipped(QStringLiteral(TAVLINKO_SOURCE_DIR "/data/jazyky"));
        for (const QString &name : shipped.entryList(QDir::Files))
            writeFile(at(QStringLiteral("share/tavlinko/jazyky/") + name),
                      readFile(shipped.filePath(name)));
        writeFile(at(QStringLiteral("share/tavlinko/skin/Funny/skin.ini")),
                  "[Horizontal]\nrule.height=50\n");
        writeFile(at(QStringLiteral("user/tavlinko/skin/Funny/skin.ini")),
                  "[Horizontal]\nrule.height=40\n");
        makeFolder(QStringLiteral("bin"));

        RulerState state;
        state.CestaProgramu = at(QStringLiteral("bin/"));
        {
            TMainForm ruler(state, {QStringLiteral("-language:german")});
            ruler.show();
            QCOMPARE(ruler.height(), 40);
            QCOMPARE(ruler.findChild<QWidget *>(QStringLiteral("buttonKonec"))->toolTip(),
                     QStringLiteral("Beenden"));
        }
        const QByteArray saved = readFile(at(QStringLiteral("config/tavlinko/tavlinko.ini")));
        QVERIFY(saved.contains("Jazyk=german.lng"));
        QVERIFY(saved.contains("Vzhled=Funny"));
    }
};

QTEST_MAIN(TestDataFolders)
#include "tst_datafolders.moc"
