#pragma once

// The offscreen application the painting benchmarks need for QPainter's fonts.
#include <QCoreApplication>

namespace calorant::bench {

// A QGuiApplication, or a QApplication where widgets are drawn too.
template <typename Application> void ensureOffscreenApplication() {
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "calorant-bench";
    static char* argv[] = {name, nullptr};
    new Application(argc, argv);
}

} // namespace calorant::bench
