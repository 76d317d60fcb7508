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

// The same replacement for a content written in pieces, without holding it in one place:
//   FileReplacement file(path);
//   file.append(header); file.append(rows) ...;
//   if (auto error = file.commit()) report(*error);
// Until commit the old file is untouched; dropped without commit, it leaves nothing behind.
// Errors read "Cannot write PATH: REASON" as above. Never throws but for lack of memory.
class FileReplacement {
 public:
  explicit FileReplacement(std::filesystem::path path);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // The file that commit replaces: `path`, or the file a symbolic link there names.
  const std::filesystem::path& target() const { return target_; }
  // False once anything has failed; later pieces are then ignored and commit reports it.
  bool append(std::string_view bytes);
  [[nodiscard]] std::optional<std::string> commit();

 private:
  std::filesystem::path path_;
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  std::optional<std::string> error_;
  bool committed_ = false;
};

}  // namespace rizazovoz
