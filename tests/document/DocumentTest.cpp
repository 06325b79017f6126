// The document as the windows and the link see it: what one accepted frame changes and in
// which order its signals come, the sampling clock and its re-arm after Run, the end of a
// recording by its limits and by silence, the offline state, a logger download kept or
// refused, a downloaded set shown, a .graph file opened or refused, the rows picked in
// the logger window's file list, which in file mode are shown only once picked, and the
// close of that window.
#include "core/CalendarTime.h"
#include "document/CKVDoc.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace calorant {
namespace {

constexpr std::time_t kStart = 1700000000;

LiveFrame frameOf(float t1, std::time_t arrival) {
    LiveFrame frame;
    frame.arrivalTime = arrival;
    frame.channel = {t1, 21.0f, 22.0f, 23.0f, 24.0f};
    frame.reading = {t1, 21.0f, 0.0f, 0.0f, 0.0f};
    frame.modeA = 0x80; // reading 1 shows T1
    return frame;
}

// Two sets: three readings at 2 s, then one reading at 60 s.
DecodedLoggerMemory twoSets() {
    DecodedLoggerMemory memory;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < kChannelCount; ++c)
            memory.readings.push_back(static_cast<float>(10 * r + c));
    memory.setFirstReading = {0, 3, 4};
    memory.setStartTime = {kStart, kStart + 3600};
    memory.setSampleRate = {2, 60};
    memory.loggerUnit = 1;
    return memory;
}

TEST(DocumentFrames, AFrameThatStartsAnArmedRunRepaintsEveryViewBeforeThePanelShowsIt) {
    CKVDoc doc;
    doc.onMeterSilent();
    doc.sampleStore().run(1);
    std::vector<std::string> order;
    QObject::connect(&doc, &CKVDoc::offlineChanged,
                     [&](bool offline) { order.push_back(offline ? "offline" : "online"); });
    QObject::connect(&doc, &CKVDoc::recordingStarted, [&] { order.push_back("started"); });
    QObject::connect(&doc, &CKVDoc::viewsNeedUpdate, [&] { order.push_back("views"); });
    std::string shownReading;
    QObject::connect(&doc, &CKVDoc::frameApplied, [&](const LiveFrame& frame) {
        // Whoever shows the frame finds it in the recording and the meter state already.
        EXPECT_EQ(doc.sampleStore().channelSamples()[0][0], frame.channel[0]);
        shownReading = doc.meterState().readingText()[0];
        order.push_back("frame");
    });

    doc.onAcceptedFrame(frameOf(25.0f, kStart));

    EXPECT_FALSE(doc.linkOffline());
    EXPECT_EQ(order, (std::vector<std::string>{"online", "started", "views", "frame"}));
    EXPECT_EQ(doc.sampleStore().runStartTime(), kStart);
    EXPECT_EQ(shownReading, "25.0");

    // The next frame starts nothing and the link was online already.
    order.clear();
    doc.onAcceptedFrame(frameOf(26.0f, kStart + 1));
    EXPECT_EQ(order, std::vector<std::string>{"frame"});
    EXPECT_EQ(doc.meterState().statHistoryCount(), 2);
}

TEST(DocumentFrames, SilenceEndsTheRecordingWhileAnUnusablePortOnlyGoesOffline) {
    CKVDoc doc;
    doc.sampleStore().run(1);
    doc.onAcceptedFrame(frameOf(25.0f, kStart));
    QSignalSpy stopped(&doc, &CKVDoc::recordingStopped);
    QSignalSpy offline(&doc, &CKVDoc::offlineChanged);

    doc.onMeterUnreachable();
    EXPECT_TRUE(doc.linkOffline());
    EXPECT_TRUE(doc.sampleStore().recording());
    EXPECT_EQ(stopped.count(), 0);

    doc.onMeterSilent();
    EXPECT_FALSE(doc.sampleStore().recording());
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_EQ(offline.count(), 1) << "already offline: said once";

    doc.onMeterSilent(); // nothing recording any more
    EXPECT_EQ(stopped.count(), 1);

    doc.onMeterAnswered();
    EXPECT_FALSE(doc.linkOffline());
    ASSERT_EQ(offline.count(), 2);
    EXPECT_FALSE(offline.back().front().toBool());
}

