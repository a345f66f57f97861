// The ruler window's function menu and unit menu: their entries exist from the start, so that
// the language reaches them; the menus themselves are built when first opened.

#include "forms/ruler/MainForm.h"

#include "core/drawing/BuiltInPictures.h"
#include "forms/ruler/ScreenTools.h"
#include "forms/ruler/UnitMenuItem.h"

#include <QMenu>

namespace {

QIcon menuIcon(const char *themeName, const char *fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            builtInIcon(QStringLiteral(":/icons/") + QLatin1String(fallback)));
}

// Pictures of the function menu's entries: a theme icon, and a built-in picture for desktops
// whose theme has none.
struct MenuPicture {
    const char *entry;
    const char *theme;
    const char *builtIn;
};
constexpr MenuPicture menuPictures[] = {
    {"menuKopirovat", "edit-copy", "menu/copy.png"},
    {"menuUlozit", "document-save", "menu/save.png"},
    {"menuZalozky", "bookmarks", "menu/markers.png"},
    {"menuZVytvorit", "bookmark-new", "menu/marker-add.png"},
    {"menuZSmazat", "bookmark-remove", "menu/marker-delete.png"},
    {"menuZSmazatVse", "edit-clear-all", "menu/markers-delete-all.png"},
    {"menuZnamaDelka", "transform-scale", "menu/calibrate.png"},
    {"menuMaxi", "view-fullscreen", "menu/fullscreen.png"},
    {"menuKalibrace", "measure", "menu/calibrate.png"},
    {"menuNastaveni", "preferences-system", "menu/settings.png"},
};

} // namespace

QMenu *TMainForm::functionMenu() {
    if (popupMenu)
        return popupMenu;
    popupMenu = new QMenu(this);
    popupMenu->setObjectName(QStringLiteral("popupMenu"));
    auto *submenu = new QMenu(popupMenu);
    submenu->addActions({menuZVytvorit, menuZSmazat, menuZSmazatVse});
    menuZalozky->setMenu(submenu);
    popupMenu->addActions({menuKopirovat, menuUlozit});
    popupMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    popupMenu->addActions({menuZalozky, menuZnamaDelka});
    m_screenTools->addMenuItems(popupMenu);
    popupMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    popupMenu->addActions({menuMaxi, menuKalibrace, menuNastaveni});
    for (const MenuPicture &picture : menuPictures)
        findChild<QAction *>(QLatin1String(picture.entry), Qt::FindDirectChildrenOnly)
            ->setIcon(menuIcon(picture.theme, picture.builtIn));
    return popupMenu;
}

QMenu *TMainForm::unitMenu() {
    if (popupJednotky)
        return popupJednotky;
    popupJednotky = new QMenu(this);
    popupJednotky->setObjectName(QStringLiteral("popupJednotky"));
    for (UnitMenuItem *item : std::as_const(m_polozkyJednotek))
        popupJednotky->addAction(item);
    return popupJednotky;
}

void TMainForm::createMenus() {
    // Only the entries exist from the start, so that the language reaches them; the menus
    // that show them are built when first opened.
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
        action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
    }

    connect(menuKopirovat, &QAction::triggered, this, &TMainForm::Zkopiruj);
    connect(menuUlozit, &QAction::triggered, this, &TMainForm::UlozNaDisk);
    for (QAction *marker : {menuZVytvorit, menuZSmazat, menuZSmazatVse})
        connect(marker, &QAction::triggered, this, [this, marker] { FunkceZalozek(marker); });
    connect(menuMaxi, &QAction::triggered, this, &TMainForm::PresCelouObrazovku);
    connect(menuKalibrace, &QAction::triggered, this, [this] { Kalibrace(menuKalibrace); });
    connect(menuZnamaDelka, &QAction::triggered, this, &TMainForm::MeritkoZnameDelky);
    connect(menuNastaveni, &QAction::triggered, this, &TMainForm::Nastaveni);
}
