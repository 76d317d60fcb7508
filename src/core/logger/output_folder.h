#pragma once
// Where recordings go: the folder the user chose when it can be entered, else the working
// directory; and, for a new settings file, the user's documents folder.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace rizazovoz {

// An environment variable's value, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
std::optional<std::string> ProcessEnvironment(const char* name);

// The first that is a folder: $XDG_DOCUMENTS_DIR; XDG_DOCUMENTS_DIR in user-dirs.dirs of
// $XDG_CONFIG_HOME (or $HOME/.config); $HOME/Documents. Otherwise $HOME, otherwise nothing.
std::optional<std::filesystem::path> DocumentsFolder(
    const EnvironmentLookup& environment = ProcessEnvironment);

// `logFilePath` when it names a folder that can be entered, otherwise the working directory;
// as an absolute path. The working directory itself is never changed.
std::filesystem::path OutputFolder(std::string_view logFilePath);

}  // namespace rizazovoz