TEST(DocumentFrames, TheLimitsEndARecordingOnceItsFreshReadingsAreIn) {
    CKVDoc doc;
    doc.sampleStore().run(1);
    QSignalSpy stopped(&doc, &CKVDoc::recordingStopped);
    for (int i = 0; i < kFreshReadingLimit; ++i) {
        doc.onAcceptedFrame(frameOf(static_cast<float>(i % 100), kStart + i));
        doc.checkLimits();
        doc.onSampleTick();
    }
    EXPECT_EQ(stopped.count(), 0) << "the last reading was taken after the check";

    doc.checkLimits();
    doc.checkLimits();

    EXPECT_FALSE(doc.sampleStore().recording());
    EXPECT_EQ(stopped.count(), 1);
}

TEST(DocumentSampling, TheClockStartsAtTheRateOnlyWhenARunAsksForIt) {
    CKVDoc doc;
    doc.rearmSamplingTimerIfAsked();
    EXPECT_FALSE(doc.samplingTimer().isActive()) << "no Run yet";

    doc.sampleStore().run(3);
    doc.rearmSamplingTimerIfAsked();
    EXPECT_TRUE(doc.samplingTimer().isActive());
    EXPECT_EQ(doc.samplingTimer().interval(), 3000);

    doc.sampleStore().stop();
    doc.sampleStore().run(2);
    doc.rearmSamplingTimerIfAsked();
    doc.rearmSamplingTimerIfAsked(); // asked once: the second call changes nothing
    EXPECT_EQ(doc.samplingTimer().interval(), 2000);
}

TEST(DocumentSampling, TicksSayWhetherTheySampledAFreshReadingOrARepeat) {
    CKVDoc doc;
    QSignalSpy ticked(&doc, &CKVDoc::sampleTicked);
    doc.onSampleTick();
    EXPECT_EQ(ticked.count(), 0) << "nothing recording: nothing sampled";

    doc.sampleStore().run(1);
    doc.onAcceptedFrame(frameOf(25.0f, kStart));
    doc.onSampleTick();
    doc.onSampleTick();

    ASSERT_EQ(ticked.count(), 2);
    const auto fresh = ticked[0][0].value<TickOutcome>();
    const auto repeat = ticked[1][0].value<TickOutcome>();
    EXPECT_TRUE(fresh.sampleRecorded && fresh.freshReading);
    EXPECT_TRUE(repeat.sampleRecorded && !repeat.freshReading);
    EXPECT_EQ(doc.sampleStore().sampleCount(), 2);
}

TEST(DocumentLogger, ADownloadIsKeptAndItsSetsShownWhileAnEmptyOneChangesNothing) {
    CKVDoc doc;
    QSignalSpy downloaded(&doc, &CKVDoc::loggerStoreDownloaded);
    QSignalSpy shown(&doc, &CKVDoc::loggerSetChanged);

    doc.takeDownloadedMemory(DecodedLoggerMemory{});
    EXPECT_EQ(downloaded.count(), 0);
    EXPECT_EQ(doc.loggerStore().downloadStoreReady, 0);
    EXPECT_FALSE(doc.showDownloadedSet(0));

    doc.takeDownloadedMemory(twoSets());
    ASSERT_EQ(downloaded.count(), 1);
    EXPECT_EQ(downloaded[0][0].toInt(), 2);
    EXPECT_EQ(doc.loggerStore().setCount, 2);

    ASSERT_TRUE(doc.showDownloadedSet(1));
    EXPECT_EQ(doc.loggerSet().readingCount, 1);
    EXPECT_EQ(doc.loggerSet().sampleRate, 60);
    EXPECT_EQ(doc.loggerSet().unit, 1);
    EXPECT_FLOAT_EQ(doc.loggerSet().values[0], 30.0f);
    EXPECT_FALSE(doc.showDownloadedSet(2));
    EXPECT_EQ(shown.count(), 1);

    // A later empty download leaves the last one alone.
    doc.takeDownloadedMemory(DecodedLoggerMemory{});
    EXPECT_EQ(doc.loggerStore().setCount, 2);
}

