// The ruler saves its settings soon after each change, and after a drag once it stops, so that
// a killed or hung ruler loses nothing; what it could not save at its last end, and monitors
// it had to leave out of a full file, it tells.

#include "RulerFixture.h"
#include "core/settings/IniFile.h"
#include "core/settings/TextFile.h"
#include "core/settings/UnsavedSettingsNote.h"
#include "forms/ruler/SettingsSaver.h"

namespace {

QString storedValue(const RulerFixture &ruler, const char *section, const char *key) {
    return IniFile(ruler.state.SouborNastaveni).readString(section, key, QString());
}

} // namespace

class TestMainFormSaving : public QObject {
    Q_OBJECT

    QTemporaryDir runtime;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void aChangeIsSavedSoon_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("turned") << int(Qt::Key_F2) << 0 << "Obecne"
                                << "Poloha"
                                << "Vertikalni";
        QTest::newRow("zero swapped") << int(Qt::Key_F3) << 0 << "Obecne"
                                      << "Obracene"
                                      << "Ano";
        QTest::newRow("next unit") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << "Mereni"
                                   << "Jednotka"
                                   << "1";
        QTest::newRow("longer") << int(Qt::Key_Right) << 0 << "Obecne"
                                << "Delka"
                                << "473";
        QTest::newRow("snapping to edges") << int(Qt::Key_F7) << 0 << "Mereni"
                                           << "Prichytit k hranam"
                                           << "Ano";
    }
    void aChangeIsSavedSoon() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, section);
        QFETCH(QString, name);
        QFETCH(QString, value);
        RulerFixture ruler;
        ruler.write("tavlinko.ini", "[Obecne]\nDelka=472\n");
        ruler.start();
        QVERIFY(QTest::qWaitFor([&] { return storedValue(ruler, "Obecne", "Vzhled") == "Funny"; }));
        QTest::keyClick(ruler.form.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(storedValue(ruler, qPrintable(section), qPrintable(name)) != value);
        QVERIFY(QTest::qWaitFor(
            [&] { return storedValue(ruler, qPrintable(section), qPrintable(name)) == value; },
            SettingsSaver::saveDelayMs * 10));
    }

    // Every step of a drag puts the save off: the file changes once, when the drag stops.
    void aDragIsSavedWhenItStops() {
        RulerFixture ruler;
        ruler.start();
        const QString path = ruler.state.SouborNastaveni;
        QVERIFY(QTest::qWaitFor([&] { return !storedValue(ruler, "Obecne", "X").isEmpty(); }));
        const QByteArray before = readFile(path);
        const QPoint start = ruler.form->pos();
        for (int step = 1; step <= 10; ++step) {
            ruler.form->move(start + QPoint(step, step));
            QTest::qWait(SettingsSaver::saveDelayMs / 5);
            QCOMPARE(readFile(path), before);
        }
        QVERIFY(QTest::qWaitFor([&] { return readFile(path) != before; },
                                SettingsSaver::saveDelayMs * 10));
        QCOMPARE(storedValue(ruler, "Obecne", "X").toInt(), ruler.form->pos().x());
    }

    void toldAtStart_data() {
        QTest::addColumn<bool>("noted");
        QTest::newRow("a failed save at the last end") << true;
        QTest::newRow("nothing to tell") << false;
    }
    void toldAtStart() {
        QFETCH(bool, noted);
        RulerFixture ruler;
        if (noted)
            noteUnsavedSettings(ruler.folder.filePath("tavlinko.ini"));
        ruler.start();
        QCOMPARE(ruler.messages.filter("nepodařilo uložit").size(), noted ? 1 : 0);
        ruler.stop();
        ruler.start();
        QCOMPARE(ruler.messages.filter("nepodařilo uložit").size(), noted ? 1 : 0);
    }

    // A full file gives up the monitors seen longest ago when a change is saved, and says so.
    void monitorsLeftOutAreTold() {
        RulerFixture ruler;
        QByteArray monitors;
        for (int i = 0; i < 30; ++i)
            monitors +=
                "[Monitor M" + QByteArray::number(i) + "]\nRozliseni X=90\nRozliseni Y=90\n";
        const QByteArray head = "[Obecne]\nDelka=472\n; ";
        ruler.write("tavlinko.ini",
                    head + QByteArray(TextFileSizeCap - head.size() - monitors.size() - 1, 'c') +
                        "\n" + monitors);
        ruler.start();
        QTest::keyClick(ruler.form.get(), Qt::Key_F2);
        QVERIFY(
            QTest::qWaitFor([&] { return storedValue(ruler, "Obecne", "Poloha") == "Vertikalni"; },
                            SettingsSaver::saveDelayMs * 10));
        QCOMPARE(ruler.messages.filter("nejdéle nevidělo").size(), 1);
        QVERIFY(QFileInfo(ruler.state.SouborNastaveni).size() <= TextFileSizeCap);
    }
};

QTEST_MAIN(TestMainFormSaving)
#include "tst_mainform_saving.moc"
