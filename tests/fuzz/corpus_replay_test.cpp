// Every input of a fuzzer's corpus, run through the fuzzer's own entry point in every build, so an
// input that once broke an invariant is tried again without the fuzz job. An invariant that fails
// traps, and the row fails with it.

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace qomdex {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(QOMDEX_FUZZ_CORPUS)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  return files;
}

class CorpusReplayTest : public ::testing::TestWithParam<fs::path> {};

TEST_P(CorpusReplayTest, KeepsTheFuzzersInvariants) {
  std::ifstream file(GetParam(), std::ios::binary);
  ASSERT_TRUE(file) << GetParam();
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_EQ(
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusReplayTest, ::testing::ValuesIn(CorpusFiles()),
                         [](const auto& row) {
                           std::string name = row.param.filename().string();
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace qomdex
