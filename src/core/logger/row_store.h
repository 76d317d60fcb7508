#pragma once
// The text of a recording's rows, appended one row at a time for hours on end: kept in blocks
// of 1 MiB, so that memory stays close to the text's own size (no doubling reallocation, no
// per-row allocation) and appending costs the same at the millionth row as at the first.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rizazovoz {

class RowStore {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  void Append(std::string_view row);  // a row is never split between blocks
  void Clear();
  std::uint64_t Size() const { return size_; }  // characters
  bool Empty() const { return size_ == 0; }

  // The text in order, block by block.
  template <typename Visit>
  bool ForEachBlock(Visit&& visit) const {
    for (const std::string& block : blocks_) {
      if (!visit(std::string_view(block))) return false;
    }
    return true;
  }

 private:
  std::vector<std::string> blocks_;
  std::uint64_t size_ = 0;
};

}  // namespace rizazovoz
