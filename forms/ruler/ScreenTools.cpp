#include "forms/ruler/ScreenTools.h"

#include "core/screen/EdgeSearch.h"
#include "core/screen/KeyedPoint.h"
#include "core/screen/OwnWindows.h"
#include "core/settings/RulerState.h"
#include "core/skins/Skin.h"
#include "core/units/DevicePixels.h"
#include "forms/ruler/Loupe.h"
#include "forms/ruler/ReadingAnnouncer.h"
#include "forms/ruler/RulerContext.h"
#include "forms/ruler/ScreenPixels.h"
#include "forms/ruler/SpanMarks.h"
#include "forms/screencast/ScreenSource.h"
#include "widgets/RangedNumber.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>

#include <optional>

namespace {

// Pixels read beyond the reach on each side, so that an anti-aliased edge near the end of the
// reach is seen whole and counts at its steepest step.
constexpr int rampMargin = 8;

// Menu pictures for desktops whose icon theme has none of these.
enum class Picture { Loupe, Snap, Span, Tolerance };

QIcon drawnIcon(Picture picture) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 3, Qt::SolidLine, Qt::RoundCap));
    switch (picture) {
    case Picture::Loupe:
        painter.drawEllipse(QRect(4, 4, 17, 17));
        painter.drawLine(19, 19, 28, 28);
        break;
    case Picture::Snap:
        painter.drawLine(20, 3, 20, 29);
        painter.drawLine(4, 16, 15, 16);
        painter.drawLine(10, 10, 15, 16);
        painter.drawLine(10, 22, 15, 16);
        break;
    case Picture::Span:
        painter.drawLine(4, 6, 4, 26);
        painter.drawLine(28, 6, 28, 26);
        painter.drawLine(8, 16, 24, 16);
        break;
    case Picture::Tolerance:
        painter.drawLine(4, 10, 28, 10);
        painter.drawLine(4, 22, 28, 22);
        painter.drawEllipse(QRect(16, 6, 8, 8));
        painter.drawEllipse(QRect(7, 18, 8, 8));
        break;
    }
    return QIcon(pixmap);
}

} // namespace

ScreenTools::ScreenTools(RulerContext &context)
    : QObject(&context.window()), m_context(context), m_state(context.state()) {
    QWidget &form = context.window();
    setObjectName(QStringLiteral("screenTools"));
    m_readable = screenCanBeRead(&m_whyNotReadable);
    m_source = new ScreenSource(m_state.screenCastToken, this);
    readScreen = [this](const QRect &area) { return m_source->read(area); };
    connect(m_source, &ScreenSource::restoreTokenChanged, this, [this] { m_context.saveSoon(); });
    connect(m_source, &ScreenSource::unreadable, this, [this] {
        m_readable = false;
        m_whyNotReadable = m_source->whyNotRead();
        m_toldUnreadable = false;
    });
    pointer = [this] { return pointerOnScreen(m_context.window()); };
    keyboardPoint.pointer = [this] { return pointer(); };

    const std::tuple<QAction *&, const char *, QString, QKeySequence> entries[] = {
        {m_loupeAction, "menuLupa", QStringLiteral("Lupa"), QKeySequence(Qt::Key_F6)},
        {m_snapAction, "menuPrichytit", QStringLiteral("Přichytit k hranám"),
         QKeySequence(Qt::Key_F7)},
        {m_spanAction, "menuMeritMeziHranami", QStringLiteral("Změřit mezi hranami"),
         QKeySequence(Qt::Key_F8)},
        {m_toleranceAction, "menuToleranceHran", QStringLiteral("Citlivost hran..."),
         QKeySequence()},
    };
    for (const auto &[action, name, caption, key] : entries) {
        // Children of the ruler window, where the language file finds them by name.
        action = new QAction(caption, &form);
        action->setObjectName(QLatin1String(name));
        // The keys work through the ruler window's keyboard; the menu only tells them.
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    m_loupeAction->setCheckable(true);
    m_snapAction->setCheckable(true);
    connect(m_loupeAction, &QAction::triggered, this, &ScreenTools::toggleLoupe);
    connect(m_snapAction, &QAction::triggered, this, &ScreenTools::toggleSnapping);
    connect(m_spanAction, &QAction::triggered, this, &ScreenTools::measureBetweenEdges);
    connect(m_toleranceAction, &QAction::triggered, this, [this] {
        const std::optional<double> tolerance = askNumber(
            &m_context.window(), m_context.translate(QStringLiteral("Citlivost hran")),
            m_context.translate(QStringLiteral(
                "Rozdíl barev sousedních pixelů, který ještě není hrana (0 až 254):")),
            FixedPoint::fromInt(0), FixedPoint::fromInt(largestEdgeTolerance),
            m_state.edgeTolerance, [this](const QString &czech, const QStringList &arguments) {
                return m_context.translate(czech, arguments);
            });
        if (tolerance) {
            m_state.edgeTolerance = qRound(*tolerance);
            m_context.saveSoon();
        }
    });

    m_marks = new SpanMarks(m_state, &form);
    m_marks->setGeometry(form.rect());
    form.installEventFilter(this);
}

void ScreenTools::addMenuItems(QMenu *menu) {
    // The pictures are looked up in the icon theme only now: the theme and the picture
    // plug-ins it loads would otherwise delay the ruler's start.
    const std::tuple<QAction *, const char *, Picture> pictures[] = {
        {m_loupeAction, "zoom-in", Picture::Loupe},
        {m_snapAction, "snap-nodes-cusp", Picture::Snap},
        {m_spanAction, "measure", Picture::Span},
        {m_toleranceAction, "configure", Picture::Tolerance},
    };
    for (const auto &[action, theme, picture] : pictures)
        action->setIcon(QIcon::fromTheme(QLatin1String(theme), drawnIcon(picture)));
    menu->addSeparator()->setObjectName(QStringLiteral("N300"));
    menu->addActions({m_loupeAction, m_snapAction, m_spanAction, m_toleranceAction});
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        m_snapAction->setChecked(m_state.snapToEdges);
        m_loupeAction->setChecked(m_loupe && m_loupe->running());
        if (m_readable)
            return;
        menu->setToolTipsVisible(true);
        for (QAction *action : {m_loupeAction, m_snapAction, m_spanAction}) {
            action->setEnabled(false);
            action->setToolTip(m_context.translate(m_whyNotReadable));
        }
    });
}

