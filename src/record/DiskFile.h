#pragma once

#include <cstdio>
#include <filesystem>

namespace calorant {

// A file opened for writing from its first byte, by a path in any script on every
// platform; null with errno set when it cannot be.
std::FILE* openForWriting(const std::filesystem::path& path);

// Waits until what was written and flushed to `file` is on the disk.
bool syncToDisk(std::FILE* file);

} // namespace calorant
