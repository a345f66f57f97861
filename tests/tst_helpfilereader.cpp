// The help reader program as the ruler starts it: a reader that cannot be started is a broken
// installation, told at once and by the reader's path, not a damaged help file after the time
// limit; whatever the reader starts ends with it.

#include "HelpReading.h"
#include "RulerFixture.h"
#include "forms/help/HtmlHelpEngine.h"
#include "forms/help/HtmlHelpViewer.h"

#include <QElapsedTimer>
#include <csignal>

namespace {

// Whether the process runs (a zombie nobody reaps has ended).
bool running(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray fields = stat.readAll();
    return !fields.mid(fields.lastIndexOf(')') + 2).startsWith('Z');
}

} // namespace

class TestHelpFileReader : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void unstartableReaderIsToldAtOnce_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("not executable") << "plain file";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a script without its interpreter") << "script";
    }
    void unstartableReaderIsToldAtOnce() {
        QFETCH(QString, kind);
        const QString reader = folder.filePath(kind + "-reader");
        if (kind == "plain file")
            writeFile(reader, "#!/bin/sh\nexit 0\n");
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(reader));
        else if (kind == "script") {
            writeFile(reader, "#!/no/such/interpreter\n");
            QVERIFY(QFile::setPermissions(reader, QFile::ReadOwner | QFile::ExeOwner));
        }
        HelpFileReader helpReader(reader);
        QStringList missing;
        int failed = 0;
        connect(&helpReader, &HelpFileReader::readerMissing,
                [&](const QString &program) { missing << program; });
        connect(&helpReader, &HelpFileReader::failed, [&] { ++failed; });
        QElapsedTimer clock;
        clock.start();
        helpReader.read(QStringLiteral(TAVLINKO_TEST_CHM));
        QVERIFY(QTest::qWaitFor([&] { return !missing.isEmpty(); }, 3000));
        QVERIFY(clock.elapsed() < HelpFileReader::timeLimitMs / 2);
        QCOMPARE(missing, QStringList{reader});
        QCOMPARE(failed, 0);
        QVERIFY(helpReader.reading().isEmpty());
    }

    // The user reads which program is missing, in words that say the installation is at fault.
    void theRulerTellsOfTheReaderNotTheFile() {
        THtmlHelpViewer viewer(folder.path());
        viewer.setHelpFile(QStringLiteral(TAVLINKO_TEST_CHM));
        const QString reader = folder.filePath("no-reader");
        viewer.engine()->setReaderProgram(reader);
        QStringList reports;
        viewer.engine()->reportFailure = [&reports](const QString &text) { reports << text; };
        RulerFixture ruler;
        ruler.start();
        ruler.form->setHelp(viewer);
        QTest::keyClick(ruler.form.get(), Qt::Key_F1);
        QVERIFY(QTest::qWaitFor([&] { return !reports.isEmpty(); }, 3000));
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports[0].contains(QStringLiteral("není správně nainstalován")));
        QVERIFY(reports[0].contains(reader));
        QVERIFY(!viewer.engine()->reading());
    }

    // A reader that starts a program of its own: both end when the read is given up.
    void whatTheReaderStartsEndsWithIt() {
        const QString reader = folder.filePath("spawning-reader");
        const QString childPid = folder.filePath("child.pid");
        writeFile(reader,
                  "#!/bin/sh\nsleep 300 &\necho $! >'" + childPid.toUtf8() + "'\nexec sleep 300\n");
        QVERIFY(QFile::setPermissions(reader, QFile::ReadOwner | QFile::ExeOwner));
        auto helpReader = std::make_unique<HelpFileReader>(reader);
        helpReader->read(QStringLiteral(TAVLINKO_TEST_CHM));
        QVERIFY(
            QTest::qWaitFor([&] { return readFile(childPid).trimmed().toLongLong() > 0; }, 5000));
        const qint64 child = readFile(childPid).trimmed().toLongLong();
        QVERIFY(running(child));
        helpReader.reset();
        QVERIFY(QTest::qWaitFor([&] { return !running(child); }, 2000));
    }
};

QTEST_MAIN(TestHelpFileReader)
#include "tst_helpfilereader.moc"