BarOnScreen ScreenTools::bar() const {
    const bool horizontal = m_state.Horizontalni;
    const QWidget &window = m_context.window();
    return {m_context.placeOnDesktop(),
            deviceLength(horizontal ? window.width() : window.height(), m_context.ratio()),
            horizontal};
}

// Asked when a tool first needs pixels, never at start: one pixel read tells whether the X
// server has a picture of the screen at all, which XWayland under most compositors has not.
bool ScreenTools::screenReadable() {
    if (m_readable && !m_probed) {
        m_probed = true;
        if (readScreen(QRect(pointer(), QSize(1, 1))).size() != QSize(1, 1) &&
            !m_source->waiting()) {
            m_readable = false;
            m_whyNotReadable = m_source->whyNotRead();
        }
    }
    return m_readable;
}

// The pixels of `area` as the screen shows them beneath the ruler's own windows: where the bar
// or the loupe stands (or stood a moment ago) they are unread. A null image when nothing could
// be read.
QImage ScreenTools::pixels(const QRect &area) {
    m_lastReadFailed = false;
    m_whyLastNotRead = m_whyNotReadable;
    if (!screenReadable()) {
        m_lastReadFailed = true;
        return {};
    }
    const QImage read = readScreen(area);
    if (read.size() != area.size()) {
        m_lastReadFailed = true;
        m_whyLastNotRead = m_source->whyNotRead();
        return {};
    }
    QList<QRect> own{QRect(bar().start, deviceSize(m_context.window().size(), m_context.ratio()))};
    if (m_loupe)
        own << m_loupe->placesOnScreen();
    m_whyLastNotRead = QStringLiteral("Stojí tu okno pravítka.");
    return withOwnWindowsUnread(read, area.topLeft(), own);
}

QString ScreenTools::unreadableNote(const QString &why) const {
    return m_context.translate(QStringLiteral("Obrazovku tu nelze číst.")) + u' ' +
           m_context.translate(why);
}

// Said once; after that a tool that finds nothing to read only beeps.
void ScreenTools::tellUnreadable(const QString &why) {
    if (m_toldUnreadable) {
        QApplication::beep();
        return;
    }
    m_toldUnreadable = true;
    m_context.report(QMessageBox::Information, unreadableNote(why));
}

// The line beside the scale for the edge search, empty when it cannot be used.
QVector<QRgb> ScreenTools::lineOutsideScale(int from, int to) {
    return lineWithUnreadEndsFilled(pixels(bar().outsideScale(from, to)));
}

int ScreenTools::snapped(int pressed) {
    if (!m_state.snapToEdges)
        return pressed;
    const int margin = edgeSnapReach + rampMargin;
    const QVector<QRgb> line = lineOutsideScale(pressed - margin, pressed + margin + 1);
    if (line.isEmpty())
        return pressed;
    const int edge =
        snapToEdge(line, margin, edgeSnapReach, m_state.edgeTolerance) - margin + pressed;
    return qBound(0, edge, bar().length);
}

QPoint ScreenTools::snappedPress(QPoint device) {
    endSpan();
    if (m_state.Horizontalni)
        device.setX(snapped(device.x()));
    else
        device.setY(snapped(device.y()));
    return device;
}

