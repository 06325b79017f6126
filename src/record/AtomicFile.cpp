#include "record/AtomicFile.h"

#include "record/DiskFile.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

namespace calorant {

namespace {

namespace fs = std::filesystem;

std::string errnoText(int error) {
    return std::generic_category().message(error);
}

SaveResult failure(const fs::path& target, std::string reason) {
    return SaveResult{false, target, std::move(reason)};
}

// A hidden name beside `file`: ".<name><suffix>".
fs::path besidePath(const fs::path& file, const char* suffix) {
    fs::path name = file.filename();
    name += suffix;
    return file.parent_path() / (fs::path(".") += name);
}

// One file of a save on its way.
struct PendingFile {
    fs::path target;    // as the caller named it, for messages
    fs::path replaced;  // the file that changes: the target, or where its links lead
    fs::path temporary; // the new content, complete, beside `replaced`
    fs::path backup;    // the old content while a later rename may still fail; empty: none
};

// The file a target stands for: the target itself or, when it is a symbolic link, the
// file the links lead to (which need not exist yet).
fs::path followLinks(const fs::path& target, std::error_code& error) {
    constexpr int kMaxLinks = 40;
    fs::path path = target;
    for (int link = 0; link < kMaxLinks; ++link) {
        std::error_code ignored;
        if (!fs::is_symlink(fs::symlink_status(path, ignored)))
            return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return path;
}

// The new file gets the permissions of the one it replaces, before any byte is in it.
void keepPermissions(const fs::path& replaced, const fs::path& temporary) {
    std::error_code ignored;
    const fs::file_status old = fs::status(replaced, ignored);
    if (fs::is_regular_file(old))
        fs::permissions(temporary, old.permissions(), ignored);
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

// Writes the new content of one file beside the file it replaces.
SaveResult prepare(const FileContent& content, PendingFile& file) {
    std::error_code error;
    file.target = content.target;
    file.replaced = followLinks(content.target, error);
    if (error)
        return failure(file.target, error.message());
    file.temporary = besidePath(file.replaced, ".saving");
    errno = 0;
    std::FILE* out = openForWriting(file.temporary);
    if (out == nullptr)
        return failure(file.target, errnoText(errno != 0 ? errno : EIO));
    keepPermissions(file.replaced, file.temporary);
    if (const int writeError = writeAndClose(out, content.bytes); writeError != 0) {
        fs::remove(file.temporary, error);
        return failure(file.target, errnoText(writeError));
    }
    return SaveResult{true, file.target, {}};
}

// Keeps the old content of a file that is about to be replaced: a second name for it, or
// a copy on a file system without hard links. Nothing to keep for a new file, nor for a
// folder in the way, whose rename fails anyway.
void keepOldContent(PendingFile& file, std::error_code& error) {
    std::error_code ignored;
    if (!fs::is_regular_file(fs::status(file.replaced, ignored)))
        return;
    const fs::path backup = besidePath(file.replaced, ".replaced");
    fs::remove(backup, ignored);
    fs::create_hard_link(file.replaced, backup, error);
    if (error) {
        error.clear();
        fs::copy_file(file.replaced, backup, error);
    }
    if (!error)
        file.backup = backup;
}

// Undoes a save that failed at files[failed]: the files renamed before it get their old
// content back (or go, when they are new), and every temporary file goes.
void putBack(const std::vector<PendingFile>& files, std::size_t failed) {
    std::error_code ignored;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const PendingFile& file = files[i];
        if (i < failed && file.backup.empty()) {
            fs::remove(file.replaced, ignored);
        } else if (i < failed) {
            fs::rename(file.backup, file.replaced, ignored);
        } else {
            fs::remove(file.temporary, ignored);
            if (!file.backup.empty())
                fs::remove(file.backup, ignored);
        }
    }
}

SaveResult commit(std::vector<PendingFile>& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        PendingFile& file = files[i];
        std::error_code error;
        // Only a rename still to come can call for the old content once this one is done.
        if (i + 1 < files.size())
            keepOldContent(file, error);
        if (!error)
            fs::rename(file.temporary, file.replaced, error);
        if (error) {
            putBack(files, i);
            return failure(file.target, error.message());
        }
    }
    std::error_code ignored;
    for (const PendingFile& file : files) {
        if (!file.backup.empty())
            fs::remove(file.backup, ignored);
    }
    return SaveResult{true, files.empty() ? fs::path() : files.back().target, {}};
}

} // namespace

std::string SaveResult::message() const {
    if (saved)
        return {};
    const std::u8string name = file.u8string();
    return "Could not save " + std::string(name.begin(), name.end()) + ": " + reason;
}

SaveResult writeFilesAtomically(std::span<const FileContent> files) {
    std::vector<PendingFile> pending;
    for (const FileContent& content : files) {
        PendingFile file;
        if (SaveResult result = prepare(content, file); !result.saved) {
            putBack(pending, 0);
            return result;
        }
        pending.push_back(std::move(file));
    }
    return commit(pending);
}

SaveResult writeFileAtomically(const fs::path& target, std::string_view bytes) {
    const FileContent file{target, bytes};
    return writeFilesAtomically(std::span(&file, 1));
}

} // namespace calorant
