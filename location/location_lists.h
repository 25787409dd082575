#pragma once

#include <filesystem>

#include "location/directory_list.h"
#include "location/drive_list.h"
#include "location/file_list.h"

namespace qomdex {

// The five lists of the window, wired so that they always stand on the directory Dir1 shows:
// a drive change moves Dir1 and Dir2 to the drive, a change of Dir1 moves File1, File2 and Dir2
// after it. Dir2 and File2 are hidden mirrors that the passes re-read for their collision checks.
class LocationLists {
 public:
  // sort_key orders every list's entries (ties by the exact name).
  explicit LocationLists(const SortKey& sort_key);
  LocationLists(const LocationLists&) = delete;
  LocationLists& operator=(const LocationLists&) = delete;

  DriveList& Drive1() { return drive1_; }
  DirectoryList& Dir1() { return dir1_; }
  FileList& File1() { return file1_; }
  DirectoryList& Dir2() { return dir2_; }
  FileList& File2() { return file2_; }
  // Return the visible list (Dir1, File1) or the mirror (Dir2, File2) of a kind of entry.
  EntryList& Visible(EntryKind kind) {
    return kind == EntryKind::kFolder ? static_cast<EntryList&>(dir1_) : file1_;
  }
  EntryList& Mirror(EntryKind kind) {
    return kind == EntryKind::kFolder ? static_cast<EntryList&>(dir2_) : file2_;
  }

  // Has every list read its directory through `runner` from now on.
  void SetReadingRunner(const ReadingRunner& runner);

  // Stands all five lists on the start location. Reads the disk; throws like ChooseDrive.
  void Load();

  // Selects a drive, which moves the other lists to its root. Reads the disk; throws
  // std::filesystem::filesystem_error when a directory cannot be read, and then every list
  // stays where it was.
  void ChooseDrive(const std::filesystem::path& drive);

  // Moves Dir1, and after it the other lists, to a directory. Reads the disk; throws like
  // ChooseDrive, and then every list stays where it was.
  void OpenDirectory(const std::filesystem::path& directory);

  // Moves Dir1, and after it the other lists, to a folder the user named (a file: its folder),
  // and selects the drive that holds it. Reads the disk; throws like ChooseDrive, and then every
  // list stays where it was.
  void OpenOn(const std::filesystem::path& given);

 private:
  struct Saved {
    std::filesystem::path drive;
    EntryList::State dir1, file1, dir2, file2;
  };

  // Runs a write; if it throws, every list is put back as it was before the write began.
  template <typename Write>
  void AllOrNothing(Write&& write);

  DriveList drive1_;
  DirectoryList dir1_;
  FileList file1_;
  DirectoryList dir2_;
  FileList file2_;
};

}  // namespace qomdex
