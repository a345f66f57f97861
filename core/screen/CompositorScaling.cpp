#include "core/screen/CompositorScaling.h"

bool compositorScalesX11(QSize xScreen, const QList<QSize> &outputModes) {
    if (xScreen.isEmpty() || outputModes.isEmpty())
        return false;
    qint64 shown = 0;
    for (const QSize &mode : outputModes)
        shown += qint64(qMax(0, mode.width())) * qMax(0, mode.height());
    // The smallest fractional scale desktops offer is 1.25, which leaves an X screen of 64 % of
    // the monitors' pixels; a tenth covers rounding of logical sizes.
    return shown * 10 > qint64(xScreen.width()) * xScreen.height() * 11;
}
