#include "TestFiles.h"
#include <QtTest>

#include "core/skins/Skin.h"
#include "core/skins/SkinColours.h"

#include <QBuffer>
#include <QPalette>
#include <QTemporaryDir>

namespace {

const QRgb Yellow = qRgb(255, 255, 0);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(255, 0, 0);

void writeBitmap(const QString &path, QSize size, QColor colour = Qt::blue) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "BMP"));
}

// A BMP header that promises a 100000 x 100000 picture and carries no pixels.
QByteArray hugeBitmapHeader() {
    QByteArray bytes(54, '\0');
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(54) << quint32(0) << quint32(54) << quint32(40) << qint32(100000)
        << qint32(100000) << quint16(1) << quint16(24);
    return bytes;
}

bool allOf(const QImage &image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != colour)
                return false;
    return true;
}

} // namespace

class TestSkin : public QObject {
    Q_OBJECT
private slots:
    void drawsDefaultArrow();
    void drawsDefaultMarkers_data();
    void drawsDefaultMarkers();
    void missingFolderLoadsDefaults();
    void folderWithOnlySkinIni();
    void readsEveryKey();
    void unusableValuesAreKeptInBounds();
    void pointerCentresFollowLoadedBitmaps();
    void buttonPictures_data();
    void buttonPictures();
    void loadErrors_data();
    void loadErrors();
    void parsesColours_data();
    void parsesColours();
    void transparentColourFromBottomLeft();
    void sharpPicturesBeside_data();
    void sharpPicturesBeside();
    void picturesAtEachRatio_data();
    void picturesAtEachRatio();
};

void TestSkin::drawsDefaultArrow() {
    const QStringList expected = {
        "....X....", "....X....", "...XXX...", "...XXX...", "..X.X.X..", "..X.X.X..", "..X.X..X.",
        ".X..X..X.", ".X..X...X", "X...X...X", "....X....", "....X....", "....X....", "....X....",
        "....X....", "....X....", "....X....", "....X....", "....X....", "....X....", "....X....",
    };
    QImage arrow;
    VychoziUkazatel(arrow, 9, 21, false, false);
    QImage varrow;
    VychoziUkazatel(varrow, 21, 9, true, false);
    QCOMPARE(arrow.size(), QSize(9, 21));
    QCOMPARE(varrow.size(), QSize(21, 9));
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 9; ++x) {
            const QRgb colour = expected[y][x] == QLatin1Char('X') ? Black : Yellow;
            QVERIFY2(arrow.pixel(x, y) == colour,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            // The vertical arrow is the horizontal one turned to point left.
            QCOMPARE(varrow.pixel(y, x), colour);
        }
    }
}

void TestSkin::drawsDefaultMarkers_data() {
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QSize>("size");
    QTest::newRow("horizontal") << false << QSize(3, 10);
    QTest::newRow("vertical") << true << QSize(10, 3);
}

void TestSkin::drawsDefaultMarkers() {
    QFETCH(bool, vertical);
    QFETCH(QSize, size);
    QImage mark;
    VychoziUkazatel(mark, size.width(), size.height(), vertical, true);
    QCOMPARE(mark.size(), size);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            QCOMPARE(mark.pixel(x, y), (vertical ? y : x) == 1 ? Red : Yellow);
}

void TestSkin::missingFolderLoadsDefaults() {
    SkinData skin;
    QString error;
    QVERIFY(NactiSkinData(QStringLiteral("/nonexistent/skin/Funny"), skin, &error));
    const struct {
        const QImage &bitmap;
        QSize size;
    } pieces[] = {{skin.start, {1, 64}},  {skin.middle, {5, 64}},  {skin.end, {1, 64}},
                  {skin.vstart, {90, 1}}, {skin.vmiddle, {90, 5}}, {skin.vend, {90, 1}}};
    for (const auto &piece : pieces) {
        QCOMPARE(piece.bitmap.size(), piece.size);
        QVERIFY(allOf(piece.bitmap, Yellow));
    }
    QCOMPARE(skin.arrow.size(), QSize(9, 21));
    QCOMPARE(skin.vmark.size(), QSize(10, 3));
    QVERIFY(skin.buttonExit.isNull());
    QVERIFY(skin.resizeArrow.isNull());
    QVERIFY(skin.horizontal == SkinSection::defaultHorizontal());
    QVERIFY(skin.vertical == SkinSection::defaultVertical());
    QCOMPARE(skin.unitColour2, QColor(Qt::red));
    QCOMPARE(skin.meterColour, QColor(Qt::black));
}

