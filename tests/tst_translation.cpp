// The one way a text reaches the user: translated when the language has it, then its "%s"
// markers filled in order, each once, so that an argument that itself holds "%s" (a file name)
// comes through as it is.

#include <QtTest>

#include "core/translation/LangTranslator.h"
#include "core/translation/Translation.h"

class TestTranslation : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void translatedText_data() {
        QTest::addColumn<bool>("withTranslator");
        QTest::addColumn<QString>("czech");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        const QString missing = QStringLiteral("Soubor %s nebyl nalezen.");
        const QString pair = QStringLiteral("od %s do %s");
        for (const bool translator : {false, true}) {
            const char *way = translator ? "translated" : "no translator";
            const QString file = translator ? QStringLiteral("File %1 was not found.")
                                            : QStringLiteral("Soubor %1 nebyl nalezen.");
            const QString range =
                translator ? QStringLiteral("from %1 to %2") : QStringLiteral("od %1 do %2");
            QTest::addRow("%s, no arguments", way)
                << translator << missing << QStringList() << file.arg(QStringLiteral("%s"));
            QTest::addRow("%s, one argument", way)
                << translator << missing << QStringList{"a.lng"} << file.arg("a.lng");
            QTest::addRow("%s, an argument holding the marker", way)
                << translator << missing << QStringList{"x%sy.lng"} << file.arg("x%sy.lng");
            QTest::addRow("%s, the first of two arguments is the marker", way)
                << translator << pair << QStringList{"%s", "9"}
                << range.arg(QStringLiteral("%s"), QStringLiteral("9"));
            QTest::addRow("%s, fewer arguments than markers", way)
                << translator << pair << QStringList{"1"}
                << range.arg(QStringLiteral("1"), QStringLiteral("%s"));
            QTest::addRow("%s, more arguments than markers", way)
                << translator << missing << QStringList{"a", "b"} << file.arg("a");
            QTest::addRow("%s, an empty argument", way)
                << translator << pair << QStringList{"", "2"}
                << range.arg(QString(), QStringLiteral("2"));
        }
        QTest::newRow("translated, a text the language lacks")
            << true << "Nic nenalezeno." << QStringList() << "Nic nenalezeno.";
        QTest::newRow("translated, a text without markers given arguments")
            << true << "Nic nenalezeno." << QStringList{"x"} << "Nic nenalezeno.";
    }
    void translatedText() {
        QFETCH(bool, withTranslator);
        QFETCH(QString, czech);
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        TLangTranslator translator;
        translator.setTemplate({"1: MESSAGE \"Soubor %s nebyl nalezen.\"",
                                "2: MESSAGE \"od %s do %s\"", "3: MESSAGE \"Nic nenalezeno.\""});
        QFile language(m_dir.filePath(QStringLiteral("english.lng")));
        QVERIFY(language.open(QIODevice::WriteOnly));
        language.write("1=File %s was not found.\r\n2=from %s to %s\r\n");
        language.close();
        translator.setLanguageFile(language.fileName());
        QCOMPARE(::translatedText(withTranslator ? &translator : nullptr, czech, arguments),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestTranslation)
#include "tst_translation.moc"
