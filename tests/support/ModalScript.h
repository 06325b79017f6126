#pragma once
// Handles the modal windows that come up, one handler each, in order; what each saw is
// kept as "title: text" (the text of a message box, empty for other windows). Watches
// only while it exists.
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

namespace calorant::test {

class ModalScript {
public:
    explicit ModalScript(std::deque<std::function<void(QWidget&)>> handlers)
        : handlers_(std::move(handlers)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == last_ || handlers_.empty())
                return;
            last_ = modal;
            const auto* box = qobject_cast<QMessageBox*>(modal);
            seen << modal->windowTitle() + ": " + (box ? box->text() : QString());
            const auto handler = std::move(handlers_.front());
            handlers_.pop_front();
            handler(*modal);
        });
        poll_.start(5);
    }

    QStringList seen;

private:
    std::deque<std::function<void(QWidget&)>> handlers_;
    QTimer poll_;
    QPointer<QWidget> last_;
};

} // namespace calorant::test
