#pragma once
// Saving what a recording left behind when the program crashed, was killed or lost power:
// each journal in a folder that no running recording holds becomes a file of its own,
// "kelvolog-recovered-<date and time of its last row>.csv", cut after its last whole row.
//   RecoveredJournals r = RecoverJournals(folder);  // at start-up
//   for (path : r.files) tell the user; for (text : r.errors) tell the user
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rizazovoz {

inline constexpr std::string_view kRecoveredStem = "kelvolog-recovered";

struct RecoveredJournals {
  std::vector<std::filesystem::path> files;  // the recovered recordings
  std::vector<std::string> errors;           // "Cannot recover PATH: REASON"; left as they are
};

RecoveredJournals RecoverJournals(const std::filesystem::path& folder);

// The same for one journal, named by its path.
RecoveredJournals RecoverJournal(const std::filesystem::path& journal);

}  // namespace rizazovoz
