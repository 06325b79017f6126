#pragma once
// Answers the next modal window that opens: runs `inspect` on it, then closes it
// unless `inspect` did. Watches only while it exists.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace calorant::test {

class NextModal {
public:
    explicit NextModal(std::function<void(QWidget&)> inspect) : inspect_(std::move(inspect)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                poll_.stop();
                seen_ = true;
                inspect_(*modal);
                if (modal->isVisible())
                    modal->close();
            }
        });
        poll_.start(10);
    }
    bool seen() const { return seen_; }

private:
    std::function<void(QWidget&)> inspect_;
    QTimer poll_;
    bool seen_ = false;
};

} // namespace calorant::test
