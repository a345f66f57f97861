#include <QtTest>

#include "core/skins/Layout.h"
#include "core/skins/Skin.h"

#include <QDir>
#include <QFile>
#include <QSet>

// Checks the skins, flags and pictures that ship with the program, as they lie in the source
// tree: every file a skin needs, bar pieces as thick as the skin says, pointers whose tip is
// the column the skin names, and controls that stay clear of each other and of the scale.
class TestShippedSkins : public QObject {
    Q_OBJECT

    static QString skinRoot() { return QStringLiteral(TAVLINKO_SOURCE_DIR "/data/skin"); }

    static SkinData load(const QString &name) {
        SkinData skin;
        QString error;
        if (!NactiSkinData(skinRoot() + '/' + name, skin, &error))
            qWarning("%s: %s", qPrintable(name), qPrintable(error));
        return skin;
    }

    static void skinRows() {
        QTest::addColumn<QString>("skin");
        const QStringList names = QDir(skinRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << name;
    }

    // Section and key names of skin.ini, lower-cased, as "section/key".
    static QSet<QString> iniKeys(const QString &path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        QSet<QString> keys;
        QString section;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            if (line.startsWith('[') && line.endsWith(']'))
                section = line.mid(1, line.size() - 2).toLower();
            else if (line.contains('=') && !line.startsWith(';') &&
                     !line.section('=', 1).trimmed().isEmpty())
                keys.insert(section + '/' + line.section('=', 0, 0).trimmed().toLower());
        }
        return keys;
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QVERIFY2(QDir(skinRoot() + "/Funny").exists(), "the default skin must ship");
    }

    void everyFilePresent_data() { skinRows(); }
    void everyFilePresent() {
        QFETCH(QString, skin);
        const QDir folder(skinRoot() + '/' + skin);
        // Exact names: a skin made on a system that ignores letter case must still work here.
        const QStringList bitmaps = {"start.bmp",       "middle.bmp",       "end.bmp",
                                     "vstart.bmp",      "vmiddle.bmp",      "vend.bmp",
                                     "arrow.bmp",       "varrow.bmp",       "mark.bmp",
                                     "vmark.bmp",       "ButtonRotate.bmp", "ButtonInvert.bmp",
                                     "ButtonTools.bmp", "ButtonInfo.bmp",   "ButtonExit.bmp",
                                     "ButtonUnits.bmp", "ResizeArrow.bmp"};
        for (const QString &name : bitmaps) {
            QImage image;
            QVERIFY2(image.load(folder.filePath(name), "BMP"), qPrintable(name));
        }

        const QSet<QString> keys = iniKeys(folder.filePath("skin.ini"));
        // The shipped skins have no mail or web address, so those two keys stay empty.
        QStringList expected = {"author/author",      "colors/number.color",
                                "colors/unit.color",  "colors/unit.color2",
                                "colors/meter.color", "colors/meter.numbers.color"};
        for (const QString section : {"horizontal", "vertical"}) {
            for (const QString key : {"rule.height", "rule.minsize", "arrow.center", "mark.center"})
                expected << section + '/' + key;
            for (const QString control :
                 {"buttonrotate", "buttoninvert", "buttontools", "buttoninfo", "buttonexit",
                  "buttonunits", "resizearrow", "number", "unit"})
                expected << section + '/' + control + ".x" << section + '/' + control + ".y";
        }
        for (const QString &key : expected)
            QVERIFY2(keys.contains(key), qPrintable("skin.ini lacks " + key));
    }

