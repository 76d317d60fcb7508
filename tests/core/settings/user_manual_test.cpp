#include "settings/user_manual.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_folder.h"

namespace rizazovoz {
namespace {

TEST(UserManual, FoundBesideTheProgramFirstThenInTheShareFolder) {
  TempFolder root;
  const std::filesystem::path bin = root.path() / "bin";
  const std::filesystem::path shared = root.path() / "share/rizazovoz/help";
  std::filesystem::create_directories(bin);
  EXPECT_EQ(FindUserManual(bin), std::nullopt);

  std::filesystem::create_directories(shared);
  std::ofstream(shared / "index.html") << "<html></html>";
  EXPECT_EQ(FindUserManual(bin), (root.path() / "share/rizazovoz/help/index.html"));

  std::filesystem::create_directories(bin / "help");
  std::ofstream(bin / "help/index.html") << "<html></html>";
  EXPECT_EQ(FindUserManual(bin), bin / "help/index.html");
}

TEST(UserManual, AFolderNamedLikeThePageIsNoManual) {
  TempFolder root;
  std::filesystem::create_directories(root.path() / "help/index.html");
  EXPECT_EQ(FindUserManual(root.path()), std::nullopt);
}

}  // namespace
}  // namespace rizazovoz