TEST(DocumentLogger, AnOpenedFileIsShownWithItsScaleAndARefusedOneChangesNothing) {
    QTemporaryDir folder;
    const std::filesystem::path good = folder.filePath("set.graph").toStdString();
    CKVDoc doc;
    doc.sampleStore().run(1);
    doc.onAcceptedFrame(frameOf(25.0f, kStart));
    doc.onSampleTick();
    {
        std::ofstream out(good, std::ios::binary);
        writeGraphFile(out, doc.sampleStore(), TemperatureUnit::Celsius, 50, -2);
    }
    QSignalSpy shown(&doc, &CKVDoc::loggerSetChanged);

    const GraphReadResult opened = doc.openGraphFile(good);

    ASSERT_TRUE(opened.loaded());
    EXPECT_EQ(doc.loggerSet().readingCount, 1);
    EXPECT_FLOAT_EQ(doc.loggerSet().values[0], 25.0f);
    EXPECT_EQ(doc.loadedYGain(), 50);
    EXPECT_EQ(doc.loadedYOffset(), -2);
    EXPECT_EQ(doc.loggerModeFlags().fileSetLoaded, 1);
    EXPECT_EQ(doc.loggerModeFlags().appendLoadedFile, 1);
    EXPECT_EQ(shown.count(), 1);

    doc.loggerModeFlags().appendLoadedFile = 0; // as after the paint that listed it
    const GraphReadResult missing = doc.openGraphFile(folder.filePath("none.graph").toStdString());
    EXPECT_FALSE(missing.loaded());
    EXPECT_EQ(missing.message, "Invalid Format!");
    EXPECT_EQ(doc.loggerModeFlags().appendLoadedFile, 0);
    EXPECT_EQ(doc.loadedYGain(), 50);
    EXPECT_EQ(doc.loggerSet().readingCount, 1);
    EXPECT_EQ(shown.count(), 1);
}

// A view zoomed in with its cursor line up, as the user may leave it.
void zoomIn(LoggerViewState& view) {
    view.overviewMode = 0;
    view.zoomDepth = 3;
    view.cursorHidden = 0;
}

bool inOverview(const LoggerViewState& view) {
    return view.overviewMode == 1 && view.zoomDepth == 0 && view.cursorHidden == 1;
}

TEST(DocumentLogger, ADoubleClickedDownloadRowIsShownFromTheNextPaintAndEveryPickOrCloseUnzooms) {
    CKVDoc doc;
    doc.takeDownloadedMemory(twoSets());
    doc.prepareLoggerDownload();
    EXPECT_EQ(doc.loggerModeFlags().listDownloadedSets, 1);
    EXPECT_EQ(doc.refreshShownLoggerSet(), nullptr); // no row picked yet
    zoomIn(doc.loggerViewState());

    doc.pickLoggerListRow(1);

    EXPECT_TRUE(inOverview(doc.loggerViewState()));
    const LoggerSet* shown = doc.refreshShownLoggerSet();
    ASSERT_EQ(shown, &doc.loggerSet());
    EXPECT_EQ(shown->readingCount, 1);
    EXPECT_EQ(shown->sampleRate, 60);
    // A file loaded earlier is not one of the download's rows.
    doc.loggerModeFlags().fileSetLoaded = 1;
    doc.pickLoggerListRow(-1);
    EXPECT_EQ(doc.shownLoggerSet(), nullptr);

    // The window's close leaves no zoom for the next window.
    zoomIn(doc.loggerViewState());
    doc.closeLoggerWindow();
    EXPECT_TRUE(inOverview(doc.loggerViewState()));
}

