#include "record/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace calorant {

namespace {

std::FILE* openForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

// Asks the system to put the bytes on the disk before the rename makes them the file.
bool syncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::string errnoText(int error) {
    return std::generic_category().message(error);
}

SaveResult failure(const std::filesystem::path& target, std::string reason) {
    return SaveResult{false, target, std::move(reason)};
}

std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    std::filesystem::path name = target.filename();
    name += ".saving";
    return target.parent_path() / (std::filesystem::path(".") += name);
}

// Writes and closes; returns the errno of the first failure, 0 on success.
int writeAndClose(std::FILE* file, std::string_view bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                         std::fflush(file) == 0 && syncToDisk(file);
    const int writeError = written ? 0 : (errno != 0 ? errno : EIO);
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    if (writeError != 0)
        return writeError;
    return closed ? 0 : (errno != 0 ? errno : EIO);
}

} // namespace

std::string SaveResult::message() const {
    if (saved)
        return {};
    const std::u8string name = file.u8string();
    return "Could not save " + std::string(name.begin(), name.end()) + ": " + reason;
}

SaveResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    const std::filesystem::path temporary = temporaryPathFor(target);
    errno = 0;
    std::FILE* file = openForWriting(temporary);
    if (file == nullptr)
        return failure(target, errnoText(errno != 0 ? errno : EIO));

    std::error_code ignored;
    if (const int error = writeAndClose(file, bytes); error != 0) {
        std::filesystem::remove(temporary, ignored);
        return failure(target, errnoText(error));
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, target, renameError);
    if (renameError) {
        std::filesystem::remove(temporary, ignored);
        return failure(target, renameError.message());
    }
    return SaveResult{true, target, {}};
}

} // namespace calorant
