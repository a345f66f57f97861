// The conversation with the desktop's screen-sharing portal and the choice of where the screen's
// pixels come from, against a stand-in portal on a private session bus.

#include "core/screen/OwnWindows.h"
#include "forms/ruler/ScreenPixels.h"
#include "forms/screencast/FrameInBuffer.h"
#include "forms/screencast/PortalScreenCast.h"
#include "forms/screencast/ScreenSource.h"

#include <QDBusConnection>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <spa/buffer/buffer.h>

#include <memory>

Q_DECLARE_METATYPE(QList<PortalStream>)

class TestScreenCast : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void answers_data();
    void answers();
    void restoreTokenSpares();
    void endingClosesTheSession();
    void noPortalFails();
    void xScreenIsTheMonitorsInDevicePixels();
    void source_data();
    void source();
    void newTokenIsKept();
    void refusalStoresNothing();
    void sharedMonitorGivesItsPixels();
    void frameInBuffer_data();
    void frameInBuffer();
    void frameOfBuffer_data();
    void frameOfBuffer();

private:
    void startPortal(const QString &answer, const QStringList &streams = {},
                     const QString &pipeWire = QString());
    QStringList portalLog() const;
    QDBusConnection bus() const { return QDBusConnection(QStringLiteral("standin")); }

    QTemporaryDir m_dir;
    QProcess m_bus;
    std::unique_ptr<QProcess> m_portal;
};

