#pragma once

#include <QList>
#include <QSize>

// The current modes of the outputs of the Wayland compositor this session runs on, asked of
// the compositor directly, since an X11 program sees only what XWayland shows it. Empty when no
// compositor can be reached.
QList<QSize> waylandOutputModes();
