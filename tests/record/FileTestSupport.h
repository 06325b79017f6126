#pragma once

// Helpers shared by the file-format tests: a recording built through the sample
// store's own events, raw file bytes, UTF-16 decoding, golden files and a scratch folder.
#include "core/CalendarTime.h"
#include "record/SampleStore.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace calorant::test {

inline const std::time_t kDecember7 = makeLocalTime(2026, 12, 7, 14, 5, 9);

// A recording at `rateSeconds` started at kDecember7. Each entry of `frames` is one
// sampling tick: a frame with those values arrives before the tick, or, for an entry
// whose T1 is NaN, no frame arrives and the tick repeats the previous sample.
inline void record(SampleStore& store, int rateSeconds, const std::vector<Channels>& frames) {
    store.run(rateSeconds);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (!std::isnan(frames[i][0]))
            store.onAcceptedFrame(frames[i], kDecember7 + std::time_t(i) * rateSeconds);
        store.onSampleTick();
    }
}

inline Channels missingFrame() {
    return {std::nanf(""), 0, 0, 0, 0};
}

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::filesystem::path goldenFile(const char* name) {
    return std::filesystem::path(CALORANT_GOLDEN_DIR) / name;
}

// The text of a UTF-16LE file after its byte-order mark; fails the test on any
// character outside ASCII, which the writers never produce.
inline std::string asciiFromUtf16(const std::string& bytes) {
    std::string text;
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.size() % 2, 0u);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        EXPECT_EQ(bytes[i + 1], '\0') << "at byte " << i + 1;
        text += bytes[i];
    }
    return text;
}

inline std::int32_t int32At(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(offset + std::size_t(i)));
    return static_cast<std::int32_t>(value);
}

// An empty folder of its own for one test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("calorant-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::vector<std::string> fileNames() const { return namesIn(path_); }

    // The names in a folder, sorted.
    static std::vector<std::string> namesIn(const std::filesystem::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

} // namespace calorant::test
