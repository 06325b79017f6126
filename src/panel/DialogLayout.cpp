#include "panel/DialogLayout.h"

#include "core/NumberFormat.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QWidget>

namespace calorant {

void placeControl(QWidget* control, const DialogUnits& units, int x, int y, int width, int height) {
    control->setGeometry(units.toPixels(x, y, width, height));
}

void useBarColours(QWidget* bar) {
    const QColor background(240, 240, 240);
    QPalette palette = bar->palette();
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, background);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, Qt::black);
    bar->setPalette(palette);
    bar->setAutoFillBackground(true);
}

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Calorant"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

void showEntry(QLineEdit& edit, long long value) {
    edit.setText(QString::fromStdString(formatInt(value)));
    edit.selectAll();
}

void refuseEntry(QWidget* dialog, QLineEdit& edit, const QString& message) {
    showMessage(dialog, message);
    edit.setFocus();
    edit.selectAll();
}

} // namespace calorant
