#include "forms/screencast/ScreenSource.h"

#include "core/units/DevicePixels.h"
#include "forms/ruler/ScreenPixels.h"
#include "forms/screencast/PipeWireFrames.h"
#include "forms/screencast/PipeWireLibrary.h"
#include "forms/screencast/PortalScreenCast.h"

#include <QEventLoop>

ScreenSource::ScreenSource(QString &restoreToken, QObject *parent)
    : QObject(parent), m_restoreToken(restoreToken) {
    bus = [] { return QDBusConnection::sessionBus(); };
    readX11 = [](const QRect &area) { return ::readScreen(area); };
    underWayland = [] { return underWaylandSession(); };
    xScreenSize = [] {
        QRect desktop;
        for (const ScreenArea &area : screenAreas())
            desktop |= area.device();
        return QSize(desktop.right() + 1, desktop.bottom() + 1);
    };
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        // Without a token the desktop would ask the user again at the next start, which is
        // worse than its sign staying lit.
        if (m_state == State::Sharing && !m_restoreToken.isEmpty())
            stopSharing();
    });
}

ScreenSource::~ScreenSource() {
    // The frames use the library, which goes before the children do.
    stopSharing();
}

QImage ScreenSource::read(const QRect &area) {
    if (m_state == State::X11) {
        const QImage picture = readX11(area);
        if (!picture.isNull() || area.isEmpty() || !underWayland())
            return picture;
        m_state = State::Idle;
    }
    if (m_state == State::Idle)
        startSharing();
    if (m_state != State::Asking && m_state != State::Sharing)
        return {};
    m_idle.start(idleStop);
    // Without a question to the user the first frame comes within moments: a press that
    // snaps or measures gets it rather than nothing.
    if (m_state == State::Asking && (m_grantedThisRun || !m_restoreToken.isEmpty()))
        waitForFirstFrame();
    if (m_state != State::Sharing)
        return {};
    const QList<QImage> frames = m_frames->frames();
    const QList<CastStream> streams = castStreams(frames);
    return pictureFromFrames(area, streams, frames, xwaylandScale(xScreenSize(), streams));
}

QString ScreenSource::whyNotRead() const {
    switch (m_state) {
    case State::X11:
        break;
    case State::Idle:
    case State::Asking:
    case State::Sharing:
        return m_grantedThisRun || !m_restoreToken.isEmpty()
                   ? QStringLiteral("Plocha začíná sdílet obrazovku.")
                   : QStringLiteral("Plocha se ptá, zda smí pravítko vidět obrazovku: vyberte "
                                    "monitory a potvrďte.");
    case State::Refused:
        return QStringLiteral("Plocha pravítku nedovolila vidět obrazovku. Lupa a hrany zůstanou "
                              "do příštího spuštění vypnuté.");
    case State::NoPortal:
        return QStringLiteral("Plocha nenabízí sdílení obrazovky (portál ScreenCast).");
    case State::NoPipeWire:
        return QStringLiteral(
            "Chybí knihovna PipeWire (libpipewire-0.3), přes kterou plocha obrazovku sdílí.");
    }
    return whyScreenReadFailed();
}

void ScreenSource::startSharing() {
    if (!m_library)
        m_library = std::make_unique<PipeWireLibrary>();
    if (!m_library->load()) {
        giveUp(State::NoPipeWire);
        return;
    }
    // Known before the first read answers: where there is no portal, its tool says so, not
    // that the desktop asks.
    const QDBusConnection connection = bus();
    if (!connection.isConnected() || !PortalScreenCast::offered(connection)) {
        giveUp(State::NoPortal);
        return;
    }
    m_state = State::Asking;
    m_cast = new PortalScreenCast(connection, this);
    connect(m_cast, &PortalScreenCast::started, this, &ScreenSource::shared);
    connect(m_cast, &PortalScreenCast::refused, this, [this] { giveUp(State::Refused); });
    connect(m_cast, &PortalScreenCast::failed, this, [this] { giveUp(State::NoPortal); });
    m_cast->start(m_restoreToken);
}

void ScreenSource::shared(const QList<PortalStream> &streams, int fd, const QString &token) {
    m_grantedThisRun = true;
    if (!token.isEmpty() && token != m_restoreToken) {
        m_restoreToken = token;
        emit restoreTokenChanged();
    }
    QList<quint32> nodes;
    m_logical.clear();
    for (const PortalStream &stream : streams) {
        nodes << stream.node;
        m_logical << stream.logical;
    }
    m_frames = new PipeWireFrames(*m_library, fd, nodes, this);
    if (!m_frames->connected()) {
        giveUp(State::NoPortal);
        return;
    }
    connect(m_frames, &PipeWireFrames::frameArrived, this, [this] {
        if (m_state != State::Asking)
            return;
        m_state = State::Sharing;
        emit sharingSettled();
    });
    // Sharing that ends after frames came (the user stopped it) starts again at the next
    // read; sharing that never gave a frame will not.
    connect(m_frames, &PipeWireFrames::ended, this, [this] {
        if (m_state == State::Sharing)
            stopSharing();
        else
            giveUp(State::NoPortal);
    });
}

void ScreenSource::stopSharing() {
    delete m_frames;
    m_frames = nullptr;
    delete m_cast;
    m_cast = nullptr;
    if (m_state == State::Asking || m_state == State::Sharing)
        m_state = State::Idle;
}

void ScreenSource::giveUp(State why) {
    stopSharing();
    m_state = why;
    emit sharingSettled();
    emit unreadable();
}

void ScreenSource::waitForFirstFrame() {
    if (m_waiting)
        return;
    m_waiting = true;
    QEventLoop loop;
    connect(this, &ScreenSource::sharingSettled, &loop, &QEventLoop::quit);
    QTimer::singleShot(firstFrameWait, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_waiting = false;
}

// A monitor whose size the desktop does not tell is as large as its frames.
QList<CastStream> ScreenSource::castStreams(const QList<QImage> &frames) const {
    QList<CastStream> streams;
    for (int index = 0; index < m_logical.size(); ++index) {
        const QSize frame = index < frames.size() ? frames[index].size() : QSize();
        QRect logical = m_logical[index];
        if (logical.isEmpty())
            logical.setSize(frame);
        streams << CastStream{logical, frame};
    }
    return streams;
}
