#include "link/CMSComm.h"

#include "link/PortName.h"
#include "link/PortPermission.h"
#include "link/SystemSerialPort.h"

#include <QMetaObject>

namespace calorant {

namespace {
constexpr int kMaxCommPort = 255;
}

CMSComm::CMSComm(QObject* parent) : CMSComm(std::make_unique<SystemSerialPort>(), parent) {}

CMSComm::CMSComm(std::unique_ptr<SerialPort> port, QObject* parent)
    : QObject(parent), port_(std::move(port)), deviceName_(deviceNameForPort(commPort_)),
      settingsText_(QStringLiteral("9600,n,8,1")) {
    connect(port_.get(), &SerialPort::readyRead, this, &CMSComm::takeArrivedBytes);
    // Handled from the event loop: the port may report a failure from inside one of
    // its own calls (a write), where closing it is not safe.
    connect(port_.get(), &SerialPort::failed, this, [this](const QString& reason) {
        QMetaObject::invokeMethod(
            this, [this, reason, session = session_] { handlePortFailure(reason, session); },
            Qt::QueuedConnection);
    });
}

CMSComm::~CMSComm() {
    if (port_->isOpen())
        port_->close();
}

bool CMSComm::setCommPort(int port) {
    if (port < 1 || port > kMaxCommPort)
        return fail(QStringLiteral("invalid port number %1").arg(port));
    commPort_ = port;
    deviceName_ = deviceNameForPort(port);
    return true;
}

void CMSComm::setDevicePath(const QString& path) {
    deviceName_ = path;
    commPort_ = portNumberForDevice(path);
}

bool CMSComm::setSettings(const QString& settings) {
    const std::optional<LineSettings> parsed = parseLineSettings(settings);
    if (!parsed)
        return fail(QStringLiteral("invalid line settings \"%1\"").arg(settings));
    settingsText_ = settings;
    lineSettings_ = *parsed;
    return true;
}

bool CMSComm::setPortOpen(bool open) {
    if (open == port_->isOpen())
        return true;
    inBuffer_.clear();
    ++session_;
    if (!open) {
        port_->close();
        return true;
    }
    if (deviceName_.isEmpty())
        return fail(QStringLiteral("no port is named"));
    if (port_->open(deviceName_, lineSettings_))
        return true;
    if (!port_->openDenied())
        return fail(QStringLiteral("cannot open %1: %2").arg(deviceName_, port_->errorString()));
    fail(portPermissionMessage(deviceName_));
    emit openDenied(deviceName_);
    return false;
}

bool CMSComm::portOpen() const {
    return port_->isOpen();
}

void CMSComm::setRThreshold(int byteCount) {
    rThreshold_ = byteCount < 0 ? 0 : byteCount;
    // A lower threshold may already be met by what is buffered; the event still
    // comes from the event loop, never from inside this call.
    scheduleReceiveCheck();
}

bool CMSComm::setInputMode(int mode) {
    if (mode != kInputModeBinary)
        return fail(QStringLiteral("only binary input mode is supported"));
    return true;
}

bool CMSComm::setInputLen(int length) {
    if (length < 0)
        return fail(QStringLiteral("invalid input length %1").arg(length));
    inputLen_ = length;
    return true;
}

QByteArray CMSComm::input() {
    if (inputLen_ == 0 || inputLen_ >= inBuffer_.size())
        return std::exchange(inBuffer_, QByteArray());
    QByteArray head = inBuffer_.first(inputLen_);
    inBuffer_.remove(0, inputLen_);
    return head;
}

bool CMSComm::setInBufferCount(int count) {
    if (count != 0)
        return fail(QStringLiteral("the receive buffer can only be emptied"));
    inBuffer_.clear();
    port_->clearInput();
    return true;
}

bool CMSComm::setOutBufferCount(int count) {
    if (count != 0)
        return fail(QStringLiteral("the send buffer can only be emptied"));
    port_->clearOutput();
    return true;
}

bool CMSComm::output(const QByteArray& bytes) {
    if (!port_->isOpen())
        return fail(QStringLiteral("the port is not open"));
    writing_ = true;
    const bool written = port_->write(bytes);
    writing_ = false;
    if (!written)
        return fail(
            QStringLiteral("write to %1 failed: %2").arg(deviceName_, port_->errorString()));
    return true;
}

void CMSComm::takeArrivedBytes() {
    const QByteArray bytes = port_->readAll();
    const qsizetype room = kInBufferCapacity - inBuffer_.size();
    if (bytes.size() > room) {
        droppedByteCount_ += bytes.size() - room;
        inBuffer_.append(bytes.first(room));
    } else {
        inBuffer_.append(bytes);
    }
    // Bytes can arrive while output() waits for its bytes to leave; the caller of
    // output() must not see a receive event run inside it.
    if (writing_)
        scheduleReceiveCheck();
    else
        raiseReceiveEventIfDue();
}

void CMSComm::raiseReceiveEventIfDue() {
    if (rThreshold_ == 0 || inBuffer_.size() < rThreshold_)
        return;
    commEvent_ = kCommEventReceive;
    emit onComm();
}

void CMSComm::scheduleReceiveCheck() {
    if (receiveCheckScheduled_)
        return;
    receiveCheckScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            receiveCheckScheduled_ = false;
            raiseReceiveEventIfDue();
        },
        Qt::QueuedConnection);
}

void CMSComm::handlePortFailure(const QString& reason, quint64 session) {
    if (session != session_ || !port_->isOpen())
        return;
    port_->close();
    inBuffer_.clear();
    ++session_;
    errorString_ = reason;
    emit portFailed(reason);
}

bool CMSComm::fail(const QString& reason) {
    errorString_ = reason;
    return false;
}

} // namespace calorant