    void noPlaceholderAddresses_data() { skinRows(); }
    void noPlaceholderAddresses() {
        QFETCH(QString, skin);
        QFile file(QDir(skinRoot()).filePath(skin + "/skin.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        for (const char *placeholder : {"example.", "@test", "localhost"})
            QVERIFY2(!text.contains(placeholder), placeholder);
    }

    void piecesAsThickAsTheBar_data() { skinRows(); }
    void piecesAsThickAsTheBar() {
        QFETCH(QString, skin);
        const SkinData data = load(skin);
        for (const QImage *piece : {&data.start, &data.middle, &data.end})
            QCOMPARE(piece->height(), data.horizontal.ruleHeight);
        for (const QImage *piece : {&data.vstart, &data.vmiddle, &data.vend})
            QCOMPARE(piece->width(), data.vertical.ruleHeight);
        QVERIFY(data.middle.width() > 0 && data.vmiddle.height() > 0);
    }

    // The arrow's tip and the marker's line must stand on the column (row) the skin names, or
    // every reading would look off by the difference.
    void pointersOnTheirCentre_data() { skinRows(); }
    void pointersOnTheirCentre() {
        QFETCH(QString, skin);
        const SkinData data = load(skin);
        const auto opaqueAlongEdge = [](const QImage &bitmap, bool vertical) {
            const QImage shown = transparentPicture(bitmap);
            QList<int> at;
            for (int i = 0; i < (vertical ? shown.height() : shown.width()); ++i)
                if (qAlpha(vertical ? shown.pixel(0, i) : shown.pixel(i, 0)) != 0)
                    at << i;
            return at;
        };
        QCOMPARE(opaqueAlongEdge(data.arrow, false), QList<int>{data.horizontal.arrowCenter});
        QCOMPARE(opaqueAlongEdge(data.varrow, true), QList<int>{data.vertical.arrowCenter});
        QVERIFY(opaqueAlongEdge(data.mark, false).contains(data.horizontal.markCenter));
        QVERIFY(opaqueAlongEdge(data.vmark, true).contains(data.vertical.markCenter));
    }

    // One resize handle serves the lying and the standing bar, so it must not point along one
    // of them only: its shape is the same when mirrored about the diagonal, as a double arrow
    // towards the far corner is, and a sideways double arrow is not.
    void resizeHandleServesBothPositions_data() { skinRows(); }
    void resizeHandleServesBothPositions() {
        QFETCH(QString, skin);
        const QImage shown = transparentPicture(load(skin).resizeArrow).copy(0, 0, 19, 19);
        int shape = 0;
        int unlike = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const bool here = qAlpha(shown.pixel(x, y)) != 0;
                shape += here;
                unlike += here != (qAlpha(shown.pixel(y, x)) != 0);
            }
        }
        QVERIFY(shape > 40);
        QVERIFY2(unlike <= shape / 20, qPrintable(QStringLiteral("%1 of %2 pixels differ from "
                                                                 "the mirrored handle")
                                                      .arg(unlike)
                                                      .arg(shape)));
    }

    // Every picture ships sharp as well, at exactly twice its size; a sharp pointer's line is
    // one pixel framed by one on each side, centred on the right one of the two pixels its
    // centre becomes, where a screen of ratio 2 puts the pixel it reads.
    void sharpPicturesBesideEachBitmap_data() { skinRows(); }
    void sharpPicturesBesideEachBitmap() {
        QFETCH(QString, skin);
        SkinData data = load(skin);
        readSharpBitmaps(data);
        const QImage SkinBitmaps::*all[] = {
            &SkinBitmaps::start,       &SkinBitmaps::middle,       &SkinBitmaps::end,
            &SkinBitmaps::vstart,      &SkinBitmaps::vmiddle,      &SkinBitmaps::vend,
            &SkinBitmaps::arrow,       &SkinBitmaps::varrow,       &SkinBitmaps::mark,
            &SkinBitmaps::vmark,       &SkinBitmaps::buttonRotate, &SkinBitmaps::buttonInvert,
            &SkinBitmaps::buttonTools, &SkinBitmaps::buttonInfo,   &SkinBitmaps::buttonExit,
            &SkinBitmaps::buttonUnits, &SkinBitmaps::resizeArrow};
        for (const QImage SkinBitmaps::*picture : all) {
            QVERIFY(!(data.sharp.*picture).isNull());
            QCOMPARE((data.sharp.*picture).size(), (data.*picture).size() * 2);
        }
        const auto opaqueRun = [](const QImage &bitmap, bool vertical, int across) {
            const QImage shown = transparentPicture(bitmap);
            QList<int> at;
            for (int i = 0; i < (vertical ? shown.height() : shown.width()); ++i)
                if (qAlpha(vertical ? shown.pixel(across, i) : shown.pixel(i, across)) == 255)
                    at << i;
            return at;
        };
        // Deep enough into the stem that the arrow's head is passed.
        const int stem = 2 * 15;
        const auto framed = [](int centre) {
            return QList<int>{2 * centre, 2 * centre + 1, 2 * centre + 2};
        };
        QCOMPARE(opaqueRun(data.sharp.arrow, false, stem), framed(data.horizontal.arrowCenter));
        QCOMPARE(opaqueRun(data.sharp.varrow, true, stem), framed(data.vertical.arrowCenter));
        QCOMPARE(opaqueRun(data.sharp.mark, false, 0), framed(data.horizontal.markCenter));
        QCOMPARE(opaqueRun(data.sharp.vmark, true, 0), framed(data.vertical.markCenter));
    }

