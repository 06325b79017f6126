#pragma once
// What a shown top-level window really shows: the pixels its paints have left on the
// window system's surface. Reading them paints nothing, unlike QWidget::grab(), which
// renders the whole widget afresh; so a repaint of a small region can be checked for
// what it left outside that region.
#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

namespace calorant::test {

inline QImage onScreen(QWidget& window) {
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Delivers what is pending: queued calls, then the repaints they asked for.
inline void settle() {
    for (int round = 0; round < 3; ++round)
        QCoreApplication::processEvents();
}

} // namespace calorant::test
