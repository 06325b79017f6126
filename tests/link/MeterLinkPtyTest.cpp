// The link over a real pseudo-terminal from the meter emulator: the meter is unplugged
// while frames stream and plugged in again under the same name, and the link goes
// offline and comes back by itself, with no help from the test beyond the watchdog's
// ticks (run every half second here instead of every five, to keep the test short).
#include "document/CKVDoc.h"
#include "document/DocumentLink.h"
#include "link/CMSComm.h"
#include "link/MeterLink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace calorant;

namespace {

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

} // namespace

TEST(MeterLinkOverPseudoTerminal, AnUnpluggedMeterGoesOfflineAndComesBackByItself) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString linkPath = dir.filePath(QStringLiteral("meter"));
    QProcess emulator;
    emulator.start(qEnvironmentVariable("CALORANT_BIN_DIR") + QStringLiteral("/calorant-meter-sim"),
                   {QStringLiteral("--scenario"), QStringLiteral("fixed"),
                    QStringLiteral("--frame-interval"), QStringLiteral("200"),
                    QStringLiteral("--link"), linkPath, QStringLiteral("--unplug-after"),
                    QStringLiteral("1500"), QStringLiteral("--replug-after"),
                    QStringLiteral("1000")});
    ASSERT_TRUE(emulator.waitForStarted(5000)) << emulator.errorString().toStdString();
    ASSERT_TRUE(waitFor([&] { return emulator.canReadLine(); }, 5000));
    ASSERT_TRUE(QFileInfo(linkPath).isSymLink());

    CMSComm comm;
    CKVDoc doc;
    DocumentLink pair(doc, comm, std::make_unique<SystemPortEnumerator>(), 1);
    MeterLink& link = pair.link();
    const SampleStore& store = doc.sampleStore();
    link.setDeviceOverride(linkPath);
    QSignalSpy frames(&link, &MeterLink::frameAccepted);
    link.ScanForMeterPort();
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &link, &MeterLink::onWatchdogTimer);
    watchdog.start(500);

    EXPECT_TRUE(waitFor([&] { return frames.count() > 0; }, 3000)) << "no frame before unplug";
    EXPECT_FLOAT_EQ(store.channelSamples()[kT1][0], 25.0f);
    EXPECT_TRUE(waitFor([&] { return doc.linkOffline(); }, 5000)) << "never went offline";
    const qsizetype framesBefore = frames.count();
    EXPECT_TRUE(waitFor([&] { return !doc.linkOffline() && frames.count() > framesBefore; }, 8000))
        << "never came back";
    EXPECT_EQ(link.currentPort(), 1);

    watchdog.stop();
    emulator.terminate();
    emulator.waitForFinished(5000);
}
