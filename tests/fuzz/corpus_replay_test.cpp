// Replays a checked-in fuzz corpus through its fuzz target's entry point, one test per file,
// so that every corpus input runs in the ordinary builds and under GCC's sanitizers too. The
// target aborts on a failed check, which fails the test of that file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace rizazovoz {
namespace {

std::vector<std::filesystem::path> CorpusFiles() {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(RIZAZOVOZ_CORPUS_DIR, error)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A test name out of the file name: letters, digits and underscores only.
std::string TestName(const testing::TestParamInfo<std::filesystem::path>& info) {
  std::string name = info.param.filename().string();
  for (char& ch : name) {
    const bool keep =
        (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
    if (!keep) ch = '_';
  }
  return name;
}

TEST(Corpus, HasSeedInputs) { EXPECT_GE(CorpusFiles().size(), 3u) << RIZAZOVOZ_CORPUS_DIR; }

class CorpusInput : public testing::TestWithParam<std::filesystem::path> {};

TEST_P(CorpusInput, RunsWithoutAFailedCheck) {
  std::ifstream file(GetParam(), std::ios::binary);
  ASSERT_TRUE(file) << GetParam();
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>()};
  // libFuzzer never passes a null pointer, not even with an empty input.
  const std::uint8_t none = 0;
  const auto* data = bytes.empty() ? &none : reinterpret_cast<const std::uint8_t*>(bytes.data());
  EXPECT_EQ(LLVMFuzzerTestOneInput(data, bytes.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(Replay, CorpusInput, testing::ValuesIn(CorpusFiles()), TestName);

}  // namespace
}  // namespace rizazovoz
