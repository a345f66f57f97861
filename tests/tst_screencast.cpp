// The conversation with the desktop's screen-sharing portal and the choice of where the screen's
// pixels come from, against a stand-in portal on a private session bus.

#include "forms/ruler/ScreenPixels.h"
#include "forms/screencast/PortalScreenCast.h"
#include "forms/screencast/ScreenSource.h"

#include <QDBusConnection>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

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
    void source_data();
    void source();
    void newTokenIsKept();
    void refusalStoresNothing();

private:
    void startPortal(const QString &answer, const QStringList &streams = {});
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

void TestScreenCast::startPortal(const QString &answer, const QStringList &streams) {
    m_portal = std::make_unique<QProcess>();
    m_portal->start(QStringLiteral(TAVLINKO_PORTAL_STANDIN),
                    QStringList{answer, m_dir.filePath("portal.log"), QString()} + streams);
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
    const QImage read = source.read(QRect(0, 0, 3, 2));
    QCOMPARE(read, x11Reads ? x11 : QImage());
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

QTEST_MAIN(TestScreenCast)
#include "tst_screencast.moc"