void TestSkin::folderWithOnlySkinIni() {
    QTemporaryDir dir;
    writeFile(dir.filePath("skin.ini"), "[Horizontal]\nrule.height=40\n");
    SkinData skin;
    QVERIFY(NactiSkinData(dir.path(), skin));
    QVERIFY(allOf(skin.middle, Yellow));
    QCOMPARE(skin.arrow.pixel(4, 5), Black);
    QCOMPARE(skin.horizontal.ruleHeight, 40);
    QCOMPARE(skin.horizontal.arrowCenter, 4);
    QCOMPARE(skin.horizontal.markCenter, 1);
    QCOMPARE(skin.vertical.ruleHeight, 90);
}

void TestSkin::unusableValuesAreKeptInBounds() {
    // A bar of no thickness would vanish, and places near the integer limits would overflow
    // when the layout adds the window's length.
    QTemporaryDir dir;
    writeFile(dir.filePath("skin.ini"),
              "[Horizontal]\nrule.height=0\nButtonExit.x=-2147483648\nArrow.center=2147483647\n"
              "[Vertical]\nrule.height=99999999\nrule.MinSize=$7FFFFFFF\n");
    SkinData skin;
    QVERIFY(NactiSkinData(dir.path(), skin));
    QCOMPARE(skin.horizontal.ruleHeight, 64);
    QCOMPARE(skin.horizontal.buttonExit.x(), -32767);
    QCOMPARE(skin.horizontal.arrowCenter, 32767);
    QCOMPARE(skin.vertical.ruleHeight, 1024);
    QCOMPARE(skin.vertical.minSize, 32767);
}

void TestSkin::readsEveryKey() {
    SkinData skin;
    QVERIFY(NactiSkinData(TAVLINKO_TEST_DATA "/skins/full", skin));
    QCOMPARE(skin.author, QStringLiteral("Jana Nováková"));
    QCOMPARE(skin.email, QStringLiteral("jana@example.org"));
    QCOMPARE(skin.www, QStringLiteral("https://example.org/skins"));

    SkinSection horizontal;
    horizontal.ruleHeight = 48;
    horizontal.minSize = 120;
    horizontal.buttonRotate = {10, 28};
    horizontal.buttonInvert = {40, 28};
    horizontal.buttonTools = {70, 28};
    horizontal.buttonInfo = {100, 28};
    horizontal.buttonExit = {-30, 28};
    horizontal.buttonUnits = {-4, 29};
    horizontal.resizeArrow = {-20, 24};
    horizontal.number = {-50, 27};
    horizontal.unit = {-12, -3};
    horizontal.arrowCenter = 6;
    horizontal.markCenter = 2;
    QVERIFY(skin.horizontal == horizontal);

    SkinSection vertical;
    vertical.ruleHeight = 70;
    vertical.minSize = 150;
    vertical.buttonRotate = {44, 10};
    vertical.buttonInvert = {44, 42};
    vertical.buttonTools = {44, 74};
    vertical.buttonInfo = {44, 106};
    vertical.buttonExit = {44, 138};
    vertical.buttonUnits = {-2, -6};
    vertical.resizeArrow = {48, -33};
    vertical.number = {-20, -40};
    vertical.unit = {-3, -8};
    vertical.arrowCenter = 4; // not a number: the drawn arrow's middle row
    vertical.markCenter = 5;
    QVERIFY(skin.vertical == vertical);

    QCOMPARE(skin.numberColour, QColor(0, 0, 128));
    QCOMPARE(skin.unitColour, QColor(0, 128, 0));
    QCOMPARE(skin.unitColour2, QColor(128, 0, 0));
    QCOMPARE(skin.meterColour, QColor(0, 0, 255));
    QCOMPARE(skin.meterNumbersColour, QColor(128, 128, 128));
}

