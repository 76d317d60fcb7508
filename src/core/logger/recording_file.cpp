#include "logger/recording_file.h"

#include <sys/stat.h>

#include <exception>

#include "logger/dated_name.h"
#include "settings/whole_file.h"

namespace rizazovoz {

namespace fs = std::filesystem;

namespace {

RecordingWrite Write(const fs::path& file, std::string_view header, const RowStore& rows) {
  RecordingWrite result;
  FileReplacement replacement(file);
  const bool written = replacement.append(header) && rows.ForEachBlock([&](std::string_view block) {
    return replacement.append(block);
  });
  // Every byte is in the temporary file before the previous recording is moved aside.
  const fs::path& target = replacement.target();
  struct stat old {};
  if (!written || ::lstat(target.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) {
    result.error = replacement.commit();
    return result;
  }
  std::string reason;
  result.keptAs = RenameToDatedName(target, target.stem().string(), reason);
  if (!result.keptAs) {
    result.error = "Cannot write " + file.string() + ": the previous " +
                   target.filename().string() + " cannot be kept (" + reason + ")";
    return result;
  }
  result.error = replacement.commit();
  return result;
}

}  // namespace

RecordingWrite WriteRecording(const fs::path& file, std::string_view header, const RowStore& rows) {
  try {
    return Write(file, header, rows);
  } catch (const std::exception& e) {  // memory for the names ran out
    return {"Cannot write " + file.string() + ": " + e.what(), std::nullopt};
  }
}

}  // namespace rizazovoz
