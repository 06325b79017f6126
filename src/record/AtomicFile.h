#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace calorant {

// The outcome of writing a file: on failure, which file and why, in words the user can
// act on ("No space left on device", "Permission denied", ...).
struct SaveResult {
    bool saved = true;
    std::filesystem::path file;
    std::string reason;

    // "Could not save <file>: <reason>", or empty when the save went through.
    std::string message() const;
};

// Writes `bytes` as the whole content of `target`. The bytes first go to a temporary
// file in the same folder, which is flushed, checked and only then renamed over the
// target; so a save that fails half-way (disk full, folder gone, file locked) leaves
// an existing file as it was, and no temporary file behind.
SaveResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace calorant