TEST(DocumentLogger, ADoubleClickedFileRowComesBackWithItsOwnScaleAndAnEmptyRowChangesNothing) {
    CKVDoc doc;
    LoggerModeFlags& flags = doc.loggerModeFlags();
    flags.loggerFileMode = 1;
    flags.fileSetLoaded = 1;
    flags.loadedYGain = 50;
    flags.loadedYOffset = -2;
    doc.loggerSet().readingCount = 4;
    doc.loggerSet().sampleRate = 5;
    EXPECT_EQ(doc.listLoadedFile().row, 0);
    doc.loggerSet().readingCount = 9; // another file shown since
    QSignalSpy shown(&doc, &CKVDoc::loggerSetChanged);
    zoomIn(doc.loggerViewState());

    doc.pickLoggerListRow(0);

    EXPECT_EQ(doc.shownLoggerSet()->readingCount, 4);
    EXPECT_EQ(doc.loggerViewState().yGain, 50);
    EXPECT_EQ(doc.loggerViewState().yOffset, -2);
    EXPECT_TRUE(inOverview(doc.loggerViewState()));
    EXPECT_EQ(shown.count(), 1);

    doc.loggerViewState().yGain = 20;
    doc.pickLoggerListRow(1);
    EXPECT_EQ(doc.loggerSet().readingCount, 4);
    EXPECT_EQ(doc.loggerViewState().yGain, 20);
    EXPECT_EQ(shown.count(), 1);
}

// A file of `readings` readings just read, as openGraphFile leaves it.
void readFile(CKVDoc& doc, int readings) {
    doc.loggerSet().readingCount = readings;
    doc.loggerModeFlags().fileSetLoaded = 1;
    doc.loggerModeFlags().appendLoadedFile = 1;
}

TEST(DocumentLogger, InFileModeOnlyAPickedRowIsShownAndItStaysShownWhileTheNextFileIsListed) {
    CKVDoc doc;
    readFile(doc, 7); // read before the window: Open's list starts empty all the same
    doc.prepareLoggerFiles(false);
    EXPECT_EQ(doc.loggerModeFlags().loggerFileMode, 1);
    EXPECT_EQ(doc.loggerModeFlags().appendLoadedFile, 0);

    readFile(doc, 4);
    EXPECT_EQ(doc.refreshShownLoggerSet(), nullptr); // read, not yet listed
    EXPECT_EQ(doc.listLoadedFile().row, 0);
    EXPECT_EQ(doc.loggerModeFlags().appendLoadedFile, 0);
    EXPECT_EQ(doc.refreshShownLoggerSet(), nullptr); // listed, not picked
    doc.pickLoggerListRow(0);
    ASSERT_NE(doc.refreshShownLoggerSet(), nullptr);

    // The next file read stays in the set until it is listed (the picked row copied over
    // it would be listed in its place); then the picked row comes back.
    readFile(doc, 9);
    EXPECT_EQ(doc.refreshShownLoggerSet()->readingCount, 9);
    EXPECT_EQ(doc.listLoadedFile().row, 1);
    EXPECT_EQ(doc.refreshShownLoggerSet()->readingCount, 4);

    // When the table starts over, no row is shown.
    doc.loggerFileTable().lastFileRow = kLoggerFileRows - 1;
    readFile(doc, 2);
    EXPECT_TRUE(doc.listLoadedFile().listCleared);
    EXPECT_EQ(doc.refreshShownLoggerSet(), nullptr);

    // A file named at start-up is the first row of the window to come.
    doc.closeLoggerWindow();
    readFile(doc, 5);
    doc.prepareLoggerFiles(true);
    EXPECT_EQ(doc.loggerModeFlags().appendLoadedFile, 1);
    EXPECT_EQ(doc.listLoadedFile().row, 0);
}

TEST(DocumentLogger, ClosingTheLoggerWindowReleasesTheDownloadButKeepsTheShownSet) {
    CKVDoc doc;
    doc.takeDownloadedMemory(twoSets());
    ASSERT_TRUE(doc.showDownloadedSet(0));
    LoggerModeFlags& flags = doc.loggerModeFlags();
    flags.loggerWindowShown = 1;
    flags.selectedSet = 0;
    flags.loadedYGain = 200;
    doc.loggerFileTable().lastFileRow = 4;
    QSignalSpy closed(&doc, &CKVDoc::loggerWindowClosed);

    doc.closeLoggerWindow();

    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(flags.loggerWindowShown, 0);
    EXPECT_EQ(flags.selectedSet, -1);
    EXPECT_EQ(doc.loggerFileTable().lastFileRow, -1);
    EXPECT_EQ(doc.loggerStore().downloadStoreReady, 0);
    EXPECT_EQ(doc.loggerStore().setCount, 0);
    EXPECT_EQ(doc.loggerSet().readingCount, 3);
    EXPECT_EQ(doc.loadedYGain(), 200);
}

} // namespace
} // namespace calorant
