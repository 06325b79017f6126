#include "link/SystemSerialPort.h"

#include <QDeadlineTimer>
#include <QFileInfo>

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

// What a driver may add to the bytes' own time on the line before a write counts as
// failed. The wait blocks the window, so a wedged adapter must cost no more than this.
constexpr qint64 kWriteMarginMs = 50;

// A character on the line: start bit, data bits, parity bit, stop bits (one and a half
// counted as two).
int lineBitsPerByte(const LineSettings& settings) {
    return 1 + settings.dataBits + (settings.parity == 'n' ? 0 : 1) +
           (settings.stopBitsTimesTwo + 1) / 2;
}

qint64 writeTimeoutMs(qsizetype byteCount, const LineSettings& settings) {
    const qint64 bits = qint64(byteCount) * lineBitsPerByte(settings);
    const qint64 lineMs = (bits * 1000 + settings.baudRate - 1) / settings.baudRate;
    return lineMs + kWriteMarginMs;
}

// QSerialPort also reports a device that another programme holds, or whose lock file
// is taken, as a permission error; only the device file's own permissions are the
// user's to change. A name that is no file (COM3) is never denied.
bool mayReadAndWrite(const QString& device) {
    const QFileInfo file(device);
    return !file.exists() || (file.isReadable() && file.isWritable());
}

} // namespace

SystemSerialPort::SystemSerialPort(QObject* parent) : SerialPort(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &SystemSerialPort::onError);
}

bool SystemSerialPort::open(const QString& device, const LineSettings& settings) {
    settings_ = settings;
    port_.setPortName(device);
    port_.setBaudRate(settings.baudRate);
    port_.setParity(toQtParity(settings.parity));
    port_.setDataBits(QSerialPort::DataBits(settings.dataBits));
    port_.setStopBits(toQtStopBits(settings.stopBitsTimesTwo));
    port_.setFlowControl(QSerialPort::NoFlowControl);
    openDenied_ = false;
    if (!port_.open(QIODevice::ReadWrite)) {
        errorString_ = port_.errorString();
        openDenied_ = port_.error() == QSerialPort::PermissionError && !mayReadAndWrite(device);
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
    const QDeadlineTimer deadline(writeTimeoutMs(bytes.size(), settings_));
    while (port_.isOpen() && port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(int(deadline.remainingTime()))) {
            errorString_ =
                deadline.hasExpired() ? QStringLiteral("write timed out") : port_.errorString();
            // A write reported as failed must not go out later after all.
            clearOutput();
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