    void controlsClearOfEachOther_data() {
        QTest::addColumn<QString>("skin");
        QTest::addColumn<bool>("vertical");
        const QStringList names = QDir(skinRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &name : names) {
            QTest::newRow(qPrintable(name + " horizontal")) << name << false;
            QTest::newRow(qPrintable(name + " vertical")) << name << true;
        }
    }
    void controlsClearOfEachOther() {
        QFETCH(QString, skin);
        QFETCH(bool, vertical);
        const SkinData data = load(skin);
        const SkinSection &s = vertical ? data.vertical : data.horizontal;
        const int length = 472;
        const QSize window = vertical ? QSize(s.ruleHeight, length) : QSize(length, s.ruleHeight);
        const QRect scale = vertical ? QRect(0, 0, 35, length) : QRect(0, 0, length, 20);
        // Room for a reading such as "123,45" in the label's font.
        const QSize reading(vertical ? 48 : 56, 20);

        const QList<std::pair<const char *, QRect>> controls = {
            {"rotate",
             {placeControl(s.buttonRotate, data.buttonRotate.size(), window),
              data.buttonRotate.size()}},
            {"invert",
             {placeControl(s.buttonInvert, data.buttonInvert.size(), window),
              data.buttonInvert.size()}},
            {"tools",
             {placeControl(s.buttonTools, data.buttonTools.size(), window),
              data.buttonTools.size()}},
            {"info",
             {placeControl(s.buttonInfo, data.buttonInfo.size(), window), data.buttonInfo.size()}},
            {"exit",
             {placeControl(s.buttonExit, data.buttonExit.size(), window), data.buttonExit.size()}},
            {"units",
             {placeControl(s.buttonUnits, data.buttonUnits.size(), window),
              data.buttonUnits.size()}},
            {"resize", {placeControl(s.resizeArrow, {19, 19}, window), QSize(19, 19)}},
            {"unit label", {placeControl(s.unit, {24, 24}, window), QSize(24, 24)}},
            {"reading", {placeNumberLabel(s.number, reading, window), reading}},
        };
        for (int i = 0; i < controls.size(); ++i) {
            const auto &[name, rect] = controls[i];
            QVERIFY2(!rect.isEmpty(), name);
            QVERIFY2(QRect(QPoint(0, 0), window).contains(rect), name);
            QVERIFY2(!rect.intersects(scale), name);
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!rect.intersects(controls[j].second),
                         qPrintable(QString("%1 overlaps %2").arg(name, controls[j].first)));
        }
    }

    // Every language file has its flag beside it.
    void flagBesideEachLanguage() {
        const QDir languages(TAVLINKO_SOURCE_DIR "/data/jazyky");
        const QStringList files = languages.entryList({"*.lng"}, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &file : files) {
            QImage flag;
            const QString name = QFileInfo(file).completeBaseName() + ".bmp";
            QVERIFY2(flag.load(languages.filePath(name), "BMP"), qPrintable(name));
            QVERIFY2(flag.width() <= 24 && flag.height() <= 16, qPrintable(name));
        }
    }
};

QTEST_MAIN(TestShippedSkins)
#include "tst_shippedskins.moc"
