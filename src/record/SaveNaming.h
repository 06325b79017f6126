#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace calorant {

// Folders, inside the user's documents folder, that the save dialogs start in.
inline constexpr std::string_view kRecordingSaveFolder = "KL320 Thermocouple IR Datalogger";
inline constexpr std::string_view kLoggerSaveFolder = "4ChCalorantDL";

// The name a save proposes: "%m-%d-%y %H.%M.%S" of the given local time (the current
// time for a recording, the set's start for a logger set); dots keep it a valid file
// name everywhere.
std::string proposedSaveName(std::time_t time);

// documents / folderName, created when it does not exist, together with the documents
// folder itself, which a new account need not have yet. Failing to create it is not an
// error here: the dialog then starts wherever the platform chooses.
std::filesystem::path prepareSaveFolder(const std::filesystem::path& documents,
                                        std::string_view folderName);

// The CSV companion of a .graph path: same folder, the file name with a trailing
// ".graph" removed and ".csv" appended. So "run.graph" pairs with "run.csv", and a
// file chosen as "run.csv" gets the companion "run.csv.csv".
std::filesystem::path companionCsvPath(const std::filesystem::path& graphPath);

} // namespace calorant
