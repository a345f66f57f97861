#include "forms/ruler/ScreenTools.h"

#include "core/screen/EdgeSearch.h"
#include "core/settings/RulerState.h"
#include "core/translation/LangTranslator.h"
#include "core/units/DevicePixels.h"
#include "forms/ruler/Loupe.h"
#include "forms/ruler/MainForm.h"
#include "forms/ruler/ScreenPixels.h"
#include "forms/ruler/SpanMarks.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>

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

ScreenTools::ScreenTools(TMainForm &form, RulerState &state)
    : QObject(&form), m_form(form), m_state(state) {
    setObjectName(QStringLiteral("screenTools"));
    m_readable = screenCanBeRead(&m_whyNotReadable);
    readScreen = [](const QRect &area) { return ::readScreen(area); };
    pointer = [this] { return pointerOnScreen(m_form); };

    const std::tuple<QAction *&, const char *, QString, QKeySequence> entries[] = {
        {menuLupa, "menuLupa", QStringLiteral("Lupa"), QKeySequence(Qt::Key_F6)},
        {menuPrichytit, "menuPrichytit", QStringLiteral("Přichytit k hranám"),
         QKeySequence(Qt::Key_F7)},
        {menuMeritMeziHranami, "menuMeritMeziHranami", QStringLiteral("Změřit mezi hranami"),
         QKeySequence(Qt::Key_F8)},
        {menuToleranceHran, "menuToleranceHran", QStringLiteral("Citlivost hran..."),
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
    menuLupa->setCheckable(true);
    menuPrichytit->setCheckable(true);
    connect(menuLupa, &QAction::triggered, this, &ScreenTools::toggleLoupe);
    connect(menuPrichytit, &QAction::triggered, this, &ScreenTools::toggleSnapping);
    connect(menuMeritMeziHranami, &QAction::triggered, this, &ScreenTools::measureBetweenEdges);
    connect(menuToleranceHran, &QAction::triggered, this, [this] {
        bool ok = false;
        const int tolerance = QInputDialog::getInt(
            &m_form, translated(QStringLiteral("Citlivost hran")),
            translated(QStringLiteral(
                "Rozdíl barev sousedních pixelů, který ještě není hrana (0 až 254):")),
            m_state.ToleranceHran, 0, largestEdgeTolerance, 1, &ok);
        if (ok) {
            m_state.ToleranceHran = tolerance;
            m_form.saveSoon();
        }
    });

    m_marks = new SpanMarks(state, &form);
    m_marks->setGeometry(form.rect());
    form.installEventFilter(this);
}

QString ScreenTools::translated(const QString &czech) const {
    TLangTranslator *translator = m_form.Prekladac();
    return translator ? translator->TranslateString(czech) : czech;
}

void ScreenTools::addMenuItems(QMenu *menu) {
    // The pictures are looked up in the icon theme only now: the theme and the picture
    // plug-ins it loads would otherwise delay the ruler's start.
    const std::tuple<QAction *, const char *, Picture> pictures[] = {
        {menuLupa, "zoom-in", Picture::Loupe},
        {menuPrichytit, "snap-nodes-cusp", Picture::Snap},
        {menuMeritMeziHranami, "measure", Picture::Span},
        {menuToleranceHran, "configure", Picture::Tolerance},
    };
    for (const auto &[action, theme, picture] : pictures)
        action->setIcon(QIcon::fromTheme(QLatin1String(theme), drawnIcon(picture)));
    menu->addSeparator()->setObjectName(QStringLiteral("N300"));
    menu->addActions({menuLupa, menuPrichytit, menuMeritMeziHranami, menuToleranceHran});
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menuPrichytit->setChecked(m_state.PrichytitKHranam);
        menuLupa->setChecked(m_loupe && m_loupe->running());
        if (m_readable)
            return;
        menu->setToolTipsVisible(true);
        for (QAction *action : {menuLupa, menuPrichytit, menuMeritMeziHranami}) {
            action->setEnabled(false);
            action->setToolTip(translated(m_whyNotReadable));
        }
    });
}

