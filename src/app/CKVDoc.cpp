#include "app/CKVDoc.h"

#include <fstream>

namespace calorant {

GraphReadResult CKVDoc::openGraphFile(const std::filesystem::path& path, LoggerModeFlags& flags) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {false, std::string(kInvalidFormatMessage)};
    return readGraphFile(in, loggerSet_, flags);
}

} // namespace calorant
