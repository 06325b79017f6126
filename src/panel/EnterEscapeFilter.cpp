#include "panel/EnterEscapeFilter.h"

#include <QKeyEvent>
#include <QWidget>

namespace calorant {

void EnterEscapeFilter::install(QWidget* window) {
    auto* filter = new EnterEscapeFilter(window);
    window->installEventFilter(filter);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(filter);
}

bool EnterEscapeFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace calorant
