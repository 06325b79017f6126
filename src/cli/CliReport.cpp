#include "cli/CliReport.h"

#include "record/AtomicFile.h"

#include <cstdio>

namespace calorant::cli {

namespace {
void printReason(std::string_view reason) {
    std::fprintf(stderr, "calorant-cli: %.*s\n", int(reason.size()), reason.data());
}
} // namespace

int reportFailure(std::string_view reason) {
    printReason(reason);
    return kExitFailure;
}

int reportUsageError(std::string_view reason) {
    printReason(reason);
    return kExitUsage;
}

int reportUsage(std::string_view usage) {
    std::fprintf(stderr, "usage: calorant-cli %.*s\n", int(usage.size()), usage.data());
    return kExitUsage;
}

int writeOutputFile(std::string_view command, const std::filesystem::path& file,
                    std::string_view bytes) {
    const SaveResult result = writeFileAtomically(file, bytes);
    if (result.saved)
        return kExitOk;
    std::fprintf(stderr, "calorant-cli %.*s: %s\n", int(command.size()), command.data(),
                 result.message().c_str());
    return kExitFailure;
}

void printLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace calorant::cli
