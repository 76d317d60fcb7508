#pragma once
// Names for kept files that never replace another file: "kelvolog-2026-12-11-164500.csv",
// or "kelvolog-2026-12-11-164500-2.csv" when that one exists.
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rizazovoz {

// The moment in local time as "2026-12-11-164500".
std::string LocalStamp(std::time_t moment);

// The modification time of a file, or nothing.
std::optional<std::time_t> ModificationTime(const std::filesystem::path& file);

// Reserves "<stem>-<stamp>.csv" (or "-2", "-3" ... before ".csv") in the folder by creating it
// empty, so that renaming a file over it replaces nobody's file. The path, or nothing with
// the reason in `error`.
std::optional<std::filesystem::path> ReserveName(const std::filesystem::path& folder,
                                                 std::string_view stem, std::string_view stamp,
                                                 std::string& error);

// Renames `file` to a reserved name (see ReserveName) made from its own modification time.
// The new path, or nothing with the reason in `error` (then the file is where it was).
std::optional<std::filesystem::path> RenameToDatedName(const std::filesystem::path& file,
                                                       std::string_view stem, std::string& error);

}  // namespace rizazovoz
