#pragma once
// Where the user manual (help/index.html) lies: beside the program, as in a build folder or
// an unpacked archive, or in the share folder of an installation.
#include <filesystem>
#include <optional>

namespace rizazovoz {

// The manual for the program in `programDir`, looked for in <programDir>/help and then in
// <programDir>/../share/rizazovoz/help; nothing when neither holds it.
std::optional<std::filesystem::path> FindUserManual(const std::filesystem::path& programDir);

}  // namespace rizazovoz
