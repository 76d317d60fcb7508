#pragma once
// Reading and replacing a small file as a whole, for settings files.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rizazovoz {

// Puts the file's bytes into `text`. A file that does not exist (nor its folder) gives an empty
// text and no error. Any other failure empties `text` and returns "Cannot read PATH: REASON".
[[nodiscard]] std::optional<std::string> readWholeFile(const std::filesystem::path& path,
                                                       std::string& text);

// Makes `contents` the file's whole content, so that a crash or a full disk leaves either the
// old file or the new one and never a part: the bytes go to a temporary file in the same
// folder, are flushed to disk and the temporary file is renamed over the target. Missing
// folders are created; the old file's permission bits are kept; a symbolic link is written
// through, not replaced. On failure nothing is changed, no temporary file is left and
// "Cannot write PATH: REASON" is returned. Never throws.
[[nodiscard]] std::optional<std::string> replaceWholeFile(const std::filesystem::path& path,
                                                          std::string_view contents);

}  // namespace rizazovoz
