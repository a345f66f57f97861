// The ruler started on files that are broken, special or hostile: it starts, says what went
// wrong once, and loses nothing.

#include "RulerFixture.h"
#include "core/translation/LangTranslator.h"

#include <QMessageBox>
#include <QTimer>

#include <sys/stat.h>

namespace {

// Answers every modal box that opens while it lives, as a user would, and keeps its text.
class BoxAnswerer {
public:
    BoxAnswerer() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->close();
            }
        });
        m_timer.start(0);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

} // namespace

class TestMainFormFaults : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void leftoverSavesGoUnlessReadOnly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("removed");
        QTest::newRow("normal start") << QStringList() << true;
        QTest::newRow("read-only") << QStringList{"-readonly"} << false;
    }
    void leftoverSavesGoUnlessReadOnly() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, removed);
        RulerFixture ruler;
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nDelka=300\r\n");
        ruler.write(QStringLiteral("tavlinko.ini.Ab12Cd.tmp"), "[Obecne]\r\nDelka=300\r\n");
        ruler.start(arguments);
        QCOMPARE(QFileInfo::exists(ruler.folder.filePath("tavlinko.ini.Ab12Cd.tmp")), !removed);
    }

    // A language name that names no regular file falls back to Czech without a word.
    void languageThatIsNoFile_data() {
        QTest::addColumn<QString>("jazyk");
        QTest::newRow("blank") << "";
        QTest::newRow("dot") << ".";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("fifo") << "fifo.lng";
    }
    void languageThatIsNoFile() {
        QFETCH(QString, jazyk);
        RulerFixture ruler;
        ruler.shipLanguages();
        QCOMPARE(mkfifo(QFile::encodeName(ruler.folder.filePath("jazyky/fifo.lng")), 0600), 0);
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nJazyk=" + jazyk.toUtf8() + "\r\n");
        BoxAnswerer boxes;
        ruler.start();
        QCOMPARE(boxes.texts, QStringList());
        QCOMPARE(ruler.form->Prekladac()->LanguageFile(),
                 ruler.folder.filePath("jazyky/czech.lng"));
    }
};

QTEST_MAIN(TestMainFormFaults)
#include "tst_mainform_faults.moc"
