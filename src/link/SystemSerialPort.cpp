#include "link/SystemSerialPort.h"

#include <QDeadlineTimer>

namespace calorant {

namespace {

QSerialPort::Parity toQtParity(char parity) {
    switch (parity) {
    case 'e':
        return QSerialPort::EvenParity;
    case 'o':
        return QSerialPort::OddParity;
    case 'm':
        return QSerialPort::MarkParity;
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits toQtStopBits(int stopBitsTimesTwo) {
    switch (stopBitsTimesTwo) {
    case 3:
        return QSerialPort::OneAndHalfStop;
    case 4:
        return QSerialPort::TwoStop;
    default:
        return QSerialPort::OneStop;
    }
}

// At 9600 baud a byte takes about a millisecond on the line; the fixed part covers
// a driver that is slow to start. A write that takes longer has failed.
int writeTimeoutMs(qsizetype byteCount) {
    return 1000 + int(byteCount) * 2;
}

} // namespace

SystemSerialPort::SystemSerialPort(QObject* parent) : SerialPort(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &SystemSerialPort::onError);
}

bool SystemSerialPort::open(const QString& device, const LineSettings& settings) {
    port_.setPortName(device);
    port_.setBaudRate(settings.baudRate);
    port_.setParity(toQtParity(settings.parity));
    port_.setDataBits(QSerialPort::DataBits(settings.dataBits));
    port_.setStopBits(toQtStopBits(settings.stopBitsTimesTwo));
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        errorString_ = port_.errorString();
        return false;
    }
    return true;
}

void SystemSerialPort::close() {
    port_.close();
}

bool SystemSerialPort::isOpen() const {
    return port_.isOpen();
}

QByteArray SystemSerialPort::readAll() {
    return port_.readAll();
}

bool SystemSerialPort::write(const QByteArray& bytes) {
    if (!port_.isOpen()) {
        errorString_ = QStringLiteral("the port is not open");
        return false;
    }
    if (port_.write(bytes) != bytes.size()) {
        errorString_ = port_.errorString();
        return false;
    }
    // QSerialPort::write only queues; a queued command would be lost if the port
    // were cleared or closed, or the programme ended, right after.
    const QDeadlineTimer deadline(writeTimeoutMs(bytes.size()));
    while (port_.isOpen() && port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(int(deadline.remainingTime()))) {
            errorString_ =
                deadline.hasExpired() ? QStringLiteral("write timed out") : port_.errorString();
            return false;
        }
    }
    if (!port_.isOpen()) {
        errorString_ = QStringLiteral("the port closed during the write");
        return false;
    }
    return true;
}

void SystemSerialPort::clearInput() {
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}

void SystemSerialPort::clearOutput() {
    if (port_.isOpen())
        port_.clear(QSerialPort::Output);
}

QString SystemSerialPort::errorString() const {
    return errorString_;
}

void SystemSerialPort::onError(QSerialPort::SerialPortError error) {
    // Failures to open are answered by open(); a timeout is answered by write().
    // Everything else on an open port means the device is gone or broken.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !port_.isOpen())
        return;
    errorString_ = port_.errorString();
    emit failed(errorString_);
}

} // namespace calorant