void TestSkin::pointerCentresFollowLoadedBitmaps() {
    QTemporaryDir dir;
    writeBitmap(dir.filePath("arrow.bmp"), {15, 20});
    writeBitmap(dir.filePath("varrow.bmp"), {20, 15});
    writeBitmap(dir.filePath("Mark.BMP"), {6, 12});
    writeBitmap(dir.filePath("vmark.bmp"), {12, 7});
    SkinData skin;
    QVERIFY(NactiSkinData(dir.path(), skin));
    QCOMPARE(skin.horizontal.arrowCenter, 7);
    QCOMPARE(skin.vertical.arrowCenter, 7);
    QCOMPARE(skin.horizontal.markCenter, 3);
    QCOMPARE(skin.vertical.markCenter, 3);
}

void TestSkin::buttonPictures_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QSize>("rotate"); // size of the switch button's picture after the load

    QTest::newRow("long name wins") << QStringList{"ButtonRotate.bmp", "b1.bmp"} << QSize(26, 22);
    QTest::newRow("short name") << QStringList{"b1.bmp"} << QSize(10, 11);
    QTest::newRow("letter case ignored") << QStringList{"BUTTONROTATE.bmp"} << QSize(26, 22);
    QTest::newRow("neither keeps the previous picture") << QStringList{"b2.bmp"} << QSize(5, 5);
}

void TestSkin::buttonPictures() {
    QFETCH(QStringList, files);
    QFETCH(QSize, rotate);
    QTemporaryDir dir;
    for (const QString &file : files) {
        const bool shortName = file.startsWith(QLatin1Char('b'));
        writeBitmap(dir.filePath(file), shortName ? QSize(10, 11) : QSize(26, 22));
    }
    SkinData skin;
    skin.buttonRotate = QImage(5, 5, QImage::Format_RGB32);
    QVERIFY(NactiSkinData(dir.path(), skin));
    QCOMPARE(skin.buttonRotate.size(), rotate);
}

void TestSkin::loadErrors_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    const QByteArray ini = "[Author]\nAuthor=New\n[Colors]\nNumber.color=clBlue\n";
    QTest::newRow("garbage bar piece")
        << "middle.bmp" << QByteArray("not a bitmap") << "Bitmap image is not valid";
    QTest::newRow("empty pointer") << "vmark.bmp" << QByteArray() << "Bitmap image is not valid";
    QTest::newRow("truncated button")
        << "b3.bmp" << hugeBitmapHeader().left(20) << "Bitmap image is not valid";
    QImage piece(12, 64, QImage::Format_RGB32);
    piece.fill(Qt::green);
    QByteArray whole;
    QBuffer buffer(&whole);
    buffer.open(QIODevice::WriteOnly);
    piece.save(&buffer, "BMP");
    QTest::newRow("pixels cut short")
        << "end.bmp" << whole.chopped(1) << "Bitmap image is not valid";
    QTest::newRow("header promising a huge picture")
        << "ResizeArrow.bmp" << hugeBitmapHeader() << "Bitmap image is not valid";
    QTest::newRow("colour that is no integer") << "skin.ini" << ini + "Meter.color=junk\n"
                                               << "'junk' is not a valid integer value";
    QTest::newRow("empty colour") << "skin.ini" << ini + "Unit.color2=\n"
                                  << "'' is not a valid integer value";
}

// A bad file ends the load with the message; what was loaded before it stays, nothing after it
// is read.
void TestSkin::loadErrors() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    writeBitmap(dir.filePath("start.bmp"), {12, 64}, Qt::green);
    writeFile(dir.filePath(file), content);

    SkinData skin;
    skin.author = QStringLiteral("Previous");
    skin.meterNumbersColour = Qt::magenta;
    QString error;
    QVERIFY(!NactiSkinData(dir.path(), skin, &error));
    QCOMPARE(error, message);
    QCOMPARE(skin.start.size(), QSize(12, 64));
    QCOMPARE(skin.meterNumbersColour, QColor(Qt::magenta));
    if (file == QLatin1String("skin.ini")) {
        QCOMPARE(skin.author, QStringLiteral("New"));
        QCOMPARE(skin.numberColour, QColor(Qt::blue));
    } else {
        QCOMPARE(skin.author, QStringLiteral("Previous"));
    }
}

