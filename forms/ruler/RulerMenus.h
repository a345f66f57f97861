#pragma once

#include <QObject>
#include <QVector>

class QAction;
class QMenu;
class RulerContext;
class RulerView;
class ScreenTools;
class UnitMenuItem;

// The ruler's function menu and unit menu. Their entries exist from the start, so that the
// language reaches them; the menus that show them are built when first opened. The window
// connects the entries that act on it.
class RulerMenus : public QObject {
    Q_OBJECT

public:
    RulerMenus(RulerContext &context, RulerView &view, ScreenTools &screenTools);

    QMenu *functionMenu();
    QMenu *unitMenu();
    // One entry per unit, named in the current language.
    void ObnovMenuJednotky();
    const QVector<UnitMenuItem *> &PolozkyJednotek() const { return m_unitItems; }
    // The unit button steps through the built-in units, a unit entry chooses its unit.
    void ZmenJednotku(QObject *sender);
    // Opens the function menu under the tools button or the unit menu under the units button.
    void OtevriMenu(QObject *sender);
    void OtevritMenu2();
    // The markers' entries: the next press places or deletes a marker, or all go at once.
    void FunkceZalozek(QObject *sender);

    QAction *menuKopirovat = nullptr;
    QAction *menuUlozit = nullptr;
    QAction *menuZalozky = nullptr;
    QAction *menuZVytvorit = nullptr;
    QAction *menuZSmazat = nullptr;
    QAction *menuZSmazatVse = nullptr;
    QAction *menuMaxi = nullptr;
    QAction *menuKalibrace = nullptr;
    QAction *menuZnamaDelka = nullptr;
    QAction *menuNastaveni = nullptr;

private:
    void createEntries();

    RulerContext &m_context;
    RulerView &m_view;
    ScreenTools &m_screenTools;
    QMenu *popupMenu = nullptr;
    QMenu *popupJednotky = nullptr;
    QVector<UnitMenuItem *> m_unitItems;
};
