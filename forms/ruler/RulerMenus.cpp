#include "forms/ruler/RulerMenus.h"

#include "core/drawing/BuiltInPictures.h"
#include "core/ruler/RulerModel.h"
#include "core/settings/RulerState.h"
#include "core/units/Units.h"
#include "forms/ruler/ReadingAnnouncer.h"
#include "forms/ruler/RulerContext.h"
#include "forms/ruler/RulerView.h"
#include "forms/ruler/ScreenTools.h"
#include "forms/ruler/UnitMenuItem.h"
#include "widgets/Accelerators.h"
#include "widgets/ImageControl.h"

#include <QLabel>
#include <QMenu>

namespace {

QIcon menuIcon(const char *themeName, const char *fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            builtInIcon(QStringLiteral(":/icons/") + QLatin1String(fallback)));
}

// Pictures of the function menu's entries: a theme icon, and a built-in picture for desktops
// whose theme has none.
struct MenuPicture {
    QAction *RulerMenus::*entry;
    const char *theme;
    const char *builtIn;
};
constexpr MenuPicture menuPictures[] = {
    {&RulerMenus::menuKopirovat, "edit-copy", "menu/copy.png"},
    {&RulerMenus::menuUlozit, "document-save", "menu/save.png"},
    {&RulerMenus::menuZalozky, "bookmarks", "menu/markers.png"},
    {&RulerMenus::menuZVytvorit, "bookmark-new", "menu/marker-add.png"},
    {&RulerMenus::menuZSmazat, "bookmark-remove", "menu/marker-delete.png"},
    {&RulerMenus::menuZSmazatVse, "edit-clear-all", "menu/markers-delete-all.png"},
    {&RulerMenus::menuZnamaDelka, "transform-scale", "menu/calibrate.png"},
    {&RulerMenus::menuMaxi, "view-fullscreen", "menu/fullscreen.png"},
    {&RulerMenus::menuKalibrace, "measure", "menu/calibrate.png"},
    {&RulerMenus::menuNastaveni, "preferences-system", "menu/settings.png"},
};

} // namespace

RulerMenus::RulerMenus(RulerContext &context, RulerView &view, ScreenTools &screenTools)
    : QObject(&context.window()), m_context(context), m_view(view), m_screenTools(screenTools) {
    createEntries();
}

void RulerMenus::createEntries() {
    // The entries belong to the window, so that the language finds them by their names.
    QWidget *window = &m_context.window();
    const std::tuple<QAction *&, const char *, QString> entries[] = {
        {menuKopirovat, "menuKopirovat", QStringLiteral("Kopírovat vzdálenost do schránky")},
        {menuUlozit, "menuUlozit", QStringLiteral("Uložit vzdálenosti do souboru")},
        {menuZalozky, "menuZalozky", QStringLiteral("Záložky")},
        {menuZVytvorit, "menuZVytvorit", QStringLiteral("Umístit záložku")},
        {menuZSmazat, "menuZSmazat", QStringLiteral("Smazat záložku")},
        {menuZSmazatVse, "menuZSmazatVse", QStringLiteral("Smazat všechny záložky")},
        {menuMaxi, "menuMaxi", QStringLiteral("Přes celou obrazovku")},
        {menuKalibrace, "menuKalibrace", QStringLiteral("Kalibrace")},
        {menuZnamaDelka, "menuZnamaDelka", QStringLiteral("Měřítko podle známé délky...")},
        {menuNastaveni, "menuNastaveni", QStringLiteral("Nastavení")},
    };
    for (const auto &[action, name, caption] : entries) {
        action = new QAction(caption, window);
        action->setObjectName(QLatin1String(name));
    }
    for (QAction *marker : {menuZVytvorit, menuZSmazat, menuZSmazatVse})
        connect(marker, &QAction::triggered, this, [this, marker] { FunkceZalozek(marker); });
}

