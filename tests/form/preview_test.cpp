// The preview shows what the command would do, from a dry run in a real directory: new names
// with their copy numbers, refusals of names taken on disk, entries kept on purpose. It renames
// nothing and leaves the window's copy count alone, so the pass after it makes the names shown.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "location/platform.h"
#include "tests/form/fake_view.h"
#include "tests/support/dir1_walk.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"
#include "ui/form/qomde.h"

namespace qomdex::testing {
namespace {

using form::ControlId;
using Names = std::set<std::string>;
using Rows = std::vector<std::pair<std::string, std::string>>;

struct PreviewCase {
  const char* name;
  ControlId option;
  std::vector<std::string> files;
  std::vector<std::string> folders;
  std::string heading;
  Rows rows;
};

void PrintTo(const PreviewCase& c, std::ostream* out) { *out << c.name; }

const std::string kTaken = "': " + platform::NameTakenError().message();
#ifdef _WIN32
// A leading dot hides nothing on Windows.
const char kFiles[] = "7 files: 3 would be renamed, 0 kept, 1 refused. Nothing has been renamed.";
const char kDotName[] = ".txt";
#else
const char kFiles[] = "7 files: 2 would be renamed, 1 kept, 1 refused. Nothing has been renamed.";
const char kDotName[] = "kept: the new name would start with a dot and hide it";
#endif

// Every case runs after a file pass elsewhere that took the window's copy count to 2.
const PreviewCase kCases[] = {
    {"Files",
     ControlId::OptFile,
     {"01 a.txt", "02 b.txt", "03 c.txt", "99.txt", "a.txt", "b.txt", "b copy ( 4).txt"},
     {"04 d"},
     kFiles,
     {{"01 a.txt", "a copy ( 3).txt"},
      {"02 b.txt", "refused: 'b copy ( 4).txt" + kTaken},
      {"03 c.txt", "c.txt"},
      {"99.txt", kDotName}}},
    {"Folders",
     ControlId::OptFolder,
     {"05 f.txt"},
     {"01 x", "02 y", "03 z", "2019", "x", "z", "z Copy ( 2)"},
     "7 folders: 2 would be renamed, 1 kept, 1 refused. Nothing has been renamed.",
     {{"01 x", "x Copy ( 0)"},
      {"02 y", "y"},
      {"03 z", "refused: 'z Copy ( 2)" + kTaken},
      {"2019", "kept: nothing would be left of it"}}},
};

Names In(const std::filesystem::path& directory) {
  Names names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

class PreviewTest : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(PreviewTest, ShowsWhatThePassThenDoesAndRenamesNothing) {
  const PreviewCase& c = GetParam();
  TempDir dir;
  dir.MakeDir("earlier");
  dir.Touch("earlier/1 e.txt");
  dir.Touch("earlier/e.txt");
  dir.MakeDir("d");
  for (const std::string& file : c.files) dir.Touch("d/" + file);
  for (const std::string& folder : c.folders) dir.MakeDir("d/" + folder);
  FakeView view;
  form::qomde window(view);
  window.FormLoad();
  ASSERT_TRUE(view.Open(window, dir / "earlier"));
  window.Command1Click();
  ASSERT_EQ(In(dir / "earlier"), (Names{"e copy ( 1).txt", "e.txt"}));
  window.Dir1Change(*view.dir1_row - 1);
  window.Dir1Change(testing::SubfolderRow(view.dir1, testing::Native("d")).value());
  view.selected_option = c.option;

  const Names before = In(dir / "d");
  window.Preview();
  window.Preview();

  ASSERT_EQ(view.previews.size(), 2u);
  EXPECT_EQ(In(dir / "d"), before);
  EXPECT_TRUE(view.messages.empty());
  for (const form::PreviewRows& preview : view.previews) {
    EXPECT_EQ(Narrow(preview.heading()), c.heading);
    Rows rows;
    for (std::size_t i = 0; i < preview.count(); ++i) {
      rows.emplace_back(Narrow(preview.row(i).name), Narrow(preview.row(i).result));
    }
    EXPECT_EQ(rows, c.rows);
  }

  // The pass renames exactly what the preview said it would, to the names it showed.
  window.Command1Click();
  Names expected = before;
  for (const auto& [name, result] : c.rows) {
    if (result.starts_with("refused: ") || result.starts_with("kept: ")) continue;
    expected.erase(name);
    expected.insert(result);
  }
  EXPECT_EQ(In(dir / "d"), expected);
  EXPECT_EQ(view.messages.size(), 1u);  // the refusal, now a failure
}

INSTANTIATE_TEST_SUITE_P(Kinds, PreviewTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qomdex::testing