void TestScreenCast::initTestCase() {
    qRegisterMetaType<QList<PortalStream>>();
    m_bus.start(QStringLiteral("dbus-daemon"),
                {"--session", "--nofork", "--nosyslog", "--print-address=1"});
    QVERIFY(m_bus.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY(QDBusConnection::connectToBus(address, QStringLiteral("standin")).isConnected());
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
}

void TestScreenCast::cleanup() {
    if (m_portal) {
        m_portal->kill();
        m_portal->waitForFinished();
        m_portal.reset();
    }
    QFile::remove(m_dir.filePath("portal.log"));
}

void TestScreenCast::cleanupTestCase() {
    QDBusConnection::disconnectFromBus(QStringLiteral("standin"));
    m_bus.kill();
    m_bus.waitForFinished();
}

void TestScreenCast::startPortal(const QString &answer, const QStringList &streams,
                                 const QString &pipeWire) {
    m_portal = std::make_unique<QProcess>();
    m_portal->start(QStringLiteral(TAVLINKO_PORTAL_STANDIN),
                    QStringList{answer, m_dir.filePath("portal.log"), pipeWire} + streams);
    QVERIFY(m_portal->waitForReadyRead(10000));
    QCOMPARE(m_portal->readLine().trimmed(), QByteArray("ready"));
}

QStringList TestScreenCast::portalLog() const {
    QFile file(m_dir.filePath("portal.log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void TestScreenCast::answers_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("yes") << "yes"
                         << "started";
    QTest::newRow("no") << "no"
                        << "refused";
    QTest::newRow("never") << "never"
                           << "";
}

// The monitors are asked for as several monitors without the pointer, with a permission that
// lasts; each stream keeps its place and size, and the token comes along.
void TestScreenCast::answers() {
    QFETCH(QString, answer);
    QFETCH(QString, outcome);
    startPortal(answer, {"42:0,0,1920,1080", "57:1920,-200,1280,1024"});
    PortalScreenCast cast(bus());
    QSignalSpy started(&cast, &PortalScreenCast::started);
    QSignalSpy refused(&cast, &PortalScreenCast::refused);
    QSignalSpy failed(&cast, &PortalScreenCast::failed);
    cast.start(QString());
    QTest::qWait(outcome.isEmpty() ? 1000 : 0);
    QTRY_VERIFY(outcome.isEmpty() || started.size() + refused.size() == 1);
    QCOMPARE(started.size(), int(outcome == "started"));
    QCOMPARE(refused.size(), int(outcome == "refused"));
    QCOMPARE(failed.size(), 0);
    QVERIFY(portalLog().contains(
        "SelectSources types=1 multiple=true cursor_mode=1 persist_mode=2 restore_token="));
    if (outcome != "started")
        return;
    const QList<PortalStream> streams = started[0][0].value<QList<PortalStream>>();
    QCOMPARE(streams, (QList<PortalStream>{{42, QRect(0, 0, 1920, 1080)},
                                           {57, QRect(1920, -200, 1280, 1024)}}));
    QVERIFY(started[0][1].toInt() >= 0);
    ::close(started[0][1].toInt());
    QCOMPARE(started[0][2].toString(), QString("token-1"));
}

// A token the desktop handed out spares the question once; the desktop hands a new one each
// time, and the used one asks again.
void TestScreenCast::restoreTokenSpares() {
    startPortal("yes", {"42:0,0,800,600"});
    QStringList tokens;
    for (const QString &given : {QString(), QString("token-1"), QString("token-1")}) {
        PortalScreenCast cast(bus());
        QSignalSpy started(&cast, &PortalScreenCast::started);
        cast.start(given);
        QTRY_COMPARE(started.size(), 1);
        ::close(started[0][1].toInt());
        tokens << started[0][2].toString();
    }
    QCOMPARE(tokens, (QStringList{"token-1", "token-2", "token-3"}));
    const QStringList starts = portalLog().filter(QRegularExpression("^Start"));
    QCOMPARE(starts, (QStringList{"Start asked", "Start restored", "Start asked"}));
    QVERIFY(portalLog().filter("restore_token=token-1").size() == 2);
}

void TestScreenCast::endingClosesTheSession() {
    startPortal("yes", {"42:0,0,800,600"});
    {
        PortalScreenCast cast(bus());
        QSignalSpy started(&cast, &PortalScreenCast::started);
        cast.start(QString());
        QTRY_COMPARE(started.size(), 1);
        ::close(started[0][1].toInt());
    }
    QTRY_VERIFY(portalLog().contains("Close"));
}

void TestScreenCast::noPortalFails() {
    PortalScreenCast cast(bus());
    QSignalSpy failed(&cast, &PortalScreenCast::failed);
    cast.start(QString());
    QTRY_COMPARE(failed.size(), 1);
}

void TestScreenCast::source_data() {
    QTest::addColumn<bool>("x11Reads");
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("unreadable");
    QTest::addColumn<bool>("waiting");
    QTest::addColumn<QString>("why");
    const QString noPicture = whyScreenReadFailed();
    QTest::newRow("X11 gives pixels") << true << true << "" << false << false << "";
    QTest::newRow("X11 fails outside Wayland")
        << false << false << "" << false << false << noPicture;
    QTest::newRow("rootless without a portal")
        << false << true << "" << true << false
        << "Plocha nenabízí sdílení obrazovky (portál ScreenCast).";
    QTest::newRow("rootless, the user says no")
        << false << true << "no" << true << false
        << "Plocha pravítku nedovolila vidět obrazovku. Lupa a hrany zůstanou do příštího "
           "spuštění vypnuté.";
    QTest::newRow("rootless, the question stays open")
        << false << true << "never" << false << true
        << "Plocha se ptá, zda smí pravítko vidět obrazovku: vyberte monitory a potvrďte.";
}

// X11 first, and the portal only where X11 has no picture in a Wayland session; until the
// pixels come, or when they never will, a read gives none and says why.
void TestScreenCast::source() {
    QFETCH(bool, x11Reads);
    QFETCH(bool, wayland);
    QFETCH(QString, answer);
    QFETCH(bool, unreadable);
    QFETCH(bool, waiting);
    QFETCH(QString, why);
    if (!answer.isEmpty())
        startPortal(answer, {"42:0,0,800,600"});
    QString token;
    ScreenSource source(token);
    source.bus = [this] { return bus(); };
    QImage x11(3, 2, QImage::Format_RGB32);
    x11.fill(Qt::red);
    source.readX11 = [&](const QRect &) { return x11Reads ? x11 : QImage(); };
    source.underWayland = [&] { return wayland; };
    QSignalSpy gaveUp(&source, &ScreenSource::unreadable);
    // While the user may still be asked, a read waits for nothing: no event loop runs in it.
    bool waitedInside = false;
    QTimer::singleShot(0, &source, [&] { waitedInside = true; });
    const QImage read = source.read(QRect(0, 0, 3, 2));
    QVERIFY(!waitedInside);
    QCOMPARE(read, x11Reads ? x11 : QImage());
    // Without a portal on the bus the first read knows it already.
    if (!x11Reads && wayland && answer.isEmpty())
        QCOMPARE(gaveUp.size(), 1);
    QTest::qWait(answer.isEmpty() && !wayland ? 0 : 500);
    QCOMPARE(gaveUp.size(), int(unreadable));
    QCOMPARE(source.waiting(), waiting);
    if (!why.isEmpty())
        QCOMPARE(source.whyNotRead(), why);
    // The portal is asked only where X11 has no picture in a Wayland session.
    QCOMPARE(portalLog().isEmpty(), x11Reads || !wayland || answer.isEmpty());
    QVERIFY(source.read(QRect(0, 0, 3, 2)).isNull() != x11Reads);
    QCOMPARE(token, QString());
}

// The X screen the streams are fitted to holds every monitor to its last row and column.
void TestScreenCast::xScreenIsTheMonitorsInDevicePixels() {
    QString token;
    ScreenSource source(token);
    const QScreen *screen = QGuiApplication::primaryScreen();
    QCOMPARE(QGuiApplication::screens().size(), 1);
    QCOMPARE(screen->geometry().topLeft(), QPoint(0, 0));
    QCOMPARE(source.xScreenSize(), (QSizeF(screen->size()) * screen->devicePixelRatio()).toSize());
}

void TestScreenCast::newTokenIsKept() {
    startPortal("yes", {"42:0,0,800,600"});
    QString token;
    ScreenSource source(token);
    source.bus = [this] { return bus(); };
    source.readX11 = [](const QRect &) { return QImage(); };
    source.underWayland = [] { return true; };
    QSignalSpy changed(&source, &ScreenSource::restoreTokenChanged);
    QVERIFY(source.read(QRect(0, 0, 1, 1)).isNull());
    QTRY_COMPARE(changed.size(), 1);
    QCOMPARE(token, QString("token-1"));
    // Without a question now, a read waits a moment for the first frame; the stand-in's
    // PipeWire sends none.
    source.firstFrameWait = 200;
    QVERIFY(source.read(QRect(0, 0, 1, 1)).isNull());
    // The wait ended at its deadline; the sharing goes on starting.
    QVERIFY(source.waiting());
    QCOMPARE(source.whyNotRead(), QString("Plocha začíná sdílet obrazovku."));
}

// A token from an earlier run that the desktop no longer honours, and a user who then says no:
// the stored token stays as it was.
void TestScreenCast::refusalStoresNothing() {
    startPortal("no", {"42:0,0,800,600"});
    QString token = "token-from-before";
    ScreenSource source(token);
    source.bus = [this] { return bus(); };
    source.readX11 = [](const QRect &) { return QImage(); };
    source.underWayland = [] { return true; };
    source.firstFrameWait = 100;
    QSignalSpy changed(&source, &ScreenSource::restoreTokenChanged);
    QSignalSpy gaveUp(&source, &ScreenSource::unreadable);
    source.read(QRect(0, 0, 1, 1));
    QTRY_COMPARE(gaveUp.size(), 1);
    QVERIFY(portalLog().contains("SelectSources types=1 multiple=true cursor_mode=1 persist_mode=2 "
                                 "restore_token=token-from-before"));
    QCOMPARE(changed.size(), 0);
    QCOMPARE(token, QString("token-from-before"));
}

// A monitor of boxes streamed by a PipeWire of the test's own, as large as the offscreen
// screen: its pixels arrive in place, a read while sharing never waits, the sharing stops when
// idle, and the next read starts it again with the token and waits for the first frame.
void TestScreenCast::sharedMonitorGivesItsPixels() {
#ifndef TAVLINKO_PIPEWIRE_BOXES
    QSKIP("no PipeWire source of the tests' own");
#else
    const QString pipeWire = QStandardPaths::findExecutable("pipewire");
    if (pipeWire.isEmpty())
        QSKIP("no PipeWire to stream a monitor");
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess daemon, boxes;
    boxes.setProcessEnvironment(environment);
    environment.insert("PIPEWIRE_CONFIG_DIR", TAVLINKO_SOURCE_DIR "/tests/data");
    daemon.setProcessEnvironment(environment);
    daemon.start(pipeWire, {"-c", "pipewire-test.conf"});
    const QString socket = runtime.filePath("pipewire-0");
    QTRY_VERIFY(QFile::exists(socket));
    const QSize screen = QGuiApplication::primaryScreen()->size();
    boxes.start(TAVLINKO_PIPEWIRE_BOXES,
                {QString::number(screen.width()), QString::number(screen.height()), "0"});
    QVERIFY2(boxes.waitForReadyRead(10000), boxes.readAllStandardError().constData());
    const QString node = QString::fromUtf8(boxes.readLine()).trimmed().section(u' ', 1);
    startPortal("yes",
                {QStringLiteral("%1:0,0,%2,%3").arg(node).arg(screen.width()).arg(screen.height())},
                socket);

    QString token;
    ScreenSource source(token);
    source.bus = [this] { return bus(); };
    source.readX11 = [](const QRect &) { return QImage(); };
    source.underWayland = [] { return true; };
    source.idleStop = 300;
    // The restarted sharing's first frame ends the wait, long before this.
    source.firstFrameWait = 600000;
    const QRect row(95, screen.height() - 1, screen.width() - 95, 1);
    QImage picture;
    QTRY_VERIFY((picture = source.read(row), !picture.isNull()));
    const auto colourAt = [&](int x) { return QColor(picture.pixel(x - row.x(), 0)).name(); };
    QCOMPARE(colourAt(99), QString("#ffffff"));
    QCOMPARE(colourAt(100), QString("#000000"));
    QCOMPARE(colourAt(109), QString("#000000"));
    QCOMPARE(colourAt(110), QString("#ffffff"));
    QCOMPARE(colourAt(200), QString("#d8d8d8"));
    QCOMPARE(colourAt(250), QString("#2050a0"));
    QCOMPARE(colourAt(299), QString("#2050a0"));
    QCOMPARE(colourAt(300), QString("#ffffff"));
    // The screen's last column and row come from the monitor's last.
    QVERIFY(wholeRead(picture));

    bool waitedInside = false;
    QTimer::singleShot(0, &source, [&] { waitedInside = true; });
    QVERIFY(!source.read(row).isNull());
    QVERIFY(!waitedInside);

    QTRY_VERIFY(portalLog().contains("Close"));
    QTimer::singleShot(0, &source, [&] { waitedInside = true; });
    picture = source.read(row);
    QVERIFY(waitedInside);
    QVERIFY(!picture.isNull());
    QCOMPARE(colourAt(250), QString("#2050a0"));
    QVERIFY(portalLog().contains("Start restored"));
    for (QProcess *process : {&boxes, &daemon}) {
        process->kill();
        process->waitForFinished();
    }
#endif
}

void TestScreenCast::frameOfBuffer_data() {
    QTest::addColumn<quint32>("planes");
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<bool>("shown");
    QTest::newRow("one plane") << 1u << quint32(SPA_CHUNK_FLAG_NONE) << true;
    QTest::newRow("no plane") << 0u << quint32(SPA_CHUNK_FLAG_NONE) << false;
    QTest::newRow("corrupted") << 1u << quint32(SPA_CHUNK_FLAG_CORRUPTED) << false;
}

void TestScreenCast::frameOfBuffer() {
    QFETCH(quint32, planes);
    QFETCH(quint32, flags);
    QFETCH(bool, shown);
    QVector<quint32> memory(12, 0xff102030u);
    spa_chunk chunk{};
    chunk.stride = 16;
    chunk.flags = qint32(flags);
    spa_data plane{};
    plane.data = memory.data();
    plane.maxsize = quint32(memory.size() * 4);
    plane.chunk = &chunk;
    spa_buffer buffer{};
    buffer.n_datas = planes;
    buffer.datas = &plane;
    const QImage frame = ::frameOfBuffer(buffer, QSize(4, 3), QImage::Format_RGB32);
    QCOMPARE(!frame.isNull(), shown);
    if (shown)
        QCOMPARE(frame.pixel(3, 2), 0xff102030u);
}

void TestScreenCast::frameInBuffer_data() {
    QTest::addColumn<quint32>("maxSize");
    QTest::addColumn<quint32>("offset");
    QTest::addColumn<qint32>("stride");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("fits");
    // Rows of 4 pixels are 16 bytes; the last row needs no padding after it.
    QTest::newRow("packed, exactly") << 48u << 0u << 0 << QSize(4, 3) << true;
    QTest::newRow("packed, a byte short") << 47u << 0u << 0 << QSize(4, 3) << false;
    QTest::newRow("offset, exactly") << 49u << 1u << 16 << QSize(4, 3) << true;
    QTest::newRow("offset, a byte short") << 48u << 1u << 16 << QSize(4, 3) << false;
    QTest::newRow("padded rows, exactly") << 56u << 0u << 20 << QSize(4, 3) << true;
    QTest::newRow("padded rows, a byte short") << 55u << 0u << 20 << QSize(4, 3) << false;
    QTest::newRow("rows shorter than the pixels") << 48u << 0u << 15 << QSize(4, 3) << false;
    QTest::newRow("rows bottom up") << 48u << 32u << -16 << QSize(4, 3) << false;
    QTest::newRow("no pixels across") << 48u << 0u << 0 << QSize(0, 3) << false;
    QTest::newRow("no rows") << 48u << 0u << 0 << QSize(4, 0) << false;
    QTest::newRow("an offset past the end") << 48u << 4294967295u << 0 << QSize(1, 1) << false;
}

void TestScreenCast::frameInBuffer() {
    QFETCH(quint32, maxSize);
    QFETCH(quint32, offset);
    QFETCH(qint32, stride);
    QFETCH(QSize, size);
    QFETCH(bool, fits);
    QVector<quint32> memory(64);
    for (int index = 0; index < memory.size(); ++index)
        memory[index] = 0xff000000u | quint32(index);
    const auto *bytes = reinterpret_cast<const uchar *>(memory.constData());
    const QImage frame =
        ::frameInBuffer(bytes, maxSize, offset, stride, size, QImage::Format_RGB32);
    QCOMPARE(!frame.isNull(), fits);
    QVERIFY(::frameInBuffer(bytes, maxSize, offset, stride, size, QImage::Format_Invalid).isNull());
    QVERIFY(::frameInBuffer(nullptr, maxSize, offset, stride, size, QImage::Format_RGB32).isNull());
    if (!fits)
        return;
    // The last pixel is read from where the rows put it.
    const int step = stride ? stride : size.width() * 4;
    const QPoint last(size.width() - 1, size.height() - 1);
    quint32 expected = 0;
    std::memcpy(&expected, bytes + offset + last.y() * step + last.x() * 4, 4);
    QCOMPARE(frame.pixel(last), expected | 0xff000000u);
}

QTEST_MAIN(TestScreenCast)
#include "tst_screencast.moc"
