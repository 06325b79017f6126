// The Data Logger command in the main window against the meter emulator over a
// pseudo-terminal, when the download breaks off: the meter unplugged halfway through
// the stream, a stream that stops halfway, a meter that never answers. Each ends with
// its one sentence, "logging..." gone, no logger window, the link back to live frames
// by itself and nothing written to disk.
#include "WindowOnEmulator.h"
#include "sim/LoggerMemory.h"

#include <QElapsedTimer>

namespace calorant::test {
namespace {

using WindowDownloadFaults = WindowOnEmulator;

TEST_F(WindowDownloadFaults, AMeterUnpluggedHalfwayEndsTheDownloadWithItsSentence) {
    startWithLogger("unplug");

    const QStringList seen = downloadSeeing(2, {leaveProgress, closeModal}, 8000);

    EXPECT_EQ(seen, (QStringList{"logging...: ", "Calorant: " + kDownloadLostMessage}));
    EXPECT_EQ(loggerWindow(), nullptr);
    expectLiveAgain();
    EXPECT_EQ(documentFiles(), QStringList());
}

TEST_F(WindowDownloadFaults, AStreamThatStopsHalfwayIsGivenUpAfterItsTimeAndTheLinkComesBack) {
    startWithLogger("halfway");
    const int total = int(sim::makeLoggerMemory(sim::LoggerContent::Sets).stream().size());
    const int givenMs = int(total * 1.5 + 5000);

    QElapsedTimer sinceStart;
    sinceStart.start();
    const QStringList seen = downloadSeeing(2, {leaveProgress, closeModal}, givenMs + 5000);

    EXPECT_GE(sinceStart.elapsed(), givenMs);
    EXPECT_EQ(seen, (QStringList{"logging...: ", "Calorant: " + kDownloadGivenUpMessage}));
    EXPECT_EQ(loggerWindow(), nullptr);
    // The port is left as it is: the watchdog finds no frame and restarts the link.
    expectLiveAgain();
    EXPECT_EQ(documentFiles(), QStringList());
}

TEST_F(WindowDownloadFaults, AMeterThatNeverAnswersIsToldAfterTheAnswerWatch) {
    startWithLogger("mute");

    const QStringList seen = downloadSeeing(1, {closeModal}, 8000);

    EXPECT_EQ(seen, QStringList{"Calorant: " + kDownloadNoAnswerMessage});
    EXPECT_EQ(loggerWindow(), nullptr);
    expectLiveAgain();
}

} // namespace
} // namespace calorant::test
