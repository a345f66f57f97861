// What the ruler leaves out of its start: the dialogs and menus are built when first asked for,
// and must then be as complete and as translated as if they had been there all along.

#include "RulerFixture.h"
#include "core/translation/LangTranslator.h"
#include "forms/about/AboutForm.h"
#include "forms/ruler/UnitMenuItem.h"
#include "forms/settings/NastaveniForm.h"

#include <QAction>
#include <QMenu>

class TestDeferredStart : public QObject {
    Q_OBJECT

    // A definition and two languages that name the dialogs' titles and a menu entry.
    static void writeLanguages(RulerFixture &ruler) {
        ruler.write(QStringLiteral("jazyky/tavlinko30.lnd"),
                    "[ITEMS]\r\n1: COMPONENT \"AboutForm.windowTitle\"\r\n"
                    "2: COMPONENT \"NastaveniForm.windowTitle\"\r\n"
                    "3: COMPONENT \"MainForm.menuKopirovat.text\"\r\n4: MESSAGE \"Palec\"\r\n");
        ruler.write(QStringLiteral("jazyky/english.lng"),
                    "1=About\r\n2=Settings\r\n3=Copy\r\n4=Inches\r\n");
        ruler.write(QStringLiteral("jazyky/german.lng"), "1=Info\r\n2=Einstellungen\r\n");
    }

