#include "record/RecordingJournal.h"

#include "record/SampleStore.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace calorant {

namespace {

std::FILE* openTruncated(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

// The data must reach the disk; the file's times need not.
bool syncData(std::FILE* file) {
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#elif defined(__linux__)
    return fdatasync(fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// One sample more than a store holds, so an overlong journal shows as damaged.
constexpr std::size_t kLongestJournal =
    kJournalHeaderSize + kJournalSampleSize * static_cast<std::size_t>(kSampleCapacity);

} // namespace

void RecordingJournal::setPath(std::filesystem::path path) {
    close();
    path_ = std::move(path);
}

RecordingJournal::~RecordingJournal() {
    close();
}

bool RecordingJournal::begin(const JournalHeader& header) {
    close();
    error_.clear();
    if (path_.empty())
        return false;
    file_ = openTruncated(path_);
    if (!file_) {
        error_ = std::generic_category().message(errno);
        return false;
    }
    nextIndex_ = 0;
    return writeAndSync(encodeJournalHeader(header));
}

bool RecordingJournal::append(const JournalSample& sample) {
    if (!file_)
        return false;
    if (!writeAndSync(encodeJournalSample(nextIndex_, sample)))
        return false;
    ++nextIndex_;
    return true;
}

void RecordingJournal::retire() {
    close();
    if (path_.empty())
        return;
    std::error_code ignored; // a journal that cannot be removed is overwritten later
    std::filesystem::remove(path_, ignored);
}

bool RecordingJournal::writeAndSync(const std::string& bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() &&
                         std::fflush(file_) == 0 && syncData(file_);
    if (!written) {
        // A part of a sample may be on the disk; whatever follows it would not be read.
        error_ = std::generic_category().message(errno != 0 ? errno : EIO);
        close();
    }
    return written;
}

void RecordingJournal::close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

std::optional<JournalContent> readJournal(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(kLongestJournal + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (auto content = decodeJournal(bytes, kSampleCapacity - 1))
        return content;
    JournalContent unreadable;
    unreadable.damaged = true;
    return unreadable;
}

} // namespace calorant
