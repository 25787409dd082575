#include "location/location_lists.h"

#include <algorithm>
#include <initializer_list>

#include "location/platform.h"

namespace qomdex {
namespace {

// Returns the drive whose root holds `folder`, the innermost where mount points nest; none when
// no drive holds it (a share off Windows' drive letters).
std::filesystem::path DriveHolding(const std::vector<std::filesystem::path>& drives,
                                   const std::filesystem::path& folder) {
  std::filesystem::path holding;
  std::size_t depth = 0;
  for (const std::filesystem::path& drive : drives) {
    const std::size_t parts = static_cast<std::size_t>(std::distance(drive.begin(), drive.end()));
    const auto [in_drive, in_folder] =
        std::mismatch(drive.begin(), drive.end(), folder.begin(), folder.end());
    if (in_drive == drive.end() && parts > depth) {
      holding = drive;
      depth = parts;
    }
  }
  return holding;
}

}  // namespace

LocationLists::LocationLists(const SortKey& sort_key)
    : dir1_(sort_key), file1_(sort_key), dir2_(sort_key), file2_(sort_key) {
  // Dir1's one reading of a directory gives File1 its files, and a mirror moved together with
  // its visible list takes that list's snapshot: a second listing of the same directory at the
  // same moment would only cost the time again.
  drive1_.OnChange([this] {
    dir1_.SetPath(drive1_.drive());
    dir2_.Restore(dir1_.state());
  });
  dir1_.OnChange([this](const EntryList::State& files) {
    file1_.Restore(files);
    file2_.Restore(files);
    dir2_.Restore(dir1_.state());
  });
}

void LocationLists::SetReadingRunner(const ReadingRunner& runner) {
  for (EntryList* list : std::initializer_list<EntryList*>{&dir1_, &file1_, &dir2_, &file2_}) {
    list->SetReadingRunner(runner);
  }
}

template <typename Write>
void LocationLists::AllOrNothing(Write&& write) {
  const Saved saved{drive1_.drive(), dir1_.state(), file1_.state(), dir2_.state(), file2_.state()};
  try {
    write();
  } catch (...) {
    drive1_.Restore(saved.drive);
    dir1_.Restore(saved.dir1);
    file1_.Restore(saved.file1);
    dir2_.Restore(saved.dir2);
    file2_.Restore(saved.file2);
    throw;
  }
}

void LocationLists::Load() {
  AllOrNothing([this] {
    const std::filesystem::path start = platform::StartLocation();
    drive1_.SetDrive(start);
    dir1_.SetPath(start);
    dir2_.SetPath(start);
    file1_.SetPath(start);
  });
}

void LocationLists::ChooseDrive(const std::filesystem::path& drive) {
  AllOrNothing([&] { drive1_.SetDrive(drive); });
}

void LocationLists::OpenOn(const std::filesystem::path& given) {
  const std::filesystem::path folder = platform::FolderToOpen(given);
  AllOrNothing([&] {
    // The drive is selected without its own move to the drive's root, which Dir1 then leaves.
    drive1_.Restore(DriveHolding(drive1_.drives(), folder));
    dir1_.SetPath(folder);
  });
}

void LocationLists::OpenDirectory(const std::filesystem::path& directory) {
  AllOrNothing([&] { dir1_.SetPath(directory); });
}

}  // namespace qomdex
