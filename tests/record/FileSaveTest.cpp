// Saving: the proposed names, the default folders, the companion-name rule, the two
// files of a save side by side, files replaced in place (their permissions kept, a
// symbolic link followed), several sets saved all or none, and saves that fail (missing
// folder, a target that is a directory), which must say which file failed and why and
// must leave both existing files as they were and no temporary files behind.
#include "record/FileSave.h"

#include "FileTestSupport.h"
#include "record/SaveNaming.h"
#include "support/LoggerSetStart.h"

namespace calorant {
namespace {

namespace fs = std::filesystem;

LoggerSet twoReadingSet() {
    LoggerSet set;
    set.readingCount = 2;
    set.values[0] = 20.0f;
    set.unit = 2;
    test::fillStartFields(set, 2026, 12, 7, 14, 5, 9);
    set.sampleRate = 2;
    set.startTime = test::kDecember7;
    return set;
}

TEST(SaveNaming, TheProposedNameIsTheTimeWithDotsInTheClock) {
    EXPECT_EQ(proposedSaveName(makeLocalTime(2026, 12, 7, 14, 30, 22)), "12-07-26 14.30.22");
    EXPECT_EQ(proposedSaveName(twoReadingSet().startTime), "12-07-26 14.05.09");
}

TEST(SaveNaming, TheCompanionDropsATrailingGraphExtensionAndAddsCsv) {
    EXPECT_EQ(companionCsvPath("/data/12-07-26 14.30.22.graph"),
              fs::path("/data/12-07-26 14.30.22.csv"));
    EXPECT_EQ(companionCsvPath("/data/run.csv"), fs::path("/data/run.csv.csv"));
    EXPECT_EQ(companionCsvPath("run"), fs::path("run.csv"));
    EXPECT_EQ(companionCsvPath("/data/run.graph.graph"), fs::path("/data/run.graph.csv"));
}

TEST(SaveNaming, TheDefaultFoldersAreCreatedInsideTheDocumentsFolder) {
    test::ScratchFolder documents;
    const fs::path recordings = prepareSaveFolder(documents.path(), kRecordingSaveFolder);
    EXPECT_EQ(recordings, documents.path() / "KL320 Thermocouple IR Datalogger");
    EXPECT_TRUE(fs::is_directory(recordings));
    EXPECT_EQ(prepareSaveFolder(documents.path(), kRecordingSaveFolder), recordings);
    EXPECT_TRUE(fs::is_directory(prepareSaveFolder(documents.path(), kLoggerSaveFolder)));
    EXPECT_EQ(documents.fileNames(),
              (std::vector<std::string>{"4ChCalorantDL", "KL320 Thermocouple IR Datalogger"}));
}

TEST(FileSave, ARecordingIsSavedAsGraphAndCsvSideBySide) {
    test::ScratchFolder folder;
    SampleStore store;
    test::record(store, 2, {{25.3f, 0, 0, 0, 0}, test::missingFrame(), {26.0f, 0, 0, 0, 0}});

    const SaveResult result = saveRecording(folder.path() / "12-07-26 14.30.22.graph", store,
                                            TemperatureUnit::Celsius, 10, 0);

    EXPECT_TRUE(result.saved) << result.message();
    EXPECT_TRUE(result.message().empty());
    EXPECT_EQ(folder.fileNames(),
              (std::vector<std::string>{"12-07-26 14.30.22.csv", "12-07-26 14.30.22.graph"}));
    EXPECT_EQ(test::fileBytes(folder.path() / "12-07-26 14.30.22.graph").size(), 49u + 3 * 20);
    // Two fresh readings; the repeated sample is in the .graph file only.
    const std::string csv =
        test::asciiFromUtf16(test::fileBytes(folder.path() / "12-07-26 14.30.22.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);

    // The document's own Save writes the .graph file alone.
    ASSERT_TRUE(
        saveRecordingGraph(folder.path() / "only.graph", store, TemperatureUnit::Celsius, 10, 0)
            .saved);
    EXPECT_EQ(test::fileBytes(folder.path() / "only.graph"),
              test::fileBytes(folder.path() / "12-07-26 14.30.22.graph"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "only.csv"));
}

TEST(FileSave, ALoggerSetStoresTheLoadedScaleAndReplacesEarlierFiles) {
    test::ScratchFolder folder;
    const fs::path graph = folder.path() / "set.graph";
    test::writeBytes(graph, "old graph");
    test::writeBytes(folder.path() / "set.csv", "old csv");

    ASSERT_TRUE(saveLoggerSet(graph, twoReadingSet(), 100, 0).saved);
    std::string bytes = test::fileBytes(graph);
    ASSERT_EQ(bytes.size(), 89u);
    EXPECT_EQ(test::int32At(bytes, 81), 100);
    EXPECT_EQ(test::int32At(bytes, 85), 0);

    ASSERT_TRUE(saveLoggerSet(graph, twoReadingSet(), 5, -2).saved);
    bytes = test::fileBytes(graph);
    EXPECT_EQ(test::int32At(bytes, 81), 5);
    EXPECT_EQ(test::int32At(bytes, 85), -2);
    const std::string csv = test::asciiFromUtf16(test::fileBytes(folder.path() / "set.csv"));
    EXPECT_NE(csv.find("1\t293.2\t"), std::string::npos);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"set.csv", "set.graph"}));
}

TEST(FileSave, AMissingFolderFailsWithTheFileAndTheReason) {
    test::ScratchFolder folder;
    const fs::path graph = folder.path() / "missing" / "run.graph";
    const SaveResult result = saveLoggerSet(graph, twoReadingSet(), 100, 0);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.file, folder.path() / "missing" / "run.csv"); // the CSV is written first
    EXPECT_FALSE(result.reason.empty());
    EXPECT_NE(result.message().find("run.csv"), std::string::npos);
    EXPECT_NE(result.message().find(result.reason), std::string::npos);
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST(FileSave, AFailedCompanionLeavesTheExistingGraphFileIntact) {
    test::ScratchFolder folder;
    const fs::path graph = folder.path() / "run.graph";
    test::writeBytes(graph, "a good earlier file");
    fs::create_directory(folder.path() / "run.csv"); // cannot be replaced by a file

    const SaveResult result = saveLoggerSet(graph, twoReadingSet(), 100, 0);

    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.file, folder.path() / "run.csv");
    EXPECT_EQ(test::fileBytes(graph), "a good earlier file");
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"run.csv", "run.graph"}));
}

