#include <QtTest>

#include "core/settings/TextFile.h"
#include "core/translation/ConvertError.h"
#include "core/translation/FileError.h"
#include "core/translation/LangTranslator.h"

// A component with one property of each kind the translator knows, plus one it must ignore.
class Control : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER caption)
    Q_PROPERTY(int Width MEMBER width)
    Q_PROPERTY(QStringList Lines MEMBER lines)
    Q_PROPERTY(bool Visible MEMBER visible)
public:
    Control(const QString &name, QObject *parent = nullptr) : QObject(parent) {
        setObjectName(name);
    }
    QString caption;
    int width = 0;
    QStringList lines;
    bool visible = true;
};

class TestLangTranslator : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_appName;

    QString writeBytes(const QString &name, const QByteArray &bytes) {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write a fixture");
        file.write(bytes);
        return file.fileName();
    }
    QString write(const QString &name, const QStringList &lines) {
        return writeBytes(name, lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    }
    // A translator over the given definition lines, with the given language file read.
    void prepare(TLangTranslator &t, const QStringList &definition, const QStringList &language) {
        t.setTemplate(definition);
        t.setLanguageFile(write(QStringLiteral("jazyk.lng"), language));
    }
    static QString describe(const TLanguageTemplate &items) {
        QStringList parts;
        for (const TTemplateItem &i : items)
            parts << QStringLiteral("%1|%2|%3|%4").arg(i.Kind).arg(i.Id).arg(i.Number).arg(i.Text);
        return parts.join(u'\n');
    }
    static QStringList translations(const TLangTranslator &t) {
        QStringList result;
        for (const TTemplateItem &i : t.Items())
            result << i.Translation;
        return result;
    }
    static QString changedProperties(const QList<Control *> &tree) {
        QStringList parts;
        for (const Control *c : tree) {
            if (!c->caption.isEmpty())
                parts << c->objectName() + ".Caption=" + c->caption;
            if (c->width != 0)
                parts << c->objectName() + ".Width=" + QString::number(c->width);
            if (!c->lines.isEmpty())
                parts << c->objectName() + ".Lines=" + c->lines.join(u'|');
            if (!c->visible)
                parts << c->objectName() + ".Visible=false";
        }
        return parts.join(u' ');
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QVERIFY(m_dir.isValid());
        m_appName = QCoreApplication::applicationName();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath("user"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, m_dir.filePath("sys"));
    }

    void definitionGrammar_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("info"); // Program#Version#Author
        QTest::newRow("section spellings")
            << QStringList{"[LANGUAGE]", "PROGRAM=T",       "[Items]",          "1: MESSAGE \"a\"",
                           "[LANGUAGE]", "[ITEMS",          "2: MESSAGE \"b\"", "[language]",
                           "  [items]",  "3: MESSAGE \"c\""}
            << "2|1|0|a\n2|2|0|b\n2|3|0|c"
            << "T##";
        QTest::newRow("blanks inside brackets") << QStringList{"[ LANGUAGE ]", "PROGRAM=T"} << ""
                                                << "##";
        QTest::newRow("header keys")
            << QStringList{"[LANGUAGE]", "PROGRAM = T", "version: 3 ", "AUTHOR=A|B", "OTHER=x"}
            << ""
            << "# 3 #A\r\nB";
        QTest::newRow("comment kind") << QStringList{"7: COMMENT \"x\""} << ""
                                      << "##";
        QTest::newRow("number token") << QStringList{"7: MESSAGE 4 \"x\""} << "2|7|4|x"
                                      << "##";
        QTest::newRow("last keyword wins")
            << QStringList{"1: COMMENT component \"a.b\"", "2: MESSAGE SECTION \"c\""}
            << "1|1|0|a.b"
            << "##";
        QTest::newRow("text with blanks, no escapes")
            << QStringList{"1:\tmessage\t\"a b\tc\\\" rest"} << "2|1|0|a b\tc\\"
            << "##";
        QTest::newRow("unclosed quote") << QStringList{"1: MESSAGE \"abc"} << "2|1|0|"
                                        << "##";
        QTest::newRow("no number")
            << QStringList{"MESSAGE \"x\"", ": MESSAGE \"y\""} << "2|-1|0|x\n2|-1|0|y"
            << "##";
        QTest::newRow("nothing after colon") << QStringList{"5:"} << ""
                                             << "##";
        QTest::newRow("blanks, comments, empty lines")
            << QStringList{"\t  3: COMPONENT \"a.b\"", "  // 4: MESSAGE \"x\"", "/5: MESSAGE \"y\"",
                           " \t ", ""}
            << "1|3|0|a.b"
            << "##";
    }
    void definitionGrammar() {
        QFETCH(QStringList, lines);
        QFETCH(QString, items);
        QFETCH(QString, info);
        TLangTranslator t;
        t.setTemplate(lines);
        t.LoadTemplate();
        QCOMPARE(describe(t.Items()), items);
        const TTemplateInfo &read = t.TemplateInfo();
        QCOMPARE(read.Program + u'#' + read.Version + u'#' + read.Author, info);
    }

    void languageGrammar_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected"); // translations of items 1, 12, 12 again, 3
        QTest::addColumn<QString>("info");         // Language#Version#Author#Definition
        QTest::newRow("key not in column 1")
            << QStringList{"  12=x"} << QStringList{"", "", "", ""} << "###";
        QTest::newRow("blanks around separator")
            << QStringList{"12 =   x", "3\t: \ty"} << QStringList{"", "x", "", "y"} << "###";
        QTest::newRow("trailing blanks kept")
            << QStringList{"12=x  "} << QStringList{"", "x  ", "", ""} << "###";
        QTest::newRow("first separator splits")
            << QStringList{"1:a=b", "3=c:d"} << QStringList{"a=b", "", "", "c:d"} << "###";
        QTest::newRow("later line overwrites")
            << QStringList{"1=a", "1=b"} << QStringList{"b", "", "", ""} << "###";
        QTest::newRow("skipped lines") << QStringList{"/1=a", "=x", "99=z", "bez oddelovace", ""}
                                       << QStringList{"", "", "", ""} << "###";
        QTest::newRow("header") << QStringList{"language=Čeština", "VERSION =9", "AUTHOR=A|B",
                                               "DEFINITION:x.lnd "}
                                << QStringList{"", "", "", ""} << "Čeština##A\r\nB#x.lnd ";
    }
    void languageGrammar() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        QFETCH(QString, info);
        TLangTranslator t;
        prepare(t,
                {"1: MESSAGE \"jedna\"", "12: MESSAGE \"dvanact\"", "12: MESSAGE \"znovu\"",
                 "3: MESSAGE \"tri\""},
                lines);
        QVERIFY(t.LanguageLoaded());
        QCOMPARE(translations(t), expected);
        const TLanguageInfo &i = t.LanguageInfo();
        QCOMPARE(i.Language + u'#' + i.Version + u'#' + i.Author + u'#' + i.Definition, info);
    }

    void translateString_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        const QString q = QStringLiteral("Opravdu chcete smazat tuto jednotku ?");
        QTest::newRow("exact") << q << "Really delete this unit?";
        QTest::newRow("trailing blank") << q + u' ' << q + u' ';
        QTest::newRow("other case") << q.toUpper() << q.toUpper();
        QTest::newRow("listed, untranslated") << "Neprelozeno"
                                              << "Neprelozeno";
        QTest::newRow("not listed") << "Neznamy"
                                    << "Neznamy";
        QTest::newRow("component item") << "MainForm.Caption"
                                        << "Titulek";
    }
    void translateString() {
        QFETCH(QString, source);
        QFETCH(QString, expected);
        TLangTranslator t;
        QSignalSpy before(&t, &TLangTranslator::OnBeforeTranslation);
        prepare(t,
                {"5: MESSAGE \"Opravdu chcete smazat tuto jednotku ?\"",
                 "6: MESSAGE \"Neprelozeno\"", "7: COMPONENT \"MainForm.Caption\""},
                {"5=Really delete this unit?", "7=Titulek"});
        QCOMPARE(t.TranslateString(source), expected);
        QCOMPARE(before.count(), 0);
    }

    void propertyPaths_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("changes");
        QTest::newRow("case of every part") << "mainform.LABEL.caption"
                                            << "Ahoj"
                                            << "label.Caption=Ahoj";
        QTest::newRow("blanks around parts") << " MainForm . label . Caption "
                                             << "x"
                                             << "label.Caption=x";
        QTest::newRow("form property") << "MainForm.Caption"
                                       << "T"
                                       << "MainForm.Caption=T";
        QTest::newRow("integer") << "MainForm.label.width"
                                 << "-120"
                                 << "label.Width=-120";
        QTest::newRow("string list") << "MainForm.label.Lines"
                                     << "a, b,,c,"
                                     << "label.Lines=a|b||c";
        QTest::newRow("nested child") << "MainForm.panel.inner.Caption"
                                      << "x"
                                      << "inner.Caption=x";
        QTest::newRow("grandchild skipped") << "MainForm.inner.Caption"
                                            << "x"
                                            << "";
        QTest::newRow("boolean ignored") << "MainForm.label.Visible"
                                         << "false"
                                         << "";
        QTest::newRow("no such property") << "MainForm.listJazyky"
                                          << "x"
                                          << "";
        QTest::newRow("unknown form") << "Other.label.Caption"
                                      << "x"
                                      << "";
        QTest::newRow("sub-object") << "MainForm.label.Font.Name"
                                    << "x"
                                    << "";
        QTest::newRow("empty translation") << "MainForm.label.Caption"
                                           << ""
                                           << "";
        QTest::newRow("application") << "applicationName"
                                     << "Preklad"
                                     << "app=Preklad";
    }
    void propertyPaths() {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(QString, changes);
        Control form(QStringLiteral("MainForm"));
        auto *label = new Control(QStringLiteral("label"), &form);
        auto *twin = new Control(QStringLiteral("Label"), &form);
        auto *panel = new Control(QStringLiteral("panel"), &form);
        auto *inner = new Control(QStringLiteral("inner"), panel);
        TLangTranslator t;
        t.addForm(&form);
        prepare(t, {"1: COMPONENT \"" + path + u'"'}, {"1=" + text});
        t.Translate();
        QString result = changedProperties({&form, label, twin, panel, inner});
        if (QCoreApplication::applicationName() != m_appName) {
            result += "app=" + QCoreApplication::applicationName();
            QCoreApplication::setApplicationName(m_appName);
        }
        QCOMPARE(result, changes);
    }

    // A form built late takes its own items only: the other forms, the application and the
    // translation signals are left alone.
    void translateOneForm() {
        Control ruler(QStringLiteral("MainForm"));
        Control dialog(QStringLiteral("AboutForm"));
        auto *label = new Control(QStringLiteral("label"), &dialog);
        TLangTranslator t;
        t.addForm(&ruler);
        t.addForm(&dialog);
        prepare(t,
                {"1: COMPONENT \"MainForm.Caption\"", "2: COMPONENT \"aboutform.Caption\"",
                 "3: COMPONENT \" AboutForm . label.Width\"", "4: COMPONENT \"applicationName\"",
                 "5: COMPONENT \"AboutFormX.Caption\"", "6: MESSAGE \"AboutForm.Caption\""},
                {"1=ruler", "2=about", "3=7", "4=renamed", "5=wrong", "6=message"});
        QSignalSpy before(&t, &TLangTranslator::OnBeforeTranslation);
        QSignalSpy after(&t, &TLangTranslator::OnAfterTranslation);
        t.TranslateForm(&dialog);
        QCOMPARE(changedProperties({&ruler, &dialog, label}),
                 QStringLiteral("AboutForm.Caption=about label.Width=7"));
        QCOMPARE(QCoreApplication::applicationName(), m_appName);
        QCOMPARE(before.count() + after.count(), 0);
    }

    void stringListSeparator_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << ""
                               << ","
                               << "a,b" << QStringList{"a", "b"};
        QTest::newRow("blanks") << " \t "
                                << ","
                                << "a,b" << QStringList{"a", "b"};
        QTest::newRow("padded semicolon") << " ; "
                                          << " ; "
                                          << " a ; b;c ;  " << QStringList{"a", "b;c"};
        QTest::newRow("empty pieces") << "|"
                                      << "|"
                                      << "||" << QStringList{"", ""};
    }
    void stringListSeparator() {
        QFETCH(QString, separator);
        QFETCH(QString, stored);
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        Control form(QStringLiteral("MainForm"));
        TLangTranslator t;
        t.addForm(&form);
        t.setSeparator(separator);
        QCOMPARE(t.Separator(), stored);
        prepare(t, {"1: COMPONENT \"MainForm.Lines\""}, {"1=" + text});
        t.Translate();
        QCOMPARE(form.lines, lines);
    }

    void switchingLanguageKeepsUntranslatedText() {
        Control form(QStringLiteral("MainForm"));
        auto *label = new Control(QStringLiteral("label"), &form);
        TLangTranslator t;
        t.addForm(&form);
        QSignalSpy before(&t, &TLangTranslator::OnBeforeTranslation);
        QSignalSpy after(&t, &TLangTranslator::OnAfterTranslation);
        prepare(t,
                {"1: COMPONENT \"MainForm.Caption\"", "2: COMPONENT \"MainForm.label.Caption\"",
                 "3: MESSAGE \"tri\""},
                {"LANGUAGE=Full", "AUTHOR=Me", "1=F1", "2=F2", "3=F3"});
        t.Translate();
        t.setLanguageFile(write("partial.lng", {"LANGUAGE=Part", "1=P1"}));
        t.Translate();
        QCOMPARE(form.caption, QStringLiteral("P1"));
        QCOMPARE(label->caption, QStringLiteral("F2"));
        QCOMPARE(t.TranslateString("tri"), QStringLiteral("F3"));
        QCOMPARE(t.LanguageInfo().Language + t.LanguageInfo().Author, QStringLiteral("PartMe"));
        QCOMPARE(before.count(), 2);
        QCOMPARE(after.count(), 2);
        QCOMPARE(after.first().first().value<QObject *>(), static_cast<QObject *>(&t));
    }

    void invalidNumbers_data() {
        QTest::addColumn<QStringList>("definition");
        QTest::addColumn<QStringList>("language");
        QTest::addColumn<QString>("offending");
        const QStringList width{"1: COMPONENT \"MainForm.Width\""};
        QTest::newRow("item number")
            << QStringList{"1: MESSAGE \"a\"", "1a: MESSAGE \"b\""} << QStringList{} << "1a";
        QTest::newRow("blank before colon")
            << QStringList{"1 : MESSAGE \"a\""} << QStringList{} << "1 ";
        QTest::newRow("number token")
            << QStringList{"1: MESSAGE 4x \"b\""} << QStringList{} << "4x";
        QTest::newRow("language key") << width << QStringList{"12a=x"} << "12A";
        QTest::newRow("integer property") << width << QStringList{"1=abc"} << "abc";
        QTest::newRow("integer overflow") << width << QStringList{"1=99999999999"} << "99999999999";
        QTest::newRow("one past the largest")
            << width << QStringList{"1=2147483648"} << "2147483648";
        QTest::newRow("sign alone") << width << QStringList{"1=-"} << "-";
        QTest::newRow("two signs") << width << QStringList{"1=+-1"} << "+-1";
        QTest::newRow("blank inside") << width << QStringList{"1=1 2"} << "1 2";
        QTest::newRow("digits of another script")
            << width << QStringList{QString::fromUtf8("1=\u0661\u0662")}
            << QString::fromUtf8("\u0661\u0662");
    }

    void wholeNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plus sign") << "+7" << 7;
        QTest::newRow("negative zero") << "-0" << 0;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
    }
    void wholeNumbers() {
        QFETCH(QString, text);
        QFETCH(int, value);
        Control form(QStringLiteral("MainForm"));
        form.width = 99;
        TLangTranslator t;
        t.addForm(&form);
        prepare(t, {"1: COMPONENT \"MainForm.Width\""}, {"1=" + text});
        t.Translate();
        QCOMPARE(form.width, value);
    }
    void invalidNumbers() {
        QFETCH(QStringList, definition);
        QFETCH(QStringList, language);
        QFETCH(QString, offending);
        Control form(QStringLiteral("MainForm"));
        TLangTranslator t;
        t.addForm(&form);
        t.setTemplate(definition);
        try {
            t.setLanguageFile(write("chyba.lng", language));
            t.Translate();
            QFAIL("no conversion error");
        } catch (const ConvertError &e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     "'" + offending + "' is not a valid integer value");
        }
    }

    void stateAfterConversionErrors() {
        TLangTranslator t;
        const QString definition =
            write("chyba.lnd", {"1: MESSAGE \"a\"", "x: MESSAGE \"b\"", "3: MESSAGE \"c\""});
        QVERIFY_THROWS_EXCEPTION(ConvertError, t.LoadDefinition(definition));
        QCOMPARE(describe(t.Items()), QStringLiteral("2|1|0|a"));
        // The items before the bad line make the table; using it raises nothing more.
        QVERIFY(t.DefinitionLoaded());
        QCOMPARE(t.TranslateString("a"), QStringLiteral("a"));
        QCOMPARE(describe(t.Items()), QStringLiteral("2|1|0|a"));

        TLangTranslator u;
        prepare(u, {"1: MESSAGE \"a\"", "2: MESSAGE \"b\"", "3: MESSAGE \"c\""},
                {"1=X", "2=Y", "3=Z"});
        const QString language = write("chyba.lng", {"1=A", "2x=B", "3=C"});
        QVERIFY_THROWS_EXCEPTION(ConvertError, u.setLanguageFile(language));
        QCOMPARE(translations(u), (QStringList{"A", "Y", "Z"}));
        // Reported once: later uses neither read the file again nor raise the error again.
        QVERIFY(u.LanguageLoaded());
        QCOMPARE(u.TranslateString("a"), QStringLiteral("A"));
        u.Translate();

        Control form(QStringLiteral("MainForm"));
        TLangTranslator v;
        v.addForm(&form);
        QSignalSpy after(&v, &TLangTranslator::OnAfterTranslation);
        prepare(v, {"1: COMPONENT \"MainForm.Width\"", "2: COMPONENT \"MainForm.Caption\""},
                {"1=abc", "2=T"});
        QVERIFY_THROWS_EXCEPTION(ConvertError, v.Translate());
        QVERIFY(form.caption.isEmpty());
        QCOMPARE(after.count(), 0);
    }

    void missingAndUnreadableFiles() {
        TLangTranslator t;
        prepare(t, {"1: MESSAGE \"a\""}, {"1=A"});
        t.LoadDefinition(m_dir.filePath("chybi.lnd"));
        t.setLanguageFile(m_dir.filePath("chybi.lng"));
        QCOMPARE(t.LanguageFile(), m_dir.filePath("chybi.lng"));
        QVERIFY(t.LanguageLoaded());
        QCOMPARE(t.TranslateString("a"), QStringLiteral("A"));
        // A folder where the file belongs is no file at all; one beyond the size cap is one
        // that cannot be read.
        QVERIFY(QDir(m_dir.path()).mkpath("adresar.lng"));
        t.setLanguageFile(m_dir.filePath("adresar.lng"));
        QCOMPARE(t.TranslateString("a"), QStringLiteral("A"));
        writeBytes("velky.lng", QByteArray(TextFileSizeCap + 1, '/'));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 t.setLanguageFile(m_dir.filePath("velky.lng")));
        QVERIFY(t.LanguageLoaded());
    }

    // Both the ruler and the settings dialog load a language this way: a fault is told in the
    // current language and what was read before it still translates the forms.
    void useLanguageTranslatesWhatItReadAndTellsTheFault() {
        TLangTranslator t;
        Control form(QStringLiteral("MainForm"));
        t.addForm(&form);
        t.setTemplate(
            {"1: COMPONENT \"MainForm.Caption\"", "2: MESSAGE \"Soubor %s nelze přečíst.\""});
        const QString broken =
            write(QStringLiteral("vadny.lng"), {"1=Ruler", "2=Cannot read %s.", "2a=x"});
        QVERIFY(!t.useLanguage(broken).isEmpty());
        QCOMPARE(form.caption, QStringLiteral("Ruler"));
        const QString big = writeBytes("velky.lng", QByteArray(TextFileSizeCap + 1, '/'));
        QCOMPARE(t.useLanguage(big),
                 QStringLiteral("Cannot read %1.").arg(QDir::toNativeSeparators(big)));
    }

    void readsWindows1250WithCrLf() {
        TLangTranslator t;
        t.LoadDefinition(writeBytes("cp.lnd", "[ITEMS]\r\n1: MESSAGE \"Kalibrace byla dokon\xe8"
                                              "ena.\"\r\n"));
        t.setLanguageFile(writeBytes("cp.lng", "1=Hotovo\r\n"));
        QCOMPARE(t.TranslateString(QStringLiteral("Kalibrace byla dokončena.")),
                 QStringLiteral("Hotovo"));
    }

    void longTranslationsAreCut_data() {
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("shown");
        const QString full(ShownTextLengthCap, u'x');
        QTest::newRow("at the cap") << full << full;
        QTest::newRow("one past the cap") << full + u'y' << full;
        // A character outside the basic plane that would straddle the cut goes whole.
        const QString pair = QString::fromUtf16(u"\U0001F4CF");
        const QString lead(ShownTextLengthCap - 1, u'x');
        QTest::newRow("pair straddling the cut") << lead + pair << lead;
        QTest::newRow("pair just inside") << lead.chopped(1) + pair << lead.chopped(1) + pair;
    }
    void longTranslationsAreCut() {
        QFETCH(QString, translation);
        QFETCH(QString, shown);
        TLangTranslator t;
        prepare(t, {"1: MESSAGE \"a\""}, {"1=" + translation});
        QCOMPARE(t.TranslateString("a"), shown);
    }

    void mixedLineEnds() {
        TLangTranslator t;
        t.LoadDefinition(writeBytes("mix.lnd", "[ITEMS]\r\n1: MESSAGE \"a\"\n2: MESSAGE "
                                               "\"b\"\r3: MESSAGE \"c\"\r"));
        t.setLanguageFile(writeBytes("mix.lng", "1=A\r2=B\n3=C\r"));
        QCOMPARE(translations(t), QStringList({"A", "B", "C"}));
    }

    void editorFolder() {
        TLangTranslator t;
        QCOMPARE(t.GetEditorFolder(), QString());
        const QString folder = m_dir.filePath("editor");
        QVERIFY(QDir().mkpath(folder));
        QSettings(QStringLiteral("Brindova"), QStringLiteral("Vokabiler")).setValue("Path", folder);
        QCOMPARE(t.GetEditorFolder(), folder); // executable missing: dropped after this call
        QCOMPARE(t.GetEditorFolder(), QString());
        writeBytes("editor/vokabiler", "");
        QSettings(QStringLiteral("Brindova"), QStringLiteral("Vokabiler")).setValue("Path", folder);
        QCOMPARE(t.GetEditorFolder(), folder);
        QCOMPARE(t.GetEditorFolder(), folder);
    }

    void editorRegistration_data() {
        QTest::addColumn<QByteArray>("programs");
        QTest::addColumn<bool>("registered");
        QTest::newRow("same name elsewhere")
            << QByteArray("Tavlinko 3.0 = /opt/t/jazyky/TAVLINKO30.lnd;/opt/t/tavlinko\r\n")
            << true;
        QTest::newRow("windows paths")
            << QByteArray("\r\nT 3.0 = C:\\T\\jazyky\\tavlinko30.lnd;C:\\T\\t.exe\r\n") << true;
        QTest::newRow("other definition") << QByteArray("J = /j/jiny.lnd;/j/jiny\r\n") << false;
        QTest::newRow("program part ignored")
            << QByteArray("T = a.lnd;/x/tavlinko30.lnd\r\n") << false;
        QTest::newRow("one character after =") << QByteArray("T=tavlinko30.lnd;x\r\n") << false;
    }
    void editorRegistration() {
        QFETCH(QByteArray, programs);
        QFETCH(bool, registered);
        const QString folder = m_dir.filePath("registered");
        QVERIFY(QDir().mkpath(folder));
        writeBytes("registered/vokabiler", "");
        const QString ini = writeBytes("registered/programs.ini", programs);
        QSettings(QStringLiteral("Brindova"), QStringLiteral("Vokabiler")).setValue("Path", folder);
        TLangTranslator t;
        const QString definition = QStringLiteral("/p/jazyky/tavlinko30.lnd");
        QCOMPARE(t.IsRegisteredWithEditor(definition), registered);
        t.RegisterWithEditor("Tavlinko 3.0", definition, "/p/tavlinko");
        QVERIFY(t.IsRegisteredWithEditor(definition));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 programs + "Tavlinko 3.0 = /p/jazyky/tavlinko30.lnd;/p/tavlinko\r\n");
        file.remove();
        try {
            t.RegisterWithEditor("T", definition, "/p/t");
            QFAIL("no error for a missing programs.ini");
        } catch (const FileError &e) {
            // The form names the file to the user, so the error must carry it.
            QCOMPARE(e.kind(), FileError::Missing);
            QCOMPARE(e.path(), ini);
        }
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, t.IsRegisteredWithEditor(definition));
        QVERIFY(!QFile::exists(ini));
    }

    void languageLocale_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("locale");
        QTest::newRow("header") << "jazyk.lng" << QStringList{"LOCALE=de"} << "de_DE";
        QTest::newRow("header with territory and blanks")
            << "jazyk.lng" << QStringList{"locale= pt_BR "} << "pt_BR";
        QTest::newRow("header wins over the name")
            << "german.lng" << QStringList{"LOCALE=cs"} << "cs_CZ";
        QTest::newRow("English name of the language") << "Czech.lng" << QStringList{} << "cs_CZ";
        QTest::newRow("locale name") << "de_AT.lng" << QStringList{} << "de_AT";
        QTest::newRow("nothing to tell") << "klingon.lng" << QStringList{} << "C";
        QTest::newRow("no locale in the header") << "x.lng" << QStringList{"LOCALE=??"} << "C";
        QTest::newRow("one letter") << "x.lng" << QStringList{"LOCALE=d"} << "C";
        QTest::newRow("four letters") << "x.lng" << QStringList{"LOCALE=deut"} << "C";
        QTest::newRow("digit in the language") << "x.lng" << QStringList{"LOCALE=d1"} << "C";
        QTest::newRow("hyphen") << "x.lng" << QStringList{"LOCALE=de-AT"} << "de_AT";
        QTest::newRow("empty part") << "x.lng" << QStringList{"LOCALE=de_"} << "C";
        QTest::newRow("part of one") << "x.lng" << QStringList{"LOCALE=de_A"} << "C";
        QTest::newRow("part of nine") << "x.lng" << QStringList{"LOCALE=de_ABCDEFGHI"} << "C";
        QTest::newRow("part of eight")
            << "x.lng" << QStringList{"LOCALE=de_AT_abcdefgh"} << "de_AT";
        QTest::newRow("two separators") << "x.lng" << QStringList{"LOCALE=de__AT"} << "C";
    }
    // A language file tells its locale in its header or through its name. The locale belongs
    // to the file read last: a file that tells none does not keep the one before it.
    void languageLocale() {
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        QFETCH(QString, locale);
        TLangTranslator t;
        t.setLanguageFile(write(QStringLiteral("fr.lng"), {"LANGUAGE=Français"}));
        QCOMPARE(t.LanguageLocale().language(), QLocale::French);
        t.setLanguageFile(write(file, lines));
        QCOMPARE(t.LanguageLocale().name(), locale);
    }

    void shippedLanguages_data() {
        QTest::addColumn<QString>("file");
        const QDir folder(TAVLINKO_SOURCE_DIR "/data/jazyky");
        const QStringList files = folder.entryList({"*.lng"}, QDir::Files);
        QVERIFY(files.size() >= 3);
        for (const QString &name : files)
            QTest::newRow(qPrintable(name)) << folder.filePath(name);
    }
    void shippedLanguages() {
        TLangTranslator t;
        t.LoadDefinition(TAVLINKO_SOURCE_DIR "/data/jazyky/tavlinko30.lnd");
        QVERIFY(t.Items().size() > 30);
        QFETCH(QString, file);
        t.setLanguageFile(file);
        QCOMPARE(t.LanguageInfo().Definition, QStringLiteral("tavlinko30.lnd"));
        QVERIFY(t.LanguageLocale().language() != QLocale::C);
        QVERIFY(!t.LanguageInfo().Language.isEmpty());
        QSet<int> ids;
        for (const TTemplateItem &item : t.Items()) {
            QVERIFY2(!ids.contains(item.Id), qPrintable(QString::number(item.Id)));
            ids.insert(item.Id);
            QVERIFY2(!item.Translation.isEmpty(), qPrintable(item.Text));
            QCOMPARE(item.Translation.count(QStringLiteral("%s")),
                     item.Text.count(QStringLiteral("%s")));
            if (file.endsWith(QStringLiteral("czech.lng")) && item.Kind == ikMessage)
                QCOMPARE(item.Translation, item.Text);
        }
    }
};

QTEST_GUILESS_MAIN(TestLangTranslator)
#include "tst_langtranslator.moc"
