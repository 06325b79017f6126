#include "document/JournalSlot.h"

#include <QString>
#include <string>
#include <system_error>
#include <vector>

namespace calorant {

namespace {

constexpr int kSlotCount = 8;

std::filesystem::path journalFile(const std::filesystem::path& folder, int slot) {
    return folder / ("recording-" + std::to_string(slot) + ".journal");
}

QString lockName(const std::filesystem::path& journal) {
    return QString::fromStdU16String(journal.u16string() + u".lock");
}

} // namespace

JournalSlot::JournalSlot(std::filesystem::path journalPath)
    : journalPath_(std::move(journalPath)), lock_(lockName(journalPath_)) {
    // Held for the whole life of the programme: only a dead holder makes it stale.
    lock_.setStaleLockTime(0);
}

std::unique_ptr<JournalSlot> JournalSlot::claim(const std::filesystem::path& stateFolder) {
    std::error_code error;
    std::filesystem::create_directories(stateFolder, error);
    if (error)
        return nullptr;
    std::unique_ptr<JournalSlot> firstFree;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        auto candidate = std::make_unique<JournalSlot>(journalFile(stateFolder, slot));
        if (!candidate->lock_.tryLock(0))
            continue;
        if (std::filesystem::exists(candidate->journalPath_, error))
            return candidate; // a free slot keeps its journal only when nobody ended well
        if (!firstFree)
            firstFree = std::move(candidate);
    }
    return firstFree;
}

} // namespace calorant