void ScreenTools::measureBetweenEdges() {
    const BarOnScreen where = bar();
    const std::optional<int> offset = where.offsetOf(keyboardPoint.point());
    if (!screenReadable()) {
        tellUnreadable(m_whyNotReadable);
        return;
    }
    // One pixel beyond each end, so that an edge at either end of the bar is seen.
    const QVector<QRgb> line = offset ? lineOutsideScale(-1, where.length + 1) : QVector<QRgb>();
    if (offset && m_lastReadFailed) {
        tellUnreadable(m_whyLastNotRead);
        return;
    }
    const std::optional<EdgeSpan> span =
        line.isEmpty() ? std::nullopt : spanAround(line, *offset + 1, m_state.edgeTolerance);
    if (!span) {
        QApplication::beep();
        return;
    }
    m_state.edgeSpan =
        EdgeSpan{qBound(0, span->start - 1, where.length), qBound(0, span->end - 1, where.length)};
    m_marks->setRatio(m_context.ratio());
    m_marks->setColour(m_context.skin().meterColour);
    m_marks->raise();
    m_marks->update();
    m_context.refresh(RulerChange::Reading);
    m_context.announcer().announceReading();
}

void ScreenTools::endSpan() {
    if (!m_state.edgeSpan)
        return;
    m_state.edgeSpan.reset();
    m_marks->update();
    m_context.refresh(RulerChange::Reading);
}

void ScreenTools::toggleSnapping() {
    // Snapping that is on can always be turned off.
    if (!m_state.snapToEdges && !screenReadable()) {
        tellUnreadable(m_whyNotReadable);
        return;
    }
    m_state.snapToEdges = !m_state.snapToEdges;
    m_snapAction->setChecked(m_state.snapToEdges);
    m_context.saveSoon();
}

QString ScreenTools::readingAt(QPoint device) const {
    const BarOnScreen where = bar();
    const std::optional<int> offset = where.offsetOf(device);
    if (!offset)
        return QString();
    const int fromZero = m_state.Obracene ? where.length - *offset : *offset;
    return m_context.formatDistance(fromZero) + u' ' + m_context.unitSymbol();
}

void ScreenTools::toggleLoupe() {
    if (!m_loupe) {
        m_loupe = new Loupe(&m_context.window());
        m_loupe->setAccessibleName(m_context.translate(QStringLiteral("Lupa")));
        m_loupe->readScreen = [this](const QRect &area) { return pixels(area); };
        m_loupe->whyNotRead = [this] { return unreadableNote(m_whyLastNotRead); };
        m_loupe->pointer = [this] { return keyboardPoint.point(); };
        m_loupe->reading = [this](QPoint device) { return readingAt(device); };
        m_loupe->tell = [this](const QString &text) { m_context.announcer().announce(text); };
    }
    keyboardPoint.forget();
    if (m_loupe->running())
        m_loupe->stop();
    else
        m_loupe->start();
    m_loupeAction->setChecked(m_loupe->running());
}

// While the loupe is shown the arrows move its point and Enter presses there; Esc puts the
// loupe away and gives the arrows back to the bar.
bool ScreenTools::keyInLoupe(const QKeyEvent &key) {
    if (const std::optional<QPoint> step = arrowStep(key.key(), key.modifiers())) {
        m_loupe->showFrame(keyboardPoint.step(*step));
        return true;
    }
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pressAtPoint(key.modifiers());
        return true;
    case Qt::Key_Escape:
        toggleLoupe();
        return true;
    default:
        return false;
    }
}

void ScreenTools::pressAtPoint(Qt::KeyboardModifiers modifiers) {
    const BarOnScreen where = bar();
    const QPoint at = keyboardPoint.point();
    // A click can only land across the bar.
    if (!where.offsetOf(at)) {
        QApplication::beep();
        return;
    }
    emit pressedAt(modifiers & Qt::ControlModifier, at - where.start);
}

bool ScreenTools::eventFilter(QObject *watched, QEvent *event) {
    if (watched != &m_context.window())
        return QObject::eventFilter(watched, event);
    const bool loupeOn = m_loupe && m_loupe->running();
    switch (event->type()) {
    case QEvent::KeyPress:
        if (loupeOn && keyInLoupe(*static_cast<QKeyEvent *>(event)))
            return true;
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_F6:
            toggleLoupe();
            return true;
        case Qt::Key_F7:
            toggleSnapping();
            return true;
        case Qt::Key_F8:
            measureBetweenEdges();
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (!loupeOn)
                break;
            m_loupe->zoomBy(static_cast<QKeyEvent *>(event)->key() == Qt::Key_PageUp ? 1 : -1);
            return true;
        default:
            break;
        }
        break;
    case QEvent::Wheel:
        if (!loupeOn)
            break;
        m_loupe->zoomBy(static_cast<QWheelEvent *>(event)->angleDelta().y() > 0 ? 1 : -1);
        return true;
    case QEvent::Resize:
        m_marks->setGeometry(m_context.window().rect());
        endSpan();
        break;
    case QEvent::Move:
        // The edges were where the bar was.
        endSpan();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
