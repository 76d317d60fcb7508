#include "logger/row_store.h"

namespace rizazovoz {

void RowStore::Append(std::string_view row) {
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < row.size()) {
    blocks_.emplace_back();
    blocks_.back().reserve(row.size() > kBlockSize ? row.size() : kBlockSize);
  }
  blocks_.back().append(row);
  size_ += row.size();
}

void RowStore::Clear() {
  blocks_.clear();
  blocks_.shrink_to_fit();
  size_ = 0;
}

}  // namespace rizazovoz
