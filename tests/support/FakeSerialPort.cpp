#include "support/FakeSerialPort.h"

void FakeSerialPort::deliver(const QByteArray& bytes) {
    received_.append(bytes);
    if (open_)
        emit readyRead();
}

QByteArray FakeSerialPort::writtenBytes() const {
    QByteArray all;
    for (const QByteArray& bytes : written)
        all.append(bytes);
    return all;
}

bool FakeSerialPort::open(const QString& device, const calorant::LineSettings& settings) {
    openSettings = settings;
    lastOpenDenied_ = false;
    if (!openFailure_.isEmpty()) {
        errorString_ = openFailure_;
        lastOpenDenied_ = opensDenied_;
        return false;
    }
    open_ = true;
    openedDevices.append(device);
    return true;
}

void FakeSerialPort::close() {
    if (!open_)
        return;
    open_ = false;
    ++closeCount;
}

QByteArray FakeSerialPort::readAll() {
    return std::exchange(received_, QByteArray());
}

bool FakeSerialPort::write(const QByteArray& bytes) {
    const int attempt = writeAttempts++;
    if (duringWrite)
        duringWrite();
    if (!open_ || (firstFailingWrite_ >= 0 && attempt >= firstFailingWrite_)) {
        errorString_ = QStringLiteral("scripted write failure");
        return false;
    }
    written.append(bytes);
    return true;
}

void FakeSerialPort::clearInput() {
    ++inputClears;
    received_.clear();
}

void FakeSerialPort::clearOutput() {
    ++outputClears;
}
