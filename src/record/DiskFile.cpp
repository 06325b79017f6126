#include "record/DiskFile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace calorant {

std::FILE* openForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

// The data and the size must reach the disk; the file's times need not.
bool syncToDisk(std::FILE* file) {
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#elif defined(__linux__)
    return fdatasync(fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

} // namespace calorant
