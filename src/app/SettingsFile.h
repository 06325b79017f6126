#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace calorant {

// The three integers kept from one run to the next, in a sectioned key=value text file
// of the classic private-profile kind:
//
//   [COMInfo]      "COM num"  serial port number        default 1
//   [GainInfo]     "Gain"     Y gain of the live graph  default 10
//   [OffsetInfo]   "Offset"   Y offset of the live graph default 0
//
// Keys stand in the file exactly as named, "COM num" with its space, which is why the
// file has a reader and writer of its own rather than QSettings.
inline constexpr std::string_view kSettingsFileName = "KV4410Pconfig.ini";

struct Settings {
    int comPort = 1;
    int yGain = 10;
    int yOffset = 0;
};

// The settings a file's text holds, read as ReadSettings reads the file.
Settings settingsFromText(std::string_view text);

// The file's text with the three keys updated as WriteSettings updates the file.
std::string settingsTextWith(std::string_view text, const Settings& settings);

// kSettingsFileName inside `folder`.
std::filesystem::path settingsFilePath(const std::filesystem::path& folder);

// A missing or unreadable file, section or key gives its default. A value that is not
// a number reads as its leading digits with an optional minus sign, else 0.
Settings ReadSettings(const std::filesystem::path& folder);

// Updates the three keys in place, keeping every other section, key and comment of an
// existing file; creates the folder and the file when missing. The file is replaced
// in one step, so a failed write leaves the old one intact. Returns false on failure.
[[nodiscard]] bool WriteSettings(const std::filesystem::path& folder, const Settings& settings);

} // namespace calorant
