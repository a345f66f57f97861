// Reading only what is a regular file of sane size, and replacing files so that a failure at
// any step leaves the old file as it was.

#include "TestFiles.h"
#include "core/settings/IniFile.h"
#include "core/settings/TextFile.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Files may grow to this many bytes while it lives: the effect of a full disk on the writes
// (they fail with EFBIG), without needing a small file system.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old = {};
};

QStringList entries(const QTemporaryDir &dir) {
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    // A file may hold more than its size said when it was opened (a growing log, a kernel file
    // that claims 0 bytes); what it holds counts, up to the cap and one past it.
    void filesLongerThanTheyClaimAreReadToTheCap() {
        const QString path = QStringLiteral("/proc/version");
        if (QFileInfo(path).size() != 0)
            QSKIP("needs a regular file that claims to be empty");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray held = file.readAll();
        QVERIFY(!held.isEmpty());

        const FileContents atCap = readRegularFile(path, held.size());
        QCOMPARE(int(atCap.status), int(FileContents::Read));
        QCOMPARE(atCap.bytes, held);
        const FileContents pastCap = readRegularFile(path, held.size() - 1);
        QCOMPARE(int(pastCap.status), int(FileContents::TooLarge));
        QVERIFY(pastCap.bytes.isEmpty());
    }

    void onlyRegularFilesAreRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("status");
        QTest::newRow("empty file") << "empty" << int(FileContents::Read);
        QTest::newRow("at the cap") << "cap" << int(FileContents::Read);
        QTest::newRow("one byte past the cap") << "over" << int(FileContents::TooLarge);
        QTest::newRow("link to a file") << "link" << int(FileContents::Read);
        QTest::newRow("nothing") << "missing" << int(FileContents::Missing);
        QTest::newRow("folder") << "folder" << int(FileContents::Missing);
        QTest::newRow("fifo") << "fifo" << int(FileContents::NotRegular);
        QTest::newRow("link to /dev/zero") << "zero" << int(FileContents::NotRegular);
    }
    void onlyRegularFilesAreRead() {
        QFETCH(QString, kind);
        QFETCH(int, status);
        QTemporaryDir dir;
        const QString path = dir.filePath("f");
        const QByteArray bytes(kind == "over" ? 101 : kind == "empty" ? 0 : 100, 'x');
        if (kind == "empty" || kind == "cap" || kind == "over")
            writeFile(path, bytes);
        else if (kind == "link") {
            writeFile(dir.filePath("target"), bytes);
            QVERIFY(QFile::link(dir.filePath("target"), path));
        } else if (kind == "folder")
            QVERIFY(QDir().mkdir(path));
        else if (kind == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "zero")
            QVERIFY(QFile::link("/dev/zero", path));

        // A FIFO without a writer would block here for ever.
        const FileContents contents = readRegularFile(path, 100);
        QCOMPARE(int(contents.status), status);
        QCOMPARE(contents.bytes, status == FileContents::Read ? bytes : QByteArray());

        // A settings save never replaces a FIFO or a device with a file.
        if (status == FileContents::NotRegular) {
            IniFile ini(path);
            ini.writeString("A", "k", "v");
            QVERIFY(!ini.save());
            QVERIFY(!QFileInfo(path).isFile());
        }
    }

    void fullDiskKeepsTheOldFile_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("fits");
        // Large enough to stay in the write buffer until the final flush.
        QTest::newRow("at the limit") << 4000 << true;
        QTest::newRow("one byte past it") << 4001 << false;
    }
    void fullDiskKeepsTheOldFile() {
        QFETCH(int, size);
        QFETCH(bool, fits);
        QTemporaryDir dir;
        const QString path = dir.filePath("tavlinko.ini");
        const QByteArray old = "[Jednotky]\r\n1=Pixel;px;1;0;5\r\n";
        writeFile(path, old);
        const QByteArray replacement(size, 'n');
        QString error;
        bool written = false;
        {
            const FileSizeLimit limit(4000);
            written = writeFileAtomically(path, replacement, &error);
        }
        QCOMPARE(written, fits);
        QCOMPARE(error.isEmpty(), fits);
        QCOMPARE(readFile(path), fits ? replacement : old);
        QCOMPARE(entries(dir), QStringList{"tavlinko.ini"});
    }

    void linkedFileIsWrittenThrough() {
        QTemporaryDir dir;
        writeFile(dir.filePath("real.ini"), "old");
        QVERIFY(QFile::link(dir.filePath("real.ini"), dir.filePath("tavlinko.ini")));
        QFile::setPermissions(dir.filePath("real.ini"), QFile::ReadOwner | QFile::WriteOwner);
        QString error;
        QVERIFY(writeFileAtomically(dir.filePath("tavlinko.ini"), "new", &error));
        QVERIFY(QFileInfo(dir.filePath("tavlinko.ini")).isSymLink());
        QCOMPARE(readFile(dir.filePath("real.ini")), QByteArray("new"));
        QCOMPARE(QFile::permissions(dir.filePath("real.ini")),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }

    void staleTemporaryFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("removed");
        QTest::newRow("left by a killed save") << "tavlinko.ini.aZ09xY.tmp" << true;
        QTest::newRow("the settings themselves") << "tavlinko.ini" << false;
        QTest::newRow("a user's backup") << "tavlinko.ini.backup" << false;
        QTest::newRow("five random letters") << "tavlinko.ini.aZ09x.tmp" << false;
        QTest::newRow("seven random letters") << "tavlinko.ini.aZ09xYz.tmp" << false;
        QTest::newRow("something after it") << "tavlinko.ini.aZ09xY.tmp.old" << false;
        QTest::newRow("another file's") << "other.ini.aZ09xY.tmp" << false;
        QTest::newRow("a name that ends like it") << "xtavlinko.ini.aZ09xY.tmp" << false;
        QTest::newRow("a dot among the letters") << "tavlinko.ini.aZ0.xY.tmp" << false;
        QTest::newRow("a letter of another script") << "tavlinko.ini.aZ09x\u00e9.tmp" << false;
        QTest::newRow("suffix in capitals") << "tavlinko.ini.aZ09xY.TMP" << false;
    }
    void staleTemporaryFiles() {
        QFETCH(QString, name);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        writeFile(dir.filePath(name), "x");
        QCOMPARE(removeStaleTemporaryFiles(dir.filePath("tavlinko.ini")), int(removed));
        QCOMPARE(QFileInfo::exists(dir.filePath(name)), !removed);
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
