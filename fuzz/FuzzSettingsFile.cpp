// Arbitrary text as the settings file, read as at start-up and updated as at close.
// A value whose key is not in the file keeps its default; the update must read back
// exactly as written, whatever the file held, change nothing more when made twice,
// and keep every other line of the file in its order.
#include "FuzzCheck.h"
#include "app/SettingsFile.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using namespace calorant;

namespace {

bool sameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

bool containsIgnoringCase(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(), sameLetter) !=
           text.end();
}

bool startsWithIgnoringCase(std::string_view text, std::string_view word) {
    return text.size() >= word.size() &&
           std::equal(word.begin(), word.end(), text.begin(), sameLetter);
}

// The lines of a text without its byte-order mark, their line ends and carriage returns
// at their ends, which are no part of what a line says.
std::vector<std::string_view> linesOf(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        while (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// Lines that may hold one of the three keys, which the update may replace.
std::size_t keyLikeLines(const std::vector<std::string_view>& lines) {
    std::size_t count = 0;
    for (std::string_view line : lines) {
        line.remove_prefix(std::min(line.find_first_not_of(" \t\r"), line.size()));
        for (std::string_view key : {"COM num", "Gain", "Offset"}) {
            if (startsWithIgnoringCase(line, key))
                ++count;
        }
    }
    return count;
}

// How many lines of `old` are in `updated` in the same order: at least what matching
// each line at its next occurrence finds, which settles nearly every case at once; when
// that falls short, the longest common run of lines, worked out for files of up to a
// few hundred lines, which is what the fuzzer makes.
std::size_t keptLines(const std::vector<std::string_view>& old,
                      const std::vector<std::string_view>& updated, std::size_t wanted) {
    std::size_t kept = 0;
    auto from = updated.begin();
    for (std::string_view line : old) {
        const auto found = std::find(from, updated.end(), line);
        if (found != updated.end()) {
            ++kept;
            from = found + 1;
        }
    }
    if (kept >= wanted || old.size() * updated.size() > (1u << 16))
        return std::max(kept, wanted);
    std::vector<std::size_t> row(updated.size() + 1, 0);
    std::vector<std::size_t> next(updated.size() + 1, 0);
    for (std::size_t i = old.size(); i-- > 0;) {
        for (std::size_t j = updated.size(); j-- > 0;)
            next[j] = old[i] == updated[j] ? row[j + 1] + 1 : std::max(row[j], next[j + 1]);
        std::swap(row, next);
    }
    return row[0];
}

// Every line of `before` is in `after`, in order, except those that held the keys.
bool keepsOtherLines(std::string_view before, std::string_view after) {
    const std::vector<std::string_view> old = linesOf(before);
    const std::size_t replaceable = std::min<std::size_t>(3, keyLikeLines(old));
    const std::size_t wanted = old.size() - std::min(replaceable, old.size());
    return keptLines(old, linesOf(after), wanted) >= wanted;
}

// Values to write, taken from the input's last twelve bytes when it has them, so that
// the whole int range is written and read back.
Settings settingsToWrite(const std::uint8_t* data, std::size_t size) {
    if (size < 12)
        return {7, -5, 200};
    std::int32_t values[3];
    std::memcpy(values, data + size - 12, sizeof(values));
    return {values[0], values[1], values[2]};
}

bool same(const Settings& a, const Settings& b) {
    return a.comPort == b.comPort && a.yGain == b.yGain && a.yOffset == b.yOffset;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const Settings read = settingsFromText(text);
    const Settings defaults;
    if (!containsIgnoringCase(text, "COM num"))
        FUZZ_CHECK(read.comPort == defaults.comPort);
    if (!containsIgnoringCase(text, "Gain"))
        FUZZ_CHECK(read.yGain == defaults.yGain);
    if (!containsIgnoringCase(text, "Offset"))
        FUZZ_CHECK(read.yOffset == defaults.yOffset);

    const Settings written = settingsToWrite(data, size);
    const std::string updated = settingsTextWith(text, written);
    FUZZ_CHECK(same(settingsFromText(updated), written));
    // A last line that keeps a carriage return of its own cannot be written back with a
    // plain line end; then only the file's next update settles its line ends.
    const bool lineEndsSettle = !text.ends_with("\r\r") || text.find("\r\n") != text.npos;
    if (lineEndsSettle)
        FUZZ_CHECK(settingsTextWith(updated, written) == updated);
    FUZZ_CHECK(keepsOtherLines(text, updated));
    return 0;
}