void TestSkin::parsesColours_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour"); // invalid: an error is expected

    QTest::newRow("identifier") << "clRed" << QColor(255, 0, 0);
    QTest::newRow("upper case") << "CLRED" << QColor(255, 0, 0);
    QTest::newRow("mixed case") << "ClReD" << QColor(255, 0, 0);
    QTest::newRow("dollar hex") << "$0000FF" << QColor(255, 0, 0);
    QTest::newRow("decimal") << "255" << QColor(255, 0, 0);
    QTest::newRow("0x hex") << "0x0000FF" << QColor(255, 0, 0);
    QTest::newRow("blue is the high byte") << "$FF0000" << QColor(0, 0, 255);
    QTest::newRow("aqua") << "clAqua" << QColor(0, 255, 255);
    QTest::newRow("cream") << "clCream" << QColor(255, 251, 240);
    QTest::newRow("medium grey") << "clMedGray" << QColor(160, 160, 164);
    QTest::newRow("none is transparent") << "clNone" << QColor(Qt::transparent);
    QTest::newRow("system colour by name") << "clBtnFace" << QColor(1, 2, 3);
    QTest::newRow("system colour by value") << "$8000000F" << QColor(1, 2, 3);
    QTest::newRow("default is the text colour") << "clDefault" << QColor(4, 5, 6);
    QTest::newRow("junk") << "junk" << QColor();
    QTest::newRow("unknown identifier") << "clOrange" << QColor();
    QTest::newRow("empty") << "" << QColor();
}

