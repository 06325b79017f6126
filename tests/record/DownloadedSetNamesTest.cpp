// The file names of downloaded sets saved together: each named after its start, and
// sets that start in the same second numbered instead of overwriting each other.
#include "record/DownloadedSetNames.h"

#include "core/CalendarTime.h"

#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace calorant;

TEST(DownloadedSetNames, SetsStartingInTheSameSecondAreNumberedInsteadOfOverwritten) {
    const std::time_t start = makeLocalTime(2019, 12, 24, 9, 15, 30);
    const std::vector<std::time_t> starts{start, start + 1, start, start};

    EXPECT_EQ(downloadedSetFileStems(starts),
              (std::vector<std::string>{"12-24-19 09.15.30", "12-24-19 09.15.31",
                                        "12-24-19 09.15.30 (2)", "12-24-19 09.15.30 (3)"}));
}