BarOnScreen ScreenTools::bar() const {
    const QScreen *display = m_form.screen();
    const ScreenArea area{display ? display->geometry() : QRect(), m_form.pomer()};
    const bool horizontal = m_state.Horizontalni;
    return {devicePlace(m_form.pos(), area),
            deviceLength(horizontal ? m_form.width() : m_form.height(), m_form.pomer()),
            horizontal};
}

QImage ScreenTools::lineOutsideScale(int from, int to) const {
    const QRect strip = bar().outsideScale(from, to);
    const QImage read = readScreen(strip);
    return read.size() == strip.size() ? read : QImage();
}

int ScreenTools::snapped(int pressed) const {
    if (!m_state.PrichytitKHranam || !m_readable)
        return pressed;
    const int margin = edgeSnapReach + rampMargin;
    const QImage strip = lineOutsideScale(pressed - margin, pressed + margin + 1);
    if (strip.isNull())
        return pressed;
    const QVector<QRgb> line =
        imageLine(strip, m_state.Horizontalni ? Qt::Horizontal : Qt::Vertical);
    const int edge =
        snapToEdge(line, margin, edgeSnapReach, m_state.ToleranceHran) - margin + pressed;
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
    const std::optional<int> offset = where.offsetOf(pointer());
    // One pixel beyond each end, so that an edge at either end of the bar is seen.
    const QImage strip = m_readable && offset ? lineOutsideScale(-1, where.length + 1) : QImage();
    const std::optional<EdgeSpan> span =
        strip.isNull()
            ? std::nullopt
            : spanAround(imageLine(strip, where.horizontal ? Qt::Horizontal : Qt::Vertical),
                         *offset + 1, m_state.ToleranceHran);
    if (!span) {
        QApplication::beep();
        return;
    }
    m_state.Rozpeti =
        EdgeSpan{qBound(0, span->start - 1, where.length), qBound(0, span->end - 1, where.length)};
    m_marks->setRatio(m_form.pomer());
    m_marks->setColour(m_form.skin().meterColour);
    m_marks->raise();
    m_marks->update();
    m_form.ZobrazVzdalenost();
}

void ScreenTools::endSpan() {
    if (!m_state.Rozpeti)
        return;
    m_state.Rozpeti.reset();
    m_marks->update();
    m_form.ZobrazVzdalenost();
}

void ScreenTools::toggleSnapping() {
    if (!m_readable)
        return;
    m_state.PrichytitKHranam = !m_state.PrichytitKHranam;
    menuPrichytit->setChecked(m_state.PrichytitKHranam);
    m_form.saveSoon();
}

QString ScreenTools::readingAt(QPoint device) const {
    const BarOnScreen where = bar();
    const std::optional<int> offset = where.offsetOf(device);
    if (!offset)
        return QString();
    const int fromZero = m_state.Obracene ? where.length - *offset : *offset;
    return m_form.FormatujVzdalenost(fromZero) + u' ' +
           m_state.Jednotky.value(m_state.Jednotka).Znacka;
}

void ScreenTools::toggleLoupe() {
    if (!m_readable)
        return;
    if (!m_loupe) {
        m_loupe = new Loupe(&m_form);
        m_loupe->setAccessibleName(translated(QStringLiteral("Lupa")));
        m_loupe->readScreen = [this](const QRect &area) { return readScreen(area); };
        m_loupe->pointer = [this] { return pointer(); };
        m_loupe->reading = [this](QPoint device) { return readingAt(device); };
    }
    if (m_loupe->running())
        m_loupe->stop();
    else
        m_loupe->start();
    menuLupa->setChecked(m_loupe->running());
}

bool ScreenTools::eventFilter(QObject *watched, QEvent *event) {
    if (watched != &m_form)
        return QObject::eventFilter(watched, event);
    const bool loupeOn = m_loupe && m_loupe->running();
    switch (event->type()) {
    case QEvent::KeyPress:
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
        m_marks->setGeometry(m_form.rect());
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