void TestSkin::parsesColours() {
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::WindowText, QColor(4, 5, 6));
    QString error;
    const std::optional<QColor> parsed = parseSkinColour(text, &error, palette);
    if (colour.isValid()) {
        QVERIFY(parsed.has_value());
        QCOMPARE(*parsed, colour);
        QVERIFY(error.isEmpty());
    } else {
        QVERIFY(!parsed.has_value());
        QCOMPARE(error, QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void TestSkin::transparentColourFromBottomLeft() {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::green);
    picture.setPixel(0, 2, qRgb(255, 0, 255));
    picture.setPixel(3, 0, qRgb(255, 0, 255));
    const QImage shown = transparentPicture(picture);
    QCOMPARE(qAlpha(shown.pixel(0, 2)), 0);
    QCOMPARE(qAlpha(shown.pixel(3, 0)), 0);
    QCOMPARE(shown.pixel(1, 1), qRgb(0, 255, 0));

    // A monochrome picture is keyed on white, whatever its corner holds.
    QImage mono(4, 3, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mono.fill(1);
    mono.setPixel(2, 1, 0);
    const QImage monoShown = transparentPicture(mono);
    QCOMPARE(qAlpha(monoShown.pixel(2, 1)), 0);
    QCOMPARE(monoShown.pixel(0, 2), qRgb(0, 0, 0));
}

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"

void TestSkin::sharpPicturesBeside_data() {
    QTest::addColumn<QString>("sharpFile");
    QTest::addColumn<QByteArray>("content"); // empty: a blue bitmap of sharpSize
    QTest::addColumn<QSize>("sharpSize");
    QTest::addColumn<bool>("kept");
    QTest::newRow("twice the size") << "start@2x.bmp" << QByteArray() << QSize(24, 128) << true;
    QTest::newRow("other letter case") << "START@2X.BMP" << QByteArray() << QSize(24, 128) << true;
    QTest::newRow("one pixel short") << "start@2x.bmp" << QByteArray() << QSize(23, 128) << false;
    QTest::newRow("same size") << "start@2x.bmp" << QByteArray() << QSize(12, 64) << false;
    QTest::newRow("no bitmap") << "start@2x.bmp" << QByteArray("not a bitmap") << QSize() << false;
}

// A sharp picture serves only beside its plain one and at exactly twice its size; anything
// else is passed over without spoiling the load, and the next skin's load forgets it. None is
// read before it is asked for.
void TestSkin::sharpPicturesBeside() {
    QFETCH(QString, sharpFile);
    QFETCH(QByteArray, content);
    QFETCH(QSize, sharpSize);
    QFETCH(bool, kept);
    QTemporaryDir dir;
    writeBitmap(dir.filePath("start.bmp"), {12, 64}, Qt::red);
    if (content.isEmpty())
        writeBitmap(dir.filePath(sharpFile), sharpSize);
    else
        writeFile(dir.filePath(sharpFile), content);
    writeBitmap(dir.filePath("mark@2x.bmp"), {6, 20}); // no plain mark.bmp beside it
    SkinData skin;
    QVERIFY(NactiSkinData(dir.path(), skin));
    QCOMPARE(skin.start.size(), QSize(12, 64));
    QVERIFY(skin.sharp.start.isNull());
    readSharpBitmaps(skin);
    QCOMPARE(!skin.sharp.start.isNull(), kept);
    QVERIFY(skin.sharp.mark.isNull());

    QVERIFY(NactiSkinData(QStringLiteral("/nonexistent/skin"), skin));
    readSharpBitmaps(skin);
    QVERIFY(skin.sharp.start.isNull());
}

void TestSkin::picturesAtEachRatio_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("sharpUsed");
    QTest::newRow("1") << 1.0 << false;
    QTest::newRow("1.25") << 1.25 << false;
    QTest::newRow("1.5") << 1.5 << true;
    QTest::newRow("2") << 2.0 << true;
    QTest::newRow("3") << 3.0 << true;
}

// Plain pictures are red and sharp ones blue: the screen's ratio picks one, scales it to the
// picture's size in device pixels and keys out a pointer's background.
void TestSkin::picturesAtEachRatio() {
    QFETCH(double, ratio);
    QFETCH(bool, sharpUsed);
    QTemporaryDir dir;
    writeBitmap(dir.filePath("middle.bmp"), {5, 64}, Qt::red);
    writeBitmap(dir.filePath("middle@2x.bmp"), {10, 128}, Qt::blue);
    QImage arrow(9, 21, QImage::Format_RGB32);
    arrow.fill(Qt::white);
    for (int y = 0; y < 21; ++y)
        arrow.setPixel(4, y, qRgb(255, 0, 0));
    QVERIFY(arrow.save(dir.filePath("arrow.bmp"), "BMP"));
    QImage sharpArrow(18, 42, QImage::Format_RGB32);
    sharpArrow.fill(Qt::white);
    for (int y = 0; y < 42; ++y)
        sharpArrow.setPixel(9, y, qRgb(0, 0, 255));
    QVERIFY(sharpArrow.save(dir.filePath("arrow@2x.bmp"), "BMP"));
    SkinData skin;
    QVERIFY(NactiSkinData(dir.path(), skin));

    const SkinBitmaps shown = shownBitmaps(skin, ratio);
    const QColor expected = sharpUsed ? Qt::blue : Qt::red;
    QCOMPARE(shown.middle.size(), QSize(qRound(5 * ratio), qRound(64 * ratio)));
    QCOMPARE(shown.middle.devicePixelRatio(), ratio);
    QCOMPARE(shown.middle.pixelColor(shown.middle.width() / 2, 10), expected);
    QVERIFY(shown.buttonRotate.isNull()); // no picture, none shown

    // The arrow's line ends up darkest in the device column its centre names, its background
    // transparent.
    QCOMPARE(shown.arrow.size(), QSize(qRound(9 * ratio), qRound(21 * ratio)));
    const int centre = int(std::floor(4.5 * shown.arrow.width() / 9));
    const int row = shown.arrow.height() / 2;
    QCOMPARE(qAlpha(shown.arrow.pixel(0, row)), 0);
    int strongest = 0;
    for (int x = 1; x < shown.arrow.width(); ++x)
        if (qAlpha(shown.arrow.pixel(x, row)) > qAlpha(shown.arrow.pixel(strongest, row)))
            strongest = x;
    QCOMPARE(strongest, centre);
    const QColor line = shown.arrow.pixelColor(centre, row);
    QVERIFY(line.alpha() >= 250);
    QVERIFY(sharpUsed ? line.blue() > 240 && line.red() < 15
                      : line.red() > 240 && line.blue() < 15);
}
