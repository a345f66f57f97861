// X pixels of the ruler's screen placed in the frames of screen-cast streams: one monitor at
// every scale the desktops offer, with the compositor enlarging X11 windows and with XWayland
// scaling them itself, and two monitors of different scales side by side.

#include "core/screen/OwnWindows.h"
#include "core/screen/StreamMapping.h"

#include <QtTest>

namespace {

// One monitor of 1920 x 1080 logical pixels at a scale, cast in its own pixels.
QList<CastStream> oneMonitor(double scale) {
    return {{QRect(0, 0, 1920, 1080), QSize(qRound(1920 * scale), qRound(1080 * scale))}};
}

// A 4K monitor at 200 % and, to its right, a 1280 x 1024 one at 100 %.
const QList<CastStream> twoMonitors = {{QRect(0, 0, 1920, 1080), QSize(3840, 2160)},
                                       {QRect(1920, 0, 1280, 1024), QSize(1280, 1024)}};

} // namespace

Q_DECLARE_METATYPE(QList<CastStream>)

class TestStreamMapping : public QObject {
    Q_OBJECT

private slots:
    void pixels_data() {
        QTest::addColumn<QList<CastStream>>("streams");
        QTest::addColumn<double>("xScale");
        QTest::addColumn<QPoint>("x");
        QTest::addColumn<int>("stream"); // -1: no stream shows it
        QTest::addColumn<QPoint>("pixel");
        for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
            const QList<CastStream> streams = oneMonitor(scale);
            const QSize frame = streams[0].frame;
            // The compositor enlarges X11 windows: the X screen has the logical size, and one
            // X pixel covers `scale` pixels of the frame; the one under its middle counts.
            const auto under = [scale](int x) { return int(std::floor((x + 0.5) * scale)); };
            QTest::addRow("%g, enlarged by the compositor: first", scale)
                << streams << 1.0 << QPoint(0, 0) << 0 << QPoint(under(0), under(0));
            QTest::addRow("%g, enlarged by the compositor: last", scale)
                << streams << 1.0 << QPoint(1919, 1079) << 0 << QPoint(under(1919), under(1079));
            QTest::addRow("%g, enlarged by the compositor: one past the right", scale)
                << streams << 1.0 << QPoint(1920, 0) << -1 << QPoint();
            QTest::addRow("%g, enlarged by the compositor: one past the bottom", scale)
                << streams << 1.0 << QPoint(0, 1080) << -1 << QPoint();
            QTest::addRow("%g, enlarged by the compositor: one before the left", scale)
                << streams << 1.0 << QPoint(-1, 0) << -1 << QPoint();
            // XWayland scales itself: X pixels are the monitor's pixels, one for one.
            QTest::addRow("%g, scaled by XWayland: first", scale)
                << streams << scale << QPoint(0, 0) << 0 << QPoint(0, 0);
            QTest::addRow("%g, scaled by XWayland: odd pixel", scale)
                << streams << scale << QPoint(7, 13) << 0 << QPoint(7, 13);
            QTest::addRow("%g, scaled by XWayland: last", scale)
                << streams << scale << QPoint(frame.width() - 1, frame.height() - 1) << 0
                << QPoint(frame.width() - 1, frame.height() - 1);
            QTest::addRow("%g, scaled by XWayland: one past the right", scale)
                << streams << scale << QPoint(frame.width(), 0) << -1 << QPoint();
            QTest::addRow("%g, scaled by XWayland: one past the bottom", scale)
                << streams << scale << QPoint(0, frame.height()) << -1 << QPoint();
        }
        // Two monitors, the compositor enlarging X11 windows: X pixels are logical ones.
        QTest::newRow("two, enlarged: last of the first")
            << twoMonitors << 1.0 << QPoint(1919, 0) << 0 << QPoint(3839, 1);
        QTest::newRow("two, enlarged: first of the second")
            << twoMonitors << 1.0 << QPoint(1920, 0) << 1 << QPoint(0, 0);
        QTest::newRow("two, enlarged: last of the second")
            << twoMonitors << 1.0 << QPoint(3199, 1023) << 1 << QPoint(1279, 1023);
        QTest::newRow("two, enlarged: one past the second")
            << twoMonitors << 1.0 << QPoint(3200, 0) << -1 << QPoint();
        QTest::newRow("two, enlarged: below the shorter one")
            << twoMonitors << 1.0 << QPoint(1920, 1024) << -1 << QPoint();
        QTest::newRow("two, enlarged: below the taller one")
            << twoMonitors << 1.0 << QPoint(1919, 1079) << 0 << QPoint(3839, 2159);
        // XWayland scaled by the largest scale: the 100 % monitor gets two X pixels for each
        // of its own.
        QTest::newRow("two, scaled by XWayland: last of the first")
            << twoMonitors << 2.0 << QPoint(3839, 2159) << 0 << QPoint(3839, 2159);
        QTest::newRow("two, scaled by XWayland: first of the second")
            << twoMonitors << 2.0 << QPoint(3840, 0) << 1 << QPoint(0, 0);
        QTest::newRow("two, scaled by XWayland: second X pixel of it")
            << twoMonitors << 2.0 << QPoint(3841, 1) << 1 << QPoint(0, 0);
        QTest::newRow("two, scaled by XWayland: third X pixel of it")
            << twoMonitors << 2.0 << QPoint(3842, 2) << 1 << QPoint(1, 1);
        QTest::newRow("two, scaled by XWayland: last of the second")
            << twoMonitors << 2.0 << QPoint(6399, 2047) << 1 << QPoint(1279, 1023);
        QTest::newRow("two, scaled by XWayland: one past the second")
            << twoMonitors << 2.0 << QPoint(6400, 0) << -1 << QPoint();
        QTest::newRow("no stream") << QList<CastStream>{} << 1.0 << QPoint(0, 0) << -1 << QPoint();
        QTest::newRow("no scale") << twoMonitors << 0.0 << QPoint(0, 0) << -1 << QPoint();
    }

    void pixels() {
        QFETCH(QList<CastStream>, streams);
        QFETCH(double, xScale);
        QFETCH(QPoint, x);
        QFETCH(int, stream);
        QFETCH(QPoint, pixel);
        const std::optional<StreamPixel> found = streamPixelOf(x, streams, xScale);
        QCOMPARE(found.has_value(), stream >= 0);
        if (found)
            QCOMPARE(*found, (StreamPixel{stream, pixel}));
    }

    void scaleOfXWayland_data() {
        QTest::addColumn<QSize>("xScreen");
        QTest::addColumn<QList<CastStream>>("streams");
        QTest::addColumn<double>("expected");
        for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
            QTest::addRow("%g, enlarged by the compositor", scale)
                << QSize(1920, 1080) << oneMonitor(scale) << 1.0;
            QTest::addRow("%g, scaled by XWayland", scale)
                << oneMonitor(scale)[0].frame << oneMonitor(scale) << scale;
        }
        QTest::newRow("two, enlarged") << QSize(3200, 1080) << twoMonitors << 1.0;
        QTest::newRow("two, scaled by XWayland") << QSize(6400, 2160) << twoMonitors << 2.0;
        QTest::newRow("no streams") << QSize(1920, 1080) << QList<CastStream>{} << 1.0;
        QTest::newRow("no X screen") << QSize() << twoMonitors << 1.0;
    }

    void scaleOfXWayland() {
        QFETCH(QSize, xScreen);
        QFETCH(QList<CastStream>, streams);
        QFETCH(double, expected);
        QCOMPARE(xwaylandScale(xScreen, streams), expected);
    }

    // A picture across the border of two monitors takes each side from its own stream; what no
    // stream shows, or no frame has come for, is unread.
    void pictureAcrossTwoMonitors() {
        QImage left(3840, 2160, QImage::Format_RGB32);
        left.fill(qRgb(0xc0, 0x10, 0x10));
        left.setPixel(3839, 3, qRgb(0, 0xff, 0)); // under the middle of X pixel (1919, 1)
        QImage right(1280, 1024, QImage::Format_RGB32);
        right.fill(qRgb(0x10, 0x10, 0xc0));
        const QRect area(1918, 1021, 4, 5); // two columns on each side, past the right's bottom
        const QImage picture = pictureFromFrames(area, twoMonitors, {left, right}, 1.0);
        QCOMPARE(picture.size(), area.size());
        QCOMPARE(picture.pixel(0, 0), qRgb(0xc0, 0x10, 0x10));
        QCOMPARE(picture.pixel(2, 2), qRgb(0x10, 0x10, 0xc0));
        QCOMPARE(picture.pixel(3, 2), qRgb(0x10, 0x10, 0xc0));
        // Row 1024 and below lies under the left monitor only.
        QVERIFY(isRead(picture.pixel(1, 3)));
        QVERIFY(!isRead(picture.pixel(2, 3)));
        QVERIFY(!isRead(picture.pixel(3, 4)));

        const QImage green = pictureFromFrames(QRect(1919, 1, 1, 1), twoMonitors, {left}, 1.0);
        QCOMPARE(green.pixel(0, 0), qRgb(0, 0xff, 0));
        // No frame yet for the second stream.
        const QImage waiting = pictureFromFrames(area, twoMonitors, {left}, 1.0);
        QVERIFY(isRead(waiting.pixel(1, 0)));
        QVERIFY(!isRead(waiting.pixel(2, 0)));
    }
};

QTEST_GUILESS_MAIN(TestStreamMapping)
#include "tst_streammapping.moc"
