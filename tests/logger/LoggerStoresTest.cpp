// The logger's record stores: showing a downloaded set, the 100-row table of opened
// files with its wrap-around, closing the logger window, the display conversion, the
// eight cell texts the Data List shows for a reading and the five texts of a row of the
// logger window's file list.
#include "core/CalendarTime.h"
#include "logger/DataListRow.h"
#include "logger/LoggerFileListRow.h"
#include "logger/LoggerFileTable.h"
#include "logger/LoggerModeFlags.h"
#include "logger/LoggerStore.h"
#include "support/LoggerSetStart.h"

#include <gtest/gtest.h>

namespace calorant {
namespace {

// Two downloaded sets: set 0 with readings 0..2, set 1 empty. Reading r, channel c
// holds r * 10 + c.
LoggerStore twoSetStore() {
    LoggerStore store;
    store.setCount = 2;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < kChannelCount; ++c)
            store.readings.push_back(float(r * 10 + c));
    store.setFirstReading = {0, 3, 3};
    store.setStartTime = {makeLocalTime(2026, 12, 7, 14, 5, 9), makeLocalTime(2027, 1, 2, 3, 4, 5)};
    store.setSampleRate = {2, 60};
    store.loggerUnit = 2;
    store.downloadStoreReady = 1;
    return store;
}

LoggerSet setOfReadings(int count, float firstValue) {
    LoggerSet set;
    set.readingCount = count;
    for (int i = 0; i < count * kChannelCount; ++i)
        set.values[std::size_t(i)] = firstValue + float(i);
    set.unit = 1;
    set.sampleRate = 5;
    test::fillStartFields(set, 2026, 12, 7, 14, 5, 9);
    return set;
}

TEST(LoggerStore, ShowingADownloadedSetCopiesItsReadingsUnitStartAndRate) {
    const LoggerStore store = twoSetStore();
    LoggerSet set;
    ASSERT_TRUE(showDownloadedSet(store, 0, set));
    EXPECT_EQ(set.readingCount, 3);
    EXPECT_EQ(readingValue(set, 2, 4), 24.0f);
    EXPECT_EQ(set.unit, 2);
    EXPECT_EQ(set.sampleRate, 2);
    EXPECT_EQ(set.startTime, store.setStartTime[0]);
    EXPECT_EQ(set.startYear, 2026);
    EXPECT_EQ(set.startMonth, 12);
    EXPECT_EQ(set.startDay, 7);
    EXPECT_EQ(set.startHour, 14);
    EXPECT_EQ(set.startMinute, 5);
    EXPECT_EQ(set.startSecond, 9);
}

TEST(LoggerStore, ASetWhoseBoundsAreEqualHasNoReadings) {
    LoggerSet set = setOfReadings(4, 1.0f);
    ASSERT_TRUE(showDownloadedSet(twoSetStore(), 1, set));
    EXPECT_EQ(set.readingCount, 0);
    EXPECT_EQ(set.sampleRate, 60);
}

TEST(LoggerStore, AnIndexOrTableThatNamesNoSetLeavesTheShownSetAlone) {
    LoggerStore store = twoSetStore();
    LoggerSet set = setOfReadings(4, 1.0f);
    EXPECT_FALSE(showDownloadedSet(store, -1, set));
    EXPECT_FALSE(showDownloadedSet(store, 2, set));
    store.setFirstReading = {0, 7, 7}; // claims more readings than were downloaded
    EXPECT_FALSE(showDownloadedSet(store, 0, set));
    EXPECT_EQ(set.readingCount, 4);
    EXPECT_EQ(set.values[0], 1.0f);
}

TEST(LoggerStore, ClosingTheWindowReleasesTheDownloadAndResetsTheFlags) {
    LoggerStore store = twoSetStore();
    LoggerFileTable table;
    LoggerSet set = setOfReadings(1, 0.0f);
    addFileRow(table, set, 5, -2);
    LoggerModeFlags flags;
    flags.loggerFileMode = 1;
    flags.loggerWindowShown = 1;
    flags.selectedSet = 1;
    flags.fileSetLoaded = 1;
    flags.appendLoadedFile = 1;
    flags.loadedYGain = 5;

    closeLoggerWindow(flags, table, store);

    EXPECT_EQ(store.downloadStoreReady, 0);
    EXPECT_TRUE(store.readings.empty());
    EXPECT_FALSE(showDownloadedSet(store, 0, set));
    EXPECT_EQ(table.lastFileRow, -1);
    EXPECT_EQ(flags.selectedSet, -1);
    EXPECT_EQ(flags.loggerFileMode, 0);
    EXPECT_EQ(flags.loggerWindowShown, 0);
    EXPECT_EQ(flags.fileSetLoaded, 0);
    EXPECT_EQ(flags.appendLoadedFile, 0);
    EXPECT_EQ(flags.loadedYGain, 5); // the last file's scale is still what Save stores
    EXPECT_EQ(addFileRow(table, set, 1, 0).row, 0);
}

TEST(LoggerFileTable, ARowComesBackWithItsReadingsAndTheScaleOfItsFile) {
    LoggerFileTable table;
    LoggerSet first = setOfReadings(2, 100.0f);
    LoggerSet second = setOfReadings(3, 200.0f);
    second.startHour = 15;
    LoggerSet shown = second;
    EXPECT_FALSE(showFileRow(table, 0, shown).has_value()); // nothing filled yet
    EXPECT_EQ(addFileRow(table, first, 5, -2).row, 0);
    EXPECT_EQ(addFileRow(table, second, 10, 3).row, 1);
    EXPECT_FALSE(showFileRow(table, 2, shown).has_value());
    EXPECT_FALSE(showFileRow(table, -1, shown).has_value());
    EXPECT_EQ(second.startTime, makeLocalTime(2026, 12, 7, 15, 5, 9));

    const auto scale = showFileRow(table, 0, shown);
    ASSERT_TRUE(scale.has_value());
    EXPECT_EQ(scale->yGain, 5);
    EXPECT_EQ(scale->yOffset, -2);
    EXPECT_EQ(shown.readingCount, 2);
    EXPECT_EQ(readingValue(shown, 1, 4), 109.0f);
    EXPECT_EQ(shown.startTime, makeLocalTime(2026, 12, 7, 14, 5, 9));
    EXPECT_EQ(shown.startHour, 15); // the broken-down fields are not touched
}

TEST(LoggerFileTable, TheHundredAndFirstFileWrapsToRowZeroAndClearsTheList) {
    LoggerFileTable table;
    for (int i = 0; i < kLoggerFileRows; ++i) {
        LoggerSet set = setOfReadings(1, float(i));
        const AddedFileRow added = addFileRow(table, set, 1, 0);
        ASSERT_EQ(added.row, i);
        ASSERT_FALSE(added.listCleared);
    }
    LoggerSet extra = setOfReadings(1, 1000.0f);
    const AddedFileRow added = addFileRow(table, extra, 1, 0);
    EXPECT_EQ(added.row, 0);
    EXPECT_TRUE(added.listCleared);
    EXPECT_EQ(table.lastFileRow, 0);
    EXPECT_FALSE(showFileRow(table, 1, extra).has_value());
    LoggerSet shown;
    ASSERT_TRUE(showFileRow(table, 0, shown).has_value());
    EXPECT_EQ(shown.values[0], 1000.0f);
}

TEST(LoggerDisplay, UnitsConvertWithTheMetersKelvinOffset) {
    EXPECT_DOUBLE_EQ(*displayValue(100.0f, 0), 100.0);
    EXPECT_DOUBLE_EQ(*displayValue(100.0f, 1), 212.0);
    EXPECT_DOUBLE_EQ(*displayValue(100.0f, 2), 373.16);
    EXPECT_FALSE(displayValue(100.0f, 3).has_value());
}

TEST(DataListRow, RowZeroShowsNumberOneAtTheStartTimeAndTheValues) {
    LoggerSet set = setOfReadings(10, 0.0f);
    set.unit = 0;
    set.startTime = makeLocalTime(2026, 12, 7, 14, 5, 9);
    set.values[0] = 25.0f;
    set.values[1] = -12.5f;
    set.values[2] = 2900.0f;
    set.values[3] = 2900.1f;
    set.values[4] = 0.0f;
    const DataListRow expected{"1",     "12/07/26", "14:05:09", "25.0",
                               "-12.5", "2900.0",   "- - - -",  "0.0"};
    EXPECT_EQ(dataListRow(set, 0), expected);
}

TEST(DataListRow, TimesAdvanceBySampleRateAcrossMidnight) {
    LoggerSet set = setOfReadings(10, 0.0f);
    set.sampleRate = 60;
    set.startTime = makeLocalTime(2026, 12, 31, 23, 55, 0);
    const DataListRow row = dataListRow(set, 9);
    EXPECT_EQ(row[0], "10");
    EXPECT_EQ(row[1], "01/01/27");
    EXPECT_EQ(row[2], "00:04:00");
}

TEST(DataListRow, ValuesFollowTheUnitAndNoReadingIsDashesInEveryUnit) {
    LoggerSet set = setOfReadings(1, 0.0f);
    set.values[0] = 25.0f;
    set.values[1] = 2950.0f;
    const std::array<std::string, 4> t1{"25.0", "77.0", "298.2", ""};
    for (std::uint8_t unit = 0; unit < 4; ++unit) {
        set.unit = unit;
        const DataListRow row = dataListRow(set, 0);
        EXPECT_EQ(row[3], t1[unit]) << "unit " << int(unit);
        EXPECT_EQ(row[4], "- - - -") << "unit " << int(unit);
    }
}

TEST(DataListRow, RowsOutsideTheSetAreEmpty) {
    const LoggerSet set = setOfReadings(2, 0.0f);
    EXPECT_EQ(dataListRow(set, 2), DataListRow{});
    EXPECT_EQ(dataListRow(set, -1), DataListRow{});
}

TEST(FileListRow, DownloadedSetsAreNumberedFromOneInTheDownloadsUnitWithTheirRate) {
    LoggerStore store = twoSetStore();
    EXPECT_EQ(downloadedSetRow(store, 0),
              (FileListRow{"1", "12/07/26 14:05:09", "K", "2sec", "3"}));
    EXPECT_EQ(downloadedSetRow(store, 1),
              (FileListRow{"2", "01/02/27 03:04:05", "K", "60sec", "0"}));
    EXPECT_EQ(downloadedSetRow(store, 2), FileListRow{});
    EXPECT_EQ(downloadedSetRow(store, -1), FileListRow{});
    store.loggerUnit = 7; // no unit the programme knows
    EXPECT_EQ(downloadedSetRow(store, 0)[2], "");
    store.setSampleRate.pop_back(); // tables shorter than the count name no set
    EXPECT_EQ(downloadedSetRow(store, 1), FileListRow{});
}

TEST(FileListRow, OpenedFilesShowTheirOwnUnitAndOnlyFilledRowsHaveTexts) {
    LoggerFileTable table;
    LoggerSet set = setOfReadings(4, 1.0f);
    addFileRow(table, set, 10, 0);
    EXPECT_EQ(fileTableRow(table, 0), (FileListRow{"1", "12/07/26 14:05:09", "F", "5sec", "4"}));
    EXPECT_EQ(fileTableRow(table, 1), FileListRow{});
    EXPECT_EQ(fileTableRow(table, -1), FileListRow{});
}

} // namespace
} // namespace calorant