TEST(FileSave, AGraphTargetThatCannotBeReplacedLeavesTheExistingCsvAsItWas) {
    test::ScratchFolder folder;
    fs::create_directory(folder.path() / "run.graph");
    test::writeBytes(folder.path() / "run.csv", "a good earlier table");

    const SaveResult result = saveLoggerSet(folder.path() / "run.graph", twoReadingSet(), 100, 0);

    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.file, folder.path() / "run.graph");
    EXPECT_TRUE(fs::is_directory(folder.path() / "run.graph"));
    EXPECT_EQ(test::fileBytes(folder.path() / "run.csv"), "a good earlier table");
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"run.csv", "run.graph"}));

    // With no earlier table, none is left behind either.
    fs::remove(folder.path() / "run.csv");
    EXPECT_FALSE(saveLoggerSet(folder.path() / "run.graph", twoReadingSet(), 100, 0).saved);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"run.graph"}));
}

TEST(FileSave, SetsSavedTogetherReplaceTheirFilesAllOrNone) {
    test::ScratchFolder folder;
    test::writeBytes(folder.path() / "first.graph", "older first");
    test::writeBytes(folder.path() / "first.csv", "older first table");
    fs::create_directory(folder.path() / "second.graph"); // cannot be replaced by a file

    LoggerSetBatch refused(100, 0);
    refused.add(folder.path() / "first.graph", twoReadingSet());
    refused.add(folder.path() / "second.graph", twoReadingSet());
    const SaveResult result = refused.save();

    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.file, folder.path() / "second.graph");
    EXPECT_EQ(test::fileBytes(folder.path() / "first.graph"), "older first");
    EXPECT_EQ(test::fileBytes(folder.path() / "first.csv"), "older first table");
    EXPECT_EQ(folder.fileNames(),
              (std::vector<std::string>{"first.csv", "first.graph", "second.graph"}));

    fs::remove(folder.path() / "second.graph");
    LoggerSetBatch saved(100, 0);
    saved.add(folder.path() / "first.graph", twoReadingSet());
    saved.add(folder.path() / "second.graph", twoReadingSet());
    ASSERT_TRUE(saved.save().saved);
    EXPECT_EQ(test::fileBytes(folder.path() / "first.graph"),
              test::fileBytes(folder.path() / "second.graph"));
    EXPECT_EQ(folder.fileNames(),
              (std::vector<std::string>{"first.csv", "first.graph", "second.csv", "second.graph"}));
}

TEST(FileSave, AReplacedFileKeepsItsPermissionsAndASymbolicLinkStaysALink) {
    test::ScratchFolder folder;
    const fs::path graph = folder.path() / "run.graph";
    const fs::path csv = folder.path() / "run.csv";
    const fs::path data = folder.path() / "data";
    fs::create_directory(data);
    test::writeBytes(data / "kept.graph", "old graph");
    fs::create_symlink("data/kept.graph", graph);
    test::writeBytes(csv, "old csv");
    const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(csv, ownerOnly);

    ASSERT_TRUE(saveLoggerSet(graph, twoReadingSet(), 100, 0).saved);

    EXPECT_EQ(fs::status(csv).permissions() & fs::perms::all, ownerOnly);
    EXPECT_NE(test::fileBytes(csv), "old csv");
    ASSERT_TRUE(fs::is_symlink(fs::symlink_status(graph)));
    EXPECT_EQ(fs::read_symlink(graph), fs::path("data/kept.graph"));
    EXPECT_EQ(test::fileBytes(data / "kept.graph").size(), 89u);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"data", "run.csv", "run.graph"}));
    EXPECT_EQ(test::ScratchFolder::namesIn(data), (std::vector<std::string>{"kept.graph"}));
}

} // namespace
} // namespace calorant
