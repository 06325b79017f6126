#pragma once

#include <QObject>

class QWidget;

namespace calorant {

// Makes Enter and Escape do nothing inside a window and all its child controls, so
// that neither key can close it or press its buttons. Other keys are untouched.
class EnterEscapeFilter : public QObject {
    Q_OBJECT
public:
    // Installs the filter on `window` and every child widget it has now.
    static void install(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace calorant
