#include "location/location_lists.h"

#include <initializer_list>

#include "location/platform.h"

namespace qomdex {

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

void LocationLists::OpenDirectory(const std::filesystem::path& directory) {
  AllOrNothing([&] { dir1_.SetPath(directory); });
}

}  // namespace qomdex
