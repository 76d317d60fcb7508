#pragma once
// Where rizazovoz-log's rows go: standard output, a named file, or by default a new file
// named by the date and time, so that runs never overwrite each other. Rows are buffered and
// reach the disk (fsync) on every Flush.
#include <cstdio>
#include <string>
#include <string_view>

namespace rizazovoz {

class LogOutput {
 public:
  ~LogOutput();

  // "-": standard output; "": rizazovoz-log-YYYYMMDD-HHMMSS.csv in the working directory.
  // The error text, or empty.
  std::string Open(const std::string& out);
  void Write(std::string_view text) { pending_.append(text); }
  // Hands what was written to the system and, for a file, to the disk.
  std::string Flush();
  std::string Close();
  const std::string& path() const { return path_; }

 private:
  std::FILE* file_ = nullptr;
  bool ownFile_ = false;
  std::string path_;
  std::string pending_;
  std::string error_;  // the first failure, kept to report at Close
};

}  // namespace rizazovoz
