// The main window recording from the meter emulator over a pseudo-terminal when the
// meter is unplugged: within ten seconds the panel shows OFFLINE and the recording has
// stopped, with Run and Stop unavailable; once the meter is back the link comes back by
// itself, and the samples recorded before the unplug are still there and are saved
// through the Save dialog like any others.
#include "WindowOnEmulator.h"
#include "graph/CKVView.h"
#include "panel/CMeterPanelDlg.h"
#include "record/GraphFile.h"
#include "support/OfflinePixels.h"

#include <QElapsedTimer>
#include <QImage>
#include <fstream>

namespace calorant::test {
namespace {

using WindowRecordingFaults = WindowOnEmulator;

TEST_F(WindowRecordingFaults, AnUnpluggedMeterStopsTheRecordingWhoseSamplesStayAndAreSaved) {
    // Back three seconds after the unplug: after the scan a second after the port broke,
    // which finds nothing, and before the watchdog gives the meter up.
    start({"--scenario", "fixed", "--frame-interval", "100", "--replug-after", "3000"});
    runAndRecord(2);
    const SampleStore& store = doc.sampleStore();
    CMeterPanelDlg& panel = *frame->view()->meterPanel();
    EXPECT_EQ(offlineRedPixels(panel), 0);

    // What the window shows the moment the link gives the meter up, before the reopened
    // link brings it back.
    QElapsedTimer sinceUnplug;
    std::optional<qint64> offlineAfterMs;
    int redPixelsWhenOffline = 0;
    QObject::connect(&doc, &CKVDoc::offlineChanged, frame.get(), [&](bool offline) {
        if (!offline || offlineAfterMs)
            return;
        offlineAfterMs = sinceUnplug.elapsed();
        redPixelsWhenOffline = offlineRedPixels(panel);
    });
    std::optional<bool> runOrStopPossibleAtStop;
    QObject::connect(&doc, &CKVDoc::recordingStopped, frame.get(),
                     [&] { runOrStopPossibleAtStop = store.canRun() || store.canStop(); });
    const int samplesBeforeUnplug = store.sampleCount();
    std::vector<float> t1BeforeUnplug(store.recordedSamples(kT1).begin(),
                                      store.recordedSamples(kT1).end());

    emulator->unplug();
    sinceUnplug.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return offlineAfterMs.has_value(); }, 11000))
        << "never went offline";
    EXPECT_LE(*offlineAfterMs, 10500);
    EXPECT_GT(redPixelsWhenOffline, 50);
    ASSERT_TRUE(runOrStopPossibleAtStop.has_value()) << "the recording did not stop";
    EXPECT_FALSE(*runOrStopPossibleAtStop);
    EXPECT_FALSE(store.recording());
    const int samplesAtStop = store.sampleCount();
    EXPECT_GE(samplesAtStop, samplesBeforeUnplug);

    // Back by itself: frames again, the panel's readings, Run available, nothing recorded.
    const int framesWhenOffline = frameCount;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !doc.linkOffline() && frameCount > framesWhenOffline; }, 8000))
        << "never came back";
    QTest::qWait(300);
    EXPECT_EQ(offlineRedPixels(panel), 0);
    EXPECT_TRUE(command(kCmdRun).isEnabled());
    EXPECT_FALSE(command(kCmdStop).isEnabled());
    EXPECT_EQ(store.sampleCount(), samplesAtStop);
    const std::span<const float> t1 = store.recordedSamples(kT1);
    EXPECT_TRUE(std::equal(t1BeforeUnplug.begin(), t1BeforeUnplug.end(), t1.begin()));

    ASSERT_TRUE(command(kCmdSave).isEnabled());
    const QString saved = home.filePath(QStringLiteral("run.graph"));
    const ModalScript saveDialog({chooseFile(saved)});
    command(kCmdSave).trigger();
    EXPECT_EQ(saveDialog.seen.size(), 1);
    std::ifstream file(saved.toStdString(), std::ios::binary);
    const GraphReadResult read = readGraphFile(file);
    ASSERT_TRUE(read.loaded()) << read.message;
    EXPECT_EQ(read.contents->set.readingCount, samplesAtStop);
    EXPECT_FLOAT_EQ(read.contents->set.values[0], 25.0f);
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("run.csv"))));
}

} // namespace
} // namespace calorant::test
