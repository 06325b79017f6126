#pragma once

#include "record/JournalFormat.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace calorant {

// The journal file of the real-time recording. Each sample is on the disk before
// append() returns, so whatever ends the programme, the samples taken so far can be
// read back with readJournal(). Without a path it keeps nothing.
class RecordingJournal {
public:
    RecordingJournal() = default;
    ~RecordingJournal();
    RecordingJournal(const RecordingJournal&) = delete;
    RecordingJournal& operator=(const RecordingJournal&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Journals go to the file at `path` from the next begin() on. A journal being
    // written ends; its file stays.
    void setPath(std::filesystem::path path);

    // A new recording: the file starts over with its header. False, with error(), when
    // it cannot be written; the journal then keeps nothing until the next begin().
    bool begin(const JournalHeader& header);
    // The next sample of the recording begun. False when there is no journal to write or
    // the sample could not be put on the disk; after a failure nothing more is written.
    bool append(const JournalSample& sample);
    // The recording is saved or given up: the file goes.
    void retire();

    // A recording is being written.
    bool writing() const { return file_ != nullptr; }
    // Why the last begin() or append() failed.
    const std::string& error() const { return error_; }

private:
    bool writeAndSync(const std::string& bytes);
    void close();

    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    std::uint32_t nextIndex_ = 0;
    std::string error_;
};

// What a journal file holds. Nothing when there is no file; a file that is not a
// journal, or of another version, reads as damaged with no samples.
std::optional<JournalContent> readJournal(const std::filesystem::path& path);

} // namespace calorant
