#pragma once
// Writing a recording as its CSV file at Stop. The file is replaced in one step (a temporary
// file, flushed, renamed), so that a failure leaves the previous file whole; a previous file
// is first kept under its date and time ("kelvolog-2026-12-11-164500.csv"), so that no
// recording is ever destroyed by a newer one.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "logger/row_store.h"

namespace rizazovoz {

struct RecordingWrite {
  std::optional<std::string> error;             // "Cannot write PATH: REASON"
  std::optional<std::filesystem::path> keptAs;  // where the previous file went
};

RecordingWrite WriteRecording(const std::filesystem::path& file, std::string_view header,
                              const RowStore& rows);

}  // namespace rizazovoz
