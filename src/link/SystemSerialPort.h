#pragma once

#include "link/SerialPort.h"

#include <QSerialPort>

namespace calorant {

// A real serial device (or pseudo-terminal) through QSerialPort.
class SystemSerialPort final : public SerialPort {
    Q_OBJECT
public:
    explicit SystemSerialPort(QObject* parent = nullptr);

    bool open(const QString& device, const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override;
    QByteArray readAll() override;
    bool write(const QByteArray& bytes) override;
    void clearInput() override;
    void clearOutput() override;
    QString errorString() const override;
    bool openDenied() const override { return openDenied_; }

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    LineSettings settings_; // of the last opening: they give a write its time limit
    QString errorString_;
    bool openDenied_ = false;
};

} // namespace calorant