    static QStringList entryNames(const QMenu *menu) {
        QStringList names;
        for (const QAction *action : menu->actions())
            names << action->objectName();
        return names;
    }

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // The pictures of the start are all of formats known beforehand: none of Qt's image-format
    // plug-ins, nor the JPEG library they bring, is loaded for them. First, so that no other
    // test has loaded one.
    void startLoadsNoImageFormatPlugin() {
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly))
            QSKIP("needs the list of the process's mappings");
        maps.close();
        RulerFixture ruler;
        const QDir skin(QStringLiteral(TAVLINKO_SOURCE_DIR "/data/skin/Funny"));
        QVERIFY(QDir().mkpath(ruler.folder.filePath(QStringLiteral("skin/Funny"))));
        for (const QString &name : skin.entryList(QDir::Files))
            QVERIFY(QFile::copy(skin.filePath(name),
                                ruler.folder.filePath(QStringLiteral("skin/Funny/") + name)));
        ruler.start({QStringLiteral("-skin:Funny")});
        // The icon keeps its sharp drawing, at its own size, and its transparent corners: the
        // ruler lies across the square.
        const QIcon icon = ruler.form->windowIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{32, 32}, {64, 64}}));
        for (const int size : {32, 64}) {
            const QImage drawing = icon.pixmap(QSize(size, size)).toImage();
            QCOMPARE(drawing.size(), QSize(size, size));
            QCOMPARE(qAlpha(drawing.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(drawing.pixel(size / 2, size / 2)), 255);
        }
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("/imageformats/"));
    }

    void nothingDeferredExistsAfterTheStart() {
        RulerFixture ruler;
        ruler.start();
        QVERIFY(ruler.form->findChildren<QDialog *>().isEmpty());
        QVERIFY(ruler.form->findChildren<QMenu *>().isEmpty());
        // The entries themselves exist, so that languages and shortcuts reach them.
        QVERIFY(ruler.form->findChild<QAction *>(QStringLiteral("menuNastaveni")));
        QCOMPARE(partOf<RulerMenus>(ruler.form).PolozkyJednotek().size(), 11);
    }

    void dialogsBuiltLaterSpeakTheCurrentLanguage() {
        RulerFixture ruler;
        writeLanguages(ruler);
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nJazyk=english.lng\r\n");
        ruler.start();
        TAboutForm *about = ruler.form->aboutForm();
        QCOMPARE(about->windowTitle(), QStringLiteral("About"));
        QCOMPARE(ruler.form->nastaveniForm()->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(ruler.form->aboutForm(), about); // built once, reused

        // A later change of language reaches the dialogs built after the start.
        TLangTranslator *translator = ruler.form->Prekladac();
        translator->setLanguageFile(ruler.folder.filePath(QStringLiteral("jazyky/german.lng")));
        translator->Translate();
        QCOMPARE(about->windowTitle(), QStringLiteral("Info"));
        QCOMPARE(ruler.form->nastaveniForm()->windowTitle(), QStringLiteral("Einstellungen"));
    }

    void functionMenuIsCompleteWhenFirstOpened() {
        RulerFixture ruler;
        writeLanguages(ruler);
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nJazyk=english.lng\r\n");
        ruler.start();
        ruler.key(Qt::Key_F10);
        QMenu *menu = partOf<RulerMenus>(ruler.form).functionMenu();
        QVERIFY(menu->isVisible());
        QCOMPARE(
            entryNames(menu),
            (QStringList{"menuKopirovat", "menuUlozit", "N1", "menuZalozky", "menuZnamaDelka",
                         "N300", "menuLupa", "menuPrichytit", "menuMeritMeziHranami",
                         "menuToleranceHran", "N2", "menuMaxi", "menuKalibrace", "menuNastaveni"}));
        QCOMPARE(entryNames(menu->actions().at(3)->menu()),
                 (QStringList{"menuZVytvorit", "menuZSmazat", "menuZSmazatVse"}));
        // In the language in use, with its access key marked.
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("&Copy"));
        for (QAction *entry : ruler.form->findChildren<QAction *>(QRegularExpression("^menu")))
            QVERIFY2(!entry->icon().isNull(), qPrintable(entry->objectName()));
        menu->close();
    }

    // The unit list can change before the menu exists and after it: both must show.
    void unitMenuFollowsTheUnitsBeforeAndAfterItIsBuilt() {
        RulerFixture ruler;
        writeLanguages(ruler); // a first start, with all the units; English follows the system
        ruler.start();
        QMenu *menu = partOf<RulerMenus>(ruler.form).unitMenu();
        QCOMPARE(menu->actions().size(), 11);
        QCOMPARE(menu->actions().at(2)->text(), QStringLiteral("Inches"));

        ruler.state.Jednotky.append(ruler.state.Jednotky.first());
        partOf<RulerMenus>(ruler.form).ObnovMenuJednotky();
        QCOMPARE(menu->actions().size(), 12);
        ruler.state.Jednotky.resize(4);
        partOf<RulerMenus>(ruler.form).ObnovMenuJednotky();
        int visible = 0;
        for (const QAction *action : menu->actions())
            visible += action->isVisible();
        QCOMPARE(visible, 4);
    }

    // Built-in pictures stand in for what a skin leaves out.
    void builtInButtonPicturesFillTheGaps() {
        RulerFixture ruler;
        QImage exit(26, 20, QImage::Format_RGB32);
        exit.fill(Qt::green);
        exit.setPixelColor(0, 19, Qt::magenta); // the key colour, bottom-left
        QDir().mkpath(ruler.folder.filePath(QStringLiteral("skin/Green")));
        QVERIFY(
            exit.save(ruler.folder.filePath(QStringLiteral("skin/Green/ButtonExit.bmp")), "BMP"));
        ruler.start({QStringLiteral("-skin:Green")});
        QCOMPARE(ruler.control<ImageControl>("buttonKonec")->picture().pixelColor(5, 5),
                 QColor(Qt::green));
        // Each of the others shows its own built-in drawing: where the shown picture is opaque, it
        // is the drawing's pixel.
        const std::pair<const char *, const char *> builtIn[] = {
            {"buttonHorizVert", "ButtonRotate"},    {"buttonObratit", "ButtonInvert"},
            {"buttonMenu", "ButtonTools"},          {"buttonInfo", "ButtonInfo"},
            {"buttonDalsiJednotky", "ButtonUnits"}, {"imageVelikost", "ResizeArrow"}};
        for (const auto &[name, file] : builtIn) {
            const QImage shown =
                ruler.control<ImageControl>(name)->picture().convertToFormat(QImage::Format_ARGB32);
            const QImage drawing =
                QImage(QStringLiteral(":/icons/buttons/%1.bmp").arg(QLatin1String(file)))
                    .convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.size(), drawing.size());
            int opaque = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    if (qAlpha(shown.pixel(x, y)) == 255) {
                        ++opaque;
                        QCOMPARE(shown.pixel(x, y), drawing.pixel(x, y));
                    }
            QVERIFY2(opaque >= 20, name);
        }
    }
};

QTEST_MAIN(TestDeferredStart)
#include "tst_deferred_start.moc"
