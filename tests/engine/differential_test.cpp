// The real passes keep an index of the names in the directory instead of re-listing it before
// every entry. Here they run side by side with the literal models on thousands of generated
// directories; any difference in the final names, the copy counter or the reported failures is
// a fault. A failing seed prints its fixture, ready to become a named case.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "tests/engine/literal_passes.h"
#include "tests/engine/pass_fixture.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using testing::TempDir;

struct Entry {
  std::string name;
  bool folder;
};

// Names rich in what the passes care about: cut characters, dots, case variants, end spaces,
// non-ASCII letters, bytes that are not UTF-8, copy-suffix names and names that clean to nothing.
std::vector<Entry> GenerateDirectory(std::mt19937& random, bool mostly_folders) {
  static const char* const kPrefixes[] = {"",     "",  "0", "01 ", "1.",  "_-",
                                          "2 - ", " ", "9", ".",   "3.5 "};
  static const char* const kBodies[] = {"a",
                                        "A",
                                        "b",
                                        "a.txt",
                                        "A.TXT",
                                        "a.tar.gz",
                                        "\xC3\xA4",
                                        "\xC3\x84",
                                        "stra\xC3\x9F"
                                        "e",
                                        "STRASSE",
                                        "\xFF",
                                        "\xFE.x",
                                        "",
                                        ".txt",
                                        "a.",
                                        "a copy ( 1).txt",
                                        "a copy ( 2).txt",
                                        " copy ( 1).",
                                        "A Copy ( 0)",
                                        "a Copy ( 1)",
                                        "README",
                                        "readme ",
                                        "99"};
  std::uniform_int_distribution<std::size_t> count(0, 9);
  std::uniform_int_distribution<std::size_t> prefix(0, std::size(kPrefixes) - 1);
  std::uniform_int_distribution<std::size_t> body(0, std::size(kBodies) - 1);
  std::bernoulli_distribution trailing_space(0.1);
  std::bernoulli_distribution folder(mostly_folders ? 0.8 : 0.2);

  std::vector<Entry> entries;
  std::set<std::string> seen;
  for (std::size_t i = count(random); i > 0; --i) {
    std::string name = std::string(kPrefixes[prefix(random)]) + kBodies[body(random)];
    if (trailing_space(random)) name += ' ';
    if (name.empty() || name == "." || name == ".." || !seen.insert(name).second) continue;
    entries.push_back({name, folder(random)});
  }
  return entries;
}

void Lay(const TempDir& dir, const std::vector<Entry>& entries) {
  for (const auto& entry : entries) {
    entry.folder ? dir.MakeDir(entry.name) : dir.Touch(entry.name);
  }
}

std::string Describe(unsigned seed, const std::vector<Entry>& entries) {
  std::ostringstream text;
  text << "seed " << seed << ", fixture:";
  for (const auto& entry : entries) {
    text << "\n  " << (entry.folder ? "folder \"" : "file   \"");
    for (unsigned char c : entry.name) {
      if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
        text << c;
      } else {
        static const char kHex[] = "0123456789ABCDEF";
        text << "\\x" << kHex[c >> 4] << kHex[c & 0xF];
      }
    }
    text << '"';
  }
  return text.str();
}

std::vector<std::string> FailureLines(const PassReport& report) {
  std::vector<std::string> lines;
  for (const auto& failure : report.failures) {
    lines.push_back(failure.path.filename().string() + " -> " + failure.target.filename().string() +
                    ": " + failure.error.message());
  }
  return lines;
}

void CompareOnGeneratedDirectories(bool folders, unsigned first_seed, unsigned count) {
  int mismatches = 0;
  for (unsigned seed = first_seed; seed < first_seed + count && mismatches < 3; ++seed) {
    std::mt19937 random(seed);
    const std::vector<Entry> entries = GenerateDirectory(random, folders);
    const std::size_t copy_count = std::uniform_int_distribution<std::size_t>(0, 3)(random);
    TempDir real_dir, literal_dir;
    Lay(real_dir, entries);
    Lay(literal_dir, entries);

    PassState real_state, literal_state;
    real_state.CopyCount = literal_state.CopyCount = copy_count;
    const PassReport real = folders ? testing::RunFolderPass(real_state, real_dir.path())
                                    : testing::RunFilePass(real_state, real_dir.path());
    const PassReport literal =
        folders ? testing::LiteralFolderRoutine(literal_state, literal_dir.path())
                : testing::LiteralFileRoutine(literal_state, literal_dir.path());

    const bool same = real_dir.Names() == literal_dir.Names() &&
                      real_state.CopyCount == literal_state.CopyCount &&
                      FailureLines(real) == FailureLines(literal) &&
                      testing::RenamedTo(real) == testing::RenamedTo(literal) &&
                      real.kept.size() == literal.kept.size();
    if (!same) {
      ++mismatches;
      ADD_FAILURE() << (folders ? "folder" : "file") << " pass differs from the literal one, "
                    << Describe(seed, entries);
    }
  }
}

TEST(DifferentialTest, FilePassMatchesTheLiteralPass) {
  CompareOnGeneratedDirectories(false, 1, 2000);
}

TEST(DifferentialTest, FolderPassMatchesTheLiteralPass) {
  CompareOnGeneratedDirectories(true, 100001, 1000);
}

}  // namespace
}  // namespace qomdex
