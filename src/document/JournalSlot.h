#pragma once

#include <QLockFile>
#include <filesystem>
#include <memory>

namespace calorant {

// The journal file one running programme writes its recordings to. Several programmes
// may run at once (one per meter), so the state folder holds a few numbered journals,
// each taken with a lock file that a programme which ends in any way no longer holds.
class JournalSlot {
public:
    // Takes the first journal no running programme holds, preferring one that a
    // programme which did not end normally left behind. Nothing when the folder cannot
    // be made or every journal is held.
    static std::unique_ptr<JournalSlot> claim(const std::filesystem::path& stateFolder);

    const std::filesystem::path& journalPath() const { return journalPath_; }

    explicit JournalSlot(std::filesystem::path journalPath); // use claim()

private:
    std::filesystem::path journalPath_;
    QLockFile lock_;
};

} // namespace calorant
