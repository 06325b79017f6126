// The settings file that keeps the port number and the live graph's Y gain and offset
// between runs: defaults when it is missing, values written and read back (negative
// offsets included), the "COM num" key with its space, lenient reading of values that
// are not numbers, and in-place updates that keep everything else in an existing file.

#include "app/SettingsFile.h"

#include <climits>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace calorant {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / ("calorant-settings-" + std::string(info->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    void writeFile(const std::string& content) {
        std::ofstream(settingsFilePath(folder), std::ios::binary) << content;
    }
    std::string readFile() const {
        std::ifstream in(settingsFilePath(folder), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
};

TEST_F(SettingsFileTest, AMissingFileGivesPortOneGainTenOffsetZero) {
    const Settings settings = ReadSettings(folder / "nowhere");
    EXPECT_EQ(settings.comPort, 1);
    EXPECT_EQ(settings.yGain, 10);
    EXPECT_EQ(settings.yOffset, 0);
}

TEST_F(SettingsFileTest, WrittenValuesReadBackIncludingNegativeOffsetsAndNewFolders) {
    ASSERT_TRUE(WriteSettings(folder, {7, 50, -5}));
    EXPECT_EQ(readFile(),
              "[COMInfo]\nCOM num=7\n\n[GainInfo]\nGain=50\n\n[OffsetInfo]\nOffset=-5\n");

    const Settings settings = ReadSettings(folder);
    EXPECT_EQ(settings.comPort, 7);
    EXPECT_EQ(settings.yGain, 50);
    EXPECT_EQ(settings.yOffset, -5);

    const fs::path nested = folder / "config" / "deeper";
    ASSERT_TRUE(WriteSettings(nested, {3, 2, -2}));
    EXPECT_EQ(ReadSettings(nested).yOffset, -2);
}

TEST_F(SettingsFileTest, ValuesThatAreNotNumbersReadAsTheirLeadingDigitsElseZero) {
    writeFile("[COMInfo]\nCOM num=12abc\n[GainInfo]\nGain=abc\n[OffsetInfo]\nOffset=-\n");
    Settings settings = ReadSettings(folder);
    EXPECT_EQ(settings.comPort, 12);
    EXPECT_EQ(settings.yGain, 0);
    EXPECT_EQ(settings.yOffset, 0);

    writeFile(
        "[COMInfo]\nCOM num=\n[GainInfo]\nGain=99999999999\n[OffsetInfo]\nOffset=-99999999999\n");
    settings = ReadSettings(folder);
    EXPECT_EQ(settings.comPort, 0);
    EXPECT_EQ(settings.yGain, INT_MAX);
    EXPECT_EQ(settings.yOffset, INT_MIN);
}

TEST_F(SettingsFileTest, KeysAreFoundWhateverTheirCaseAndSpacing) {
    writeFile("[cominfo]\r\n  com NUM =  4 \r\n[ GainInfo ]\r\nGAIN=200\r\n");
    const Settings settings = ReadSettings(folder);
    EXPECT_EQ(settings.comPort, 4);
    EXPECT_EQ(settings.yGain, 200);
    EXPECT_EQ(settings.yOffset, 0);

    // The port number is the key with its space, in its own section, nothing else.
    writeFile("[COMInfo]\nCOMnum=9\nCOM%20num=8\n[GainInfo]\nCOM num=6\n");
    EXPECT_EQ(ReadSettings(folder).comPort, 1);
}

TEST_F(SettingsFileTest, AKeyMissingFromItsSectionKeepsItsDefault) {
    writeFile("[COMInfo]\n[GainInfo]\nOffset=5\n[OffsetInfo]\n; Offset=3\n");
    const Settings settings = ReadSettings(folder);
    EXPECT_EQ(settings.comPort, 1);
    EXPECT_EQ(settings.yGain, 10);
    EXPECT_EQ(settings.yOffset, 0);
}

TEST_F(SettingsFileTest, WritingUpdatesInPlaceAndKeepsEverythingElse) {
    writeFile("; meter settings\r\n"
              "[COMInfo]\r\n"
              "Baud=9600\r\n"
              "COM num=2\r\n"
              "\r\n"
              "[Other]\r\n"
              "Key=value with spaces\r\n"
              "\r\n"
              "[GainInfo]\r\n"
              "Note=kept\r\n"
              "\r\n");
    ASSERT_TRUE(WriteSettings(folder, {5, 100, 2}));
    EXPECT_EQ(readFile(), "; meter settings\r\n"
                          "[COMInfo]\r\n"
                          "Baud=9600\r\n"
                          "COM num=5\r\n"
                          "\r\n"
                          "[Other]\r\n"
                          "Key=value with spaces\r\n"
                          "\r\n"
                          "[GainInfo]\r\n"
                          "Note=kept\r\n"
                          "Gain=100\r\n"
                          "\r\n"
                          "[OffsetInfo]\r\n"
                          "Offset=2\r\n");
}

TEST_F(SettingsFileTest, AFailedWriteIsReportedAndLeavesWhatWasThere) {
    const fs::path notAFolder = folder / "plain-file";
    std::ofstream(notAFolder) << "x";
    EXPECT_FALSE(WriteSettings(notAFolder, {}));

    // A settings path that cannot be read as a file is not replaced.
    fs::create_directories(settingsFilePath(folder) / "inside");
    EXPECT_FALSE(WriteSettings(folder, {}));
    EXPECT_TRUE(fs::is_directory(settingsFilePath(folder) / "inside"));
    EXPECT_EQ(ReadSettings(folder).yGain, 10);
}

} // namespace
} // namespace calorant
