#pragma once

#include <filesystem>
#include <functional>
#include <vector>

namespace qomdex {

// The system's drives (mount points off Windows) and the one selected. A drive's text is its
// root path, which a directory list accepts.
class DriveList {
 public:
  // Reads the system's drives.
  DriveList();

  const std::vector<std::filesystem::path>& drives() const { return drives_; }
  // Returns the selected drive's text; empty until a drive is first selected.
  const std::filesystem::path& drive() const { return drive_; }

  // Selects a drive and, when it differs from before, raises the change callback before
  // returning; whatever the callback throws goes on to the caller.
  void SetDrive(const std::filesystem::path& drive);

  // Re-reads the system's drives; the selection stays.
  void Refresh();

  // Puts the selection back without raising the change callback (undoing a failed move).
  void Restore(std::filesystem::path drive) { drive_ = std::move(drive); }

  // Sets the one callback raised after each change of the selection.
  void OnChange(std::function<void()> callback) { on_change_ = std::move(callback); }

 private:
  std::vector<std::filesystem::path> drives_;
  std::filesystem::path drive_;
  std::function<void()> on_change_;
};

}  // namespace qomdex
