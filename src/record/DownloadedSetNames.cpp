#include "record/DownloadedSetNames.h"

#include "core/NumberFormat.h"
#include "record/SaveNaming.h"

#include <map>

namespace calorant {

std::vector<std::string> downloadedSetFileStems(std::span<const std::time_t> setStarts) {
    std::vector<std::string> stems;
    stems.reserve(setStarts.size());
    std::map<std::string, int> uses;
    for (std::time_t start : setStarts) {
        std::string stem = proposedSaveName(start);
        const int use = ++uses[stem];
        if (use > 1)
            stem += " (" + formatInt(use) + ")";
        stems.push_back(std::move(stem));
    }
    return stems;
}

} // namespace calorant
