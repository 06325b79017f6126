#include "app/SettingsFile.h"

#include "core/NumberFormat.h"

#include <climits>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace calorant {
namespace {

constexpr std::string_view kComSection = "COMInfo";
constexpr std::string_view kComKey = "COM num";
constexpr std::string_view kGainSection = "GainInfo";
constexpr std::string_view kGainKey = "Gain";
constexpr std::string_view kOffsetSection = "OffsetInfo";
constexpr std::string_view kOffsetKey = "Offset";

// The file holds three short lines; anything much larger is not ours to rewrite.
constexpr std::uintmax_t kMaxFileBytes = 1 << 20;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The file as lines, without their line ends, so that untouched lines are written back
// exactly as they were.
struct ProfileText {
    std::vector<std::string> lines;
    bool crlf = false;
    bool bom = false;
};

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Section and key names compare without regard to case, as private profiles do.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

std::optional<std::string_view> sectionName(std::string_view line) {
    const std::string_view text = trim(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const auto close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(text.substr(1, close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> entryOf(std::string_view line) {
    const std::string_view text = trim(line);
    if (text.empty() || text.front() == ';' || text.front() == '[')
        return std::nullopt;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return Entry{trim(text.substr(0, equals)), trim(text.substr(equals + 1))};
}

// Leading digits with an optional minus sign, else 0; saturates instead of overflowing.
int parseProfileInt(std::string_view text) {
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

enum class LoadResult { Loaded, Missing, Failed };

LoadResult load(const std::filesystem::path& file, std::string& content) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return error ? LoadResult::Failed : LoadResult::Missing;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaxFileBytes)
        return LoadResult::Failed;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return LoadResult::Failed;
    content.reserve(static_cast<std::size_t>(size));
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad() || content.size() > kMaxFileBytes)
        return LoadResult::Failed;
    return LoadResult::Loaded;
}

ProfileText profileOf(std::string_view content) {
    ProfileText profile;
    std::string_view rest = content;
    if (rest.starts_with(kUtf8Bom)) {
        profile.bom = true;
        rest.remove_prefix(kUtf8Bom.size());
    }
    profile.crlf = rest.find("\r\n") != std::string_view::npos;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        profile.lines.emplace_back(line);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return profile;
}

std::string textOf(const ProfileText& profile) {
    std::string content(profile.bom ? kUtf8Bom : std::string_view{});
    const std::string_view lineEnd = profile.crlf ? "\r\n" : "\n";
    for (const std::string& line : profile.lines) {
        content += line;
        content += lineEnd;
    }
    return content;
}

// Index of the first line of `section`'s header, or lines.size().
std::size_t findSection(const ProfileText& profile, std::string_view section) {
    for (std::size_t i = 0; i < profile.lines.size(); ++i) {
        const auto name = sectionName(profile.lines[i]);
        if (name && sameName(*name, section))
            return i;
    }
    return profile.lines.size();
}

// One past the last line of the section whose header is at `header`.
std::size_t sectionEnd(const ProfileText& profile, std::size_t header) {
    std::size_t i = header + 1;
    while (i < profile.lines.size() && !sectionName(profile.lines[i]))
        ++i;
    return i;
}

std::optional<std::size_t> findKey(const ProfileText& profile, std::size_t header,
                                   std::string_view key) {
    const std::size_t end = sectionEnd(profile, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto entry = entryOf(profile.lines[i]);
        if (entry && sameName(entry->key, key))
            return i;
    }
    return std::nullopt;
}

int readInt(const ProfileText& profile, std::string_view section, std::string_view key,
            int defaultValue) {
    const std::size_t header = findSection(profile, section);
    if (header == profile.lines.size())
        return defaultValue;
    const auto line = findKey(profile, header, key);
    if (!line)
        return defaultValue;
    return parseProfileInt(entryOf(profile.lines[*line])->value);
}

void writeInt(ProfileText& profile, std::string_view section, std::string_view key, int value) {
    std::string entry = std::string(key) + "=" + formatInt(value);
    const std::size_t header = findSection(profile, section);
    if (header == profile.lines.size()) {
        if (!profile.lines.empty() && !trim(profile.lines.back()).empty())
            profile.lines.emplace_back();
        profile.lines.push_back("[" + std::string(section) + "]");
        profile.lines.push_back(std::move(entry));
        return;
    }
    if (const auto line = findKey(profile, header, key)) {
        profile.lines[*line] = std::move(entry);
        return;
    }
    // A new key goes after the section's last non-blank line, before any spacing.
    std::size_t insertAt = sectionEnd(profile, header);
    while (insertAt > header + 1 && trim(profile.lines[insertAt - 1]).empty())
        --insertAt;
    profile.lines.insert(profile.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                         std::move(entry));
}

bool save(const std::filesystem::path& file, const std::string& content) {
    // Write beside the file and rename over it, so a failure never leaves half a file.
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace

std::filesystem::path settingsFilePath(const std::filesystem::path& folder) {
    return folder / kSettingsFileName;
}

Settings settingsFromText(std::string_view text) {
    const ProfileText profile = profileOf(text);
    Settings settings;
    settings.comPort = readInt(profile, kComSection, kComKey, settings.comPort);
    settings.yGain = readInt(profile, kGainSection, kGainKey, settings.yGain);
    settings.yOffset = readInt(profile, kOffsetSection, kOffsetKey, settings.yOffset);
    return settings;
}

std::string settingsTextWith(std::string_view text, const Settings& settings) {
    ProfileText profile = profileOf(text);
    writeInt(profile, kComSection, kComKey, settings.comPort);
    writeInt(profile, kGainSection, kGainKey, settings.yGain);
    writeInt(profile, kOffsetSection, kOffsetKey, settings.yOffset);
    return textOf(profile);
}

Settings ReadSettings(const std::filesystem::path& folder) {
    std::string content;
    if (load(settingsFilePath(folder), content) != LoadResult::Loaded)
        return Settings{};
    return settingsFromText(content);
}

bool WriteSettings(const std::filesystem::path& folder, const Settings& settings) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return false;
    const std::filesystem::path file = settingsFilePath(folder);
    std::string content;
    if (load(file, content) == LoadResult::Failed)
        return false; // never replace a file we could not read
    return save(file, settingsTextWith(content, settings));
}

} // namespace calorant
