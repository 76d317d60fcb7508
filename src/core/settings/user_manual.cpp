#include "settings/user_manual.h"

namespace rizazovoz {

std::optional<std::filesystem::path> FindUserManual(const std::filesystem::path& programDir) {
  for (const std::filesystem::path& folder :
       {programDir / "help", programDir / ".." / "share" / "rizazovoz" / "help"}) {
    std::error_code error;
    const std::filesystem::path page = folder / "index.html";
    if (std::filesystem::is_regular_file(page, error)) return page.lexically_normal();
  }
  return std::nullopt;
}

}  // namespace rizazovoz
