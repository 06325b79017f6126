#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace calorant {

// The outcome of writing a file: on failure, which file and why, in words the user can
// act on ("No space left on device", "Permission denied", ...).
struct [[nodiscard]] SaveResult {
    bool saved = true;
    std::filesystem::path file;
    std::string reason;

    // "Could not save <file>: <reason>", or empty when the save went through.
    std::string message() const;
};

// The whole content of one file.
struct FileContent {
    std::filesystem::path target;
    std::string_view bytes;
};

// Writes each file in full. The bytes first go to temporary files beside their targets,
// which are flushed and checked; only when all of them are complete are they renamed
// over the targets, in order, and should one of those renames fail, the files already
// renamed are put back. So a save that fails (disk full, folder gone, a name taken by a
// folder, a file locked) leaves every existing file as it was, and no temporary file
// behind.
//
// A replaced file keeps its permissions, and a target that is a symbolic link stays one:
// the file it leads to is replaced.
SaveResult writeFilesAtomically(std::span<const FileContent> files);

SaveResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace calorant
