#include "settings/whole_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <string>

#include "temp_folder.h"

namespace rizazovoz {
namespace {

namespace fs = std::filesystem;

void expectErrorNames(const std::optional<std::string>& error, const fs::path& path,
                      std::string_view reason) {
  ASSERT_TRUE(error.has_value()) << "the failure was reported as success";
  EXPECT_NE(error->find(path.string()), std::string::npos) << *error;
  EXPECT_NE(error->find(reason), std::string::npos) << *error;
}

TEST(WholeFile, ReplacesTheContentAndCreatesMissingFolders) {
  TempFolder folder;
  const fs::path path = folder / "bin/kelvodash.ini";
  ASSERT_EQ(replaceWholeFile(path, "[Form]\nTop=50\n"), std::nullopt);
  EXPECT_EQ(readBytes(path), "[Form]\nTop=50\n");
  ASSERT_EQ(replaceWholeFile(path, "short"), std::nullopt);
  EXPECT_EQ(readBytes(path), "short");
  EXPECT_EQ(namesIn(folder / "bin"), std::set<std::string>{"kelvodash.ini"});
}

TEST(WholeFile, KeepsTheOldFilesModeAndWritesThroughALink) {
  TempFolder folder;
  const fs::path real = folder / "real.ini";
  const fs::path link = folder / "link.ini";
  writeBytes(real, "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real, link);

  ASSERT_EQ(replaceWholeFile(link, "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(readBytes(real), "new");
  EXPECT_EQ(fs::status(real).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Failures that hold for every user, root included.
TEST(WholeFile, AnUnwritableTargetIsReportedAndChangesNothing) {
  TempFolder folder;
  const fs::path directory = folder / "kelvodash.ini";  // a folder where the file should be
  fs::create_directory(directory);
  writeBytes(directory / "inside", "kept");
  writeBytes(folder / "bin", "a file where the folder should be");
  const std::set<std::string> before = namesIn(folder.path());

  expectErrorNames(replaceWholeFile(directory, "new"), directory, "Is a directory");
  EXPECT_EQ(readBytes(directory / "inside"), "kept");
  const fs::path underFile = folder / "bin/kelvodash.ini";
  expectErrorNames(replaceWholeFile(underFile, "new"), underFile, "Not a directory");
  EXPECT_EQ(readBytes(folder / "bin"), "a file where the folder should be");
  EXPECT_EQ(namesIn(folder.path()), before) << "a temporary file was left behind";
}

// A disk that fills up while writing: the process may not make files larger than a few bytes.
TEST(WholeFile, AWriteThatRunsOutOfSpaceLeavesTheOldFile) {
  TempFolder folder;
  const fs::path path = folder / "kelvodash.ini";
  writeBytes(path, "[Form]\nTop=10\n");

  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::optional<std::string> error = replaceWholeFile(path, std::string(4096, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldSignal);

  expectErrorNames(error, path, "File too large");
  EXPECT_EQ(readBytes(path), "[Form]\nTop=10\n");
  EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"kelvodash.ini"});
}

TEST(WholeFile, AReplacementWrittenInPiecesTakesEffectOnlyWhenCommitted) {
  TempFolder folder;
  const fs::path path = folder / "kelvolog.csv";
  writeBytes(path, "old");
  {
    FileReplacement dropped(path);
    EXPECT_TRUE(dropped.append("never "));
    EXPECT_TRUE(dropped.append("committed"));
  }
  EXPECT_EQ(readBytes(path), "old");
  EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"kelvolog.csv"});

  FileReplacement file(path);
  EXPECT_EQ(file.target(), path);
  EXPECT_TRUE(file.append("header\r\n"));
  EXPECT_TRUE(file.append(""));
  EXPECT_TRUE(file.append("row\r\n"));
  ASSERT_EQ(file.commit(), std::nullopt);
  EXPECT_EQ(readBytes(path), "header\r\nrow\r\n");
  EXPECT_EQ(file.commit(), std::nullopt) << "a second commit changes nothing";
  EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"kelvolog.csv"});

  const fs::path underFile = folder / "kelvolog.csv/inside";
  FileReplacement failed(underFile);
  EXPECT_FALSE(failed.append("lost"));
  expectErrorNames(failed.commit(), underFile, "Not a directory");
}

TEST(WholeFile, ReadingAMissingFileGivesNothingAndAFolderAnError) {
  TempFolder folder;
  std::string text = "stale";
  EXPECT_EQ(readWholeFile(folder / "bin/missing.ini", text), std::nullopt);
  EXPECT_EQ(text, "");
  writeBytes(folder / "a.ini", std::string("a\0\r\nb", 5));
  EXPECT_EQ(readWholeFile(folder / "a.ini", text), std::nullopt);
  EXPECT_EQ(text, std::string("a\0\r\nb", 5));
  expectErrorNames(readWholeFile(folder.path(), text), folder.path(), "Is a directory");
  EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace rizazovoz
