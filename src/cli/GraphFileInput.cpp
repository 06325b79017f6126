#include "cli/GraphFileInput.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace calorant::cli {

std::optional<GraphFileContents> loadGraphFile(std::string_view command, const std::string& path) {
    errno = 0;
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) {
        const std::string reason = std::generic_category().message(errno != 0 ? errno : ENOENT);
        std::fprintf(stderr, "calorant-cli %.*s: cannot open %s: %s\n", int(command.size()),
                     command.data(), path.c_str(), reason.c_str());
        return std::nullopt;
    }
    GraphReadResult result = readGraphFile(in);
    if (!result.contents)
        std::fprintf(stderr, "%s\n", result.message.c_str());
    return std::move(result.contents);
}

} // namespace calorant::cli