QMenu *RulerMenus::functionMenu() {
    if (popupMenu)
        return popupMenu;
    popupMenu = new QMenu(&m_context.window());
    popupMenu->setObjectName(QStringLiteral("popupMenu"));
    auto *submenu = new QMenu(popupMenu);
    submenu->addActions({menuZVytvorit, menuZSmazat, menuZSmazatVse});
    menuZalozky->setMenu(submenu);
    popupMenu->addActions({menuKopirovat, menuUlozit});
    popupMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    popupMenu->addActions({menuZalozky, menuZnamaDelka});
    m_screenTools.addMenuItems(popupMenu);
    popupMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    popupMenu->addActions({menuMaxi, menuKalibrace, menuNastaveni});
    for (const MenuPicture &picture : menuPictures)
        (this->*picture.entry)->setIcon(menuIcon(picture.theme, picture.builtIn));
    // The letters follow the captions of the language in use.
    connect(popupMenu, &QMenu::aboutToShow, this, [this] { assignAccelerators(popupMenu); });
    return popupMenu;
}

QMenu *RulerMenus::unitMenu() {
    if (popupJednotky)
        return popupJednotky;
    popupJednotky = new QMenu(&m_context.window());
    popupJednotky->setObjectName(QStringLiteral("popupJednotky"));
    for (UnitMenuItem *item : std::as_const(m_unitItems))
        popupJednotky->addAction(item);
    connect(popupJednotky, &QMenu::aboutToShow, this,
            [this] { assignAccelerators(popupJednotky); });
    return popupJednotky;
}

void RulerMenus::ObnovMenuJednotky() {
    const QVector<tjednotka> &units = m_context.state().Jednotky;
    for (int i = 0; i < units.size(); ++i) {
        if (i >= m_unitItems.size()) {
            auto *item = new UnitMenuItem(&m_context.window());
            connect(item, &QAction::triggered, this, [this, item] { ZmenJednotku(item); });
            m_unitItems.append(item);
            if (popupJednotky)
                popupJednotky->addAction(item);
        }
        UnitMenuItem *item = m_unitItems[i];
        item->setText(shownUnitName(
            i, units[i].Nazev, [this](const QString &name) { return m_context.translate(name); }));
        item->setToolTip(units[i].Znacka);
        item->setVisible(true);
    }
    for (int i = units.size(); i < m_unitItems.size(); ++i)
        m_unitItems[i]->setVisible(false);
}

void RulerMenus::ZmenJednotku(QObject *sender) {
    RulerModel &model = m_context.model();
    if (sender == m_view.buttonJednotka)
        m_context.refresh(model.nextBuiltInUnit());
    else if (auto *item = qobject_cast<UnitMenuItem *>(sender); item && m_unitItems.contains(item))
        m_context.refresh(model.selectUnit(int(m_unitItems.indexOf(item))));
    else
        return;
    m_context.announcer().announceReading();
}

void RulerMenus::OtevriMenu(QObject *sender) {
    auto *button = qobject_cast<QWidget *>(sender);
    if (button != m_view.buttonMenu && button != m_view.buttonDalsiJednotky)
        return;
    QMenu *menu = button == m_view.buttonMenu ? functionMenu() : unitMenu();
    const QWidget &window = m_context.window();
    const QRect place(window.pos(), window.size());
    QPoint point;
    if (m_context.state().Horizontalni) {
        point = QPoint(place.left() + button->x(), place.top() + place.height());
        // The unit menu ends at the button's right edge.
        if (button == m_view.buttonDalsiJednotky)
            point.rx() += button->width() - menu->sizeHint().width();
    } else {
        point = QPoint(place.left() + place.width(), place.top() + button->y());
    }
    menu->popup(point);
}

void RulerMenus::OtevritMenu2() {
    OtevriMenu(m_view.buttonDalsiJednotky);
}

void RulerMenus::FunkceZalozek(QObject *sender) {
    RulerState &state = m_context.state();
    if (sender == menuZVytvorit)
        state.RezimMysi = 1;
    else if (sender == menuZSmazat)
        state.RezimMysi = 2;
    else if (sender == menuZSmazatVse)
        m_context.refresh(m_context.model().clearMarkers());
}
