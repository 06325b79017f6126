// The Data Logger command in the main window against the meter emulator over a
// pseudo-terminal, for memories that are not what a download expects: one larger than
// a download holds is refused with its sentence, and one that is no memory image is
// listed as the sets its stray set markers begin, each of which can be shown. Either
// way the link returns to live frames, nothing is written to disk, and the recording
// made before is as it was.
#include "WindowOnEmulator.h"
#include "link/LoggerDownload.h"
#include "loggerview/CDataListDlg.h"

#include <QTableView>

namespace calorant::test {
namespace {

using WindowMemoryFaults = WindowOnEmulator;

QString cell(const QTableView& list, int row, int column) {
    return list.model()->data(list.model()->index(row, column)).toString();
}

TEST_F(WindowMemoryFaults, AnOversizedMemoryIsRefusedWithItsSentenceAndNoProgressWindow) {
    startWithLogger("oversized");
    recordAndStop();

    const QStringList seen = downloadSeeing(1, {closeModal}, 8000);

    EXPECT_EQ(seen,
              QStringList{"Calorant: " + QString::fromStdString(oversizedMemoryMessage(150000))});
    EXPECT_EQ(loggerWindow(), nullptr);
    expectLiveAgain();
    expectRecordingAsItWas();
    EXPECT_EQ(documentFiles(), QStringList());
}

// Every byte pair AA 56 begins a set, whatever follows it; the sets are listed, and each
// can be shown with its Data List, however little sense its fields make.
TEST_F(WindowMemoryFaults, GarbageIsListedAsTheSetsItsStrayMarkersBeginAndEachCanBeShown) {
    startWithLogger("garbage");
    recordAndStop();

    // Sent at once, the stream is in before "logging..." would have come up.
    command(kCmdDataLogger).trigger();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return loggerWindow() && loggerWindow()->isVisible(); }, 5000));
    QTest::qWait(20);
    const QTableView& list = *loggerWindow()->fileList();
    ASSERT_EQ(list.model()->rowCount(), 4);
    // The start fields are taken as the calendar reads them: month 0 of 2262 is December
    // 2261, day 0 its last day of November, hour 77 three days and five hours on.
    const QStringList first{"1", "12/03/61 06:42:20", "C", "0sec", "25"};
    const QStringList second{"2", "02/02/08 01:01:01", "C", "43606sec", "0"};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(cell(list, 0, column), first[column]) << column;
        EXPECT_EQ(cell(list, 1, column), second[column]) << column;
    }
    EXPECT_EQ(cell(list, 2, 3), QStringLiteral("15676sec"));
    EXPECT_EQ(cell(list, 2, 4), QStringLiteral("88"));
    EXPECT_EQ(cell(list, 3, 3), QStringLiteral("65535sec"));
    EXPECT_EQ(cell(list, 3, 4), QStringLiteral("0"));

    for (int row = 0; row < 4; ++row) {
        loggerWindow()->showListRow(row);
        EXPECT_FALSE(loggerWindow()->grab().isNull());
        const LoggerSet* shown = doc.shownLoggerSet();
        ASSERT_NE(shown, nullptr) << row;
        EXPECT_EQ(QString::number(shown->readingCount), cell(list, row, 4)) << row;
        // The Data List follows the paint that showed the set.
        const auto listed = [&] {
            const CDataListDlg* dataList = loggerWindow()->dataList();
            return dataList ? dataList->list()->model()->rowCount() : -1;
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return listed() == shown->readingCount; }, 2000))
            << row << ": " << listed();
    }
    EXPECT_TRUE(link().liveMode());
    loggerWindow()->close();
    expectLiveAgain();
    expectRecordingAsItWas();
    EXPECT_EQ(documentFiles(), QStringList());
}

} // namespace
} // namespace calorant::test
