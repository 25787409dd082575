// The window's undo after the volume it renamed on was unmounted and mounted again, as a stick
// pulled out and put back is: every entry left as the pass made it goes back, and an entry
// another program put under a new name is left alone and reported. Run by the file-system
// matrix with QOMDEX_TEST_DIR (an empty folder on the mounted volume) and QOMDEX_REMOUNT (a shell
// command that unmounts and mounts it again); skipped without them.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "location/text_encoding.h"
#include "tests/form/fake_view.h"
#include "ui/form/qomde.h"

namespace qomdex::testing {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& content) { std::ofstream(file) << content; }

std::string Read(const fs::path& file) {
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(RemountUndoTest, PutsBackEveryUntouchedEntryAndLeavesAStrangerAlone) {
  const char* volume = std::getenv("QOMDEX_TEST_DIR");
  const char* remount = std::getenv("QOMDEX_REMOUNT");
  if (volume == nullptr || remount == nullptr) GTEST_SKIP() << "no volume to remount given";
  const fs::path dir = fs::path(volume) / "window";
  fs::create_directories(dir);
  for (const char* name : {"01 a.txt", "02 b.txt", "03 c", "04 empty"}) {
    Write(dir / name, name == std::string("04 empty") ? "" : name);
  }

  FakeView view;
  form::qomde window(view, form::PassProgress::Clock::now);
  window.FormLoad();
  ASSERT_TRUE(view.Open(window, dir));
  window.Command1Click();
  ASSERT_TRUE(fs::exists(dir / "b.txt"));

  ASSERT_EQ(std::system(remount), 0) << remount;
  // The user moves one renamed file away and puts their own, with a time of its own, in its place.
  fs::rename(dir / "b.txt", dir / "moved.txt");
  Write(dir / "b.txt", "the user's");
  fs::last_write_time(dir / "b.txt", fs::file_time_type::clock::now() - std::chrono::hours(24));
  window.UndoLastPass();

  EXPECT_EQ(Read(dir / "01 a.txt"), "01 a.txt");
  EXPECT_EQ(Read(dir / "03 c"), "03 c");
  EXPECT_TRUE(fs::exists(dir / "04 empty"));
  EXPECT_EQ(Read(dir / "b.txt"), "the user's");
  EXPECT_EQ(Read(dir / "moved.txt"), "02 b.txt");
  EXPECT_FALSE(fs::exists(dir / "02 b.txt"));
  ASSERT_EQ(view.messages.size(), 1u);
  // Where a remount renumbers entries, nothing tells the user's file from the renamed one changed.
  const std::string kind = std::getenv("QOMDEX_FS_KIND") ? std::getenv("QOMDEX_FS_KIND") : "";
  const bool renumbered = kind == "fat" || kind == "exfat" || kind == "ntfs" || kind == "sshfs";
  EXPECT_NE(Narrow(view.messages.front())
                .find(renumbered ? "b.txt changed since the rename, and on this file system a "
                                   "changed entry cannot be told from another"
                                 : "b.txt is no longer the entry renamed"),
            std::string::npos)
      << Narrow(view.messages.front());
}

}  // namespace
}  // namespace qomdex::testing
