// The window opened on a folder (an argument) or moved to one (a drop): the lists stand on the
// folder, or a file's folder, with Drive1 on its drive; a path that cannot be reached is one
// message, and the lists stand where they would without it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "location/platform.h"
#include "location/text_encoding.h"
#include "tests/form/fake_view.h"
#include "tests/support/temp_dir.h"
#include "ui/form/qomde.h"
#include "ui/form/window_arguments.h"

namespace qomdex::testing {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

enum class Gesture { kArgument, kDrop };

struct OpenCase {
  const char* name;
  Gesture gesture;
  Strings given;      // paths below the test's folder
  const char* shown;  // the folder Dir1 then shows: "album", "other", or "" for the start
  bool message;       // one message names the first path given
};

// The test folder holds "album" with a file and a subfolder, and "other"; a drop comes after the
// window was opened on "other".
const OpenCase kOpenCases[] = {
    {"ArgumentFolder", Gesture::kArgument, {"album"}, "album", false},
    {"ArgumentFileOpensItsFolder", Gesture::kArgument, {"album/01 a.txt"}, "album", false},
    {"ArgumentWithDotsOpensTheFolderMeant",
     Gesture::kArgument,
     {"other/../album/./sub/.."},
     "album",
     false},
    {"ArgumentMissingOpensOnTheStart", Gesture::kArgument, {"gone"}, "", true},
    {"ArgumentBelowAFileOpensOnTheStart", Gesture::kArgument, {"album/01 a.txt/x"}, "", true},
    {"DropFolder", Gesture::kDrop, {"album"}, "album", false},
    {"DropFileMovesToItsFolder", Gesture::kDrop, {"album/01 a.txt"}, "album", false},
    {"DropSeveralTheFirstCounts", Gesture::kDrop, {"album/sub", "other", "gone"}, "sub", false},
    {"DropMissingMovesNothing", Gesture::kDrop, {"gone", "album"}, "other", true},
    {"DropNothingMovesNothing", Gesture::kDrop, {}, "other", false},
};

class OpenOnFolderTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenOnFolderTest, ListsStandOnTheFolderMeantOrWhereTheyWere) {
  const OpenCase& c = GetParam();
  TempDir dir;
  dir.MakeDir("album");
  dir.MakeDir("album/sub");
  dir.Touch("album/01 a.txt");
  dir.MakeDir("other");
  dir.Touch("other/02 b.txt");
  std::vector<fs::path> given;
  for (const std::string& path : c.given) given.push_back(dir / path);

  FakeView view;
  form::qomde window(view);
  if (c.gesture == Gesture::kArgument) {
    window.FormLoad(given.front());
  } else {
    window.FormLoad(dir / "other");
    ASSERT_TRUE(view.messages.empty());
    window.FormDragDrop(given);
  }

  ASSERT_TRUE(view.dir1_row);
  const std::u16string start = NativeToUtf16(platform::StartLocation().native());
  EXPECT_EQ(Narrow(view.dir1.Text(*view.dir1_row)), *c.shown ? c.shown : Narrow(start));
  const Strings files = std::string(c.shown) == "album"   ? Strings{"01 a.txt"}
                        : std::string(c.shown) == "other" ? Strings{"02 b.txt"}
                        : std::string(c.shown) == "sub"   ? Strings{}
                                                          : view.Files();
  EXPECT_EQ(view.Files(), files);
  // Drive1 stands on the innermost drive whose root holds the folder shown.
  ASSERT_TRUE(view.drive);
  const fs::path shown_path = view.dir1.PathAt(*view.dir1_row);
  std::size_t longest = 0;
  for (const std::u16string& drive : view.drives) {
    const fs::path root(NativeFromUtf8(Narrow(drive)));
    const auto [in_root, in_shown] =
        std::mismatch(root.begin(), root.end(), shown_path.begin(), shown_path.end());
    if (in_root == root.end()) longest = std::max(longest, drive.size());
  }
  EXPECT_EQ(view.drives.at(*view.drive).size(), longest);

  ASSERT_EQ(view.messages.size(), c.message ? 1u : 0u);
  if (c.message) {
    const std::string message = Narrow(view.messages.front());
    EXPECT_NE(message.find(fs::path(c.given.front()).filename().string()), std::string::npos)
        << message;
  }
}

INSTANTIATE_TEST_SUITE_P(Gestures, OpenOnFolderTest, ::testing::ValuesIn(kOpenCases),
                         [](const auto& row) { return std::string(row.param.name); });

struct ArgumentsCase {
  const char* name;
  Strings args;
  int status;          // -1: the window opens
  const char* folder;  // where it opens, or "" for the start location
  const char* out;     // the start of what is written to standard output
  const char* err;     // the start of what is written to standard error
};

const ArgumentsCase kArgumentsCases[] = {
    {"None", {}, -1, "", "", ""},
    {"Folder", {"Music"}, -1, "Music", "", ""},
    {"DashAloneIsAFolder", {"-"}, -1, "-", "", ""},
    {"DoubleDashEndsOptions", {"--", "--help"}, -1, "--help", "", ""},
    {"Help", {"Music", "--help"}, 0, "", "Usage: qomdex [DIRECTORY]\n", ""},
    {"Version", {"--version"}, 0, "", "qomdex 1.00\n", ""},
    {"UnknownOption", {"--verbose", "Music"}, 2, "", "", "qomdex: unknown option --verbose\n"},
    {"QtOptionIsUnknownToo", {"-platform", "xcb"}, 2, "", "", "qomdex: unknown option -platform"},
    {"TwoFolders", {"Music", "Films"}, 2, "", "", "qomdex: only one DIRECTORY"},
};

class WindowArgumentsTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(WindowArgumentsTest, OpensOrEndsAsTheArgumentsSay) {
  const ArgumentsCase& c = GetParam();
  std::ostringstream out;
  std::ostringstream err;
  const auto start = form::ParseWindowArguments(c.args, out, err);
  EXPECT_TRUE(out.str().starts_with(c.out)) << out.str();
  EXPECT_TRUE(err.str().starts_with(c.err)) << err.str();
  if (c.status >= 0) {
    ASSERT_TRUE(std::holds_alternative<int>(start));
    EXPECT_EQ(std::get<int>(start), c.status);
    // Every end leaves a word for the user, on the stream the status calls for.
    EXPECT_FALSE((c.status == 0 ? out : err).str().empty());
    EXPECT_TRUE((c.status == 0 ? err : out).str().empty());
    return;
  }
  ASSERT_TRUE(std::holds_alternative<form::WindowStart>(start));
  const auto& folder = std::get<form::WindowStart>(start).folder;
  EXPECT_EQ(folder ? folder->string() : "", c.folder);
  EXPECT_TRUE(out.str().empty() && err.str().empty());
}

INSTANTIATE_TEST_SUITE_P(Arguments, WindowArgumentsTest, ::testing::ValuesIn(kArgumentsCases),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qomdex::testing
