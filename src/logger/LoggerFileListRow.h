#pragma once

#include <array>
#include <string>

namespace calorant {

struct LoggerFileTable;
struct LoggerStore;

// Columns of the logger graph window's file list: File No., Start Time, Unit, Sampling
// Rate, Readings.
inline constexpr int kFileListColumns = 5;
using FileListRow = std::array<std::string, kFileListColumns>;

// Row `set` of a download: the set's number from 1, its start "%m/%d/%y %H:%M:%S", the
// unit letter the meter reported for the whole download, its interval ("2sec") and its
// readings. A set the store does not hold gives five empty texts.
FileListRow downloadedSetRow(const LoggerStore& store, int set);

// Row `row` of the sets opened from files, in the unit each file carried. A row that
// is not filled gives five empty texts.
FileListRow fileTableRow(const LoggerFileTable& table, int row);

} // namespace calorant
