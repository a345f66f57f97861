#pragma once

// Finding the forms' controls by their object names, as the translator and screen readers do.

#include <QAction>
#include <QObject>
#include <QtGlobal>

// The control of that name below parent, or null with a warning that names it.
template <typename T = QWidget> T *findControl(const QObject *parent, const char *name) {
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no control %s", name);
    return found;
}

// Triggers the action of that name, as a click on its menu entry does. False, with a warning,
// when there is no such action or it is disabled, so a renamed action fails one check instead
// of crashing the test program. Use it as QVERIFY(triggerAction(form, "menuMaxi")).
inline bool triggerAction(const QObject *parent, const char *name) {
    QAction *action = findControl<QAction>(parent, name);
    if (!action || !action->isEnabled()) {
        if (action)
            qWarning("action %s is disabled", name);
        return false;
    }
    action->trigger();
    return true;
}
