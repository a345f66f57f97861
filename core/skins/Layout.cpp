#include "core/skins/Layout.h"

static int nearOrFar(int place, int size, int windowSize) {
    return place >= 0 ? place : windowSize + place - size;
}

QPoint placeControl(QPoint skinPlace, QSize control, QSize window) {
    return {nearOrFar(skinPlace.x(), control.width(), window.width()),
            nearOrFar(skinPlace.y(), control.height(), window.height())};
}

QPoint placeNumberLabel(QPoint skinPlace, QSize label, QSize window) {
    const int x = skinPlace.x() >= 0 ? skinPlace.x() - label.width()
                                     : window.width() + skinPlace.x() - label.width();
    return {x, nearOrFar(skinPlace.y(), label.height(), window.height())};
}
