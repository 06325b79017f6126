#include "record/SaveNaming.h"

#include "core/CalendarTime.h"

#include <system_error>

namespace calorant {

std::string proposedSaveName(std::time_t time) {
    return formatTime(time, "%m-%d-%y %H.%M.%S");
}

std::filesystem::path prepareSaveFolder(const std::filesystem::path& documents,
                                        std::string_view folderName) {
    const std::filesystem::path folder = documents / std::filesystem::path(folderName);
    std::error_code ignored;
    if (!std::filesystem::is_directory(folder, ignored))
        std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::filesystem::path companionCsvPath(const std::filesystem::path& graphPath) {
    // Native strings, so that names outside ASCII survive on every platform.
    using NativeString = std::filesystem::path::string_type;
    const NativeString graphExtension = std::filesystem::path(".graph").native();
    NativeString name = graphPath.filename().native();
    if (name.ends_with(graphExtension))
        name.erase(name.size() - graphExtension.size());
    name += std::filesystem::path(".csv").native();
    return graphPath.parent_path() / name;
}

} // namespace calorant
