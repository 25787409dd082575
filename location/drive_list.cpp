#include "location/drive_list.h"

#include "location/platform.h"

namespace qomdex {

DriveList::DriveList() : drives_(platform::ListDrives()) {}

void DriveList::SetDrive(const std::filesystem::path& drive) {
  if (drive == drive_) return;
  drive_ = drive;
  if (on_change_) on_change_();
}

void DriveList::Refresh() { drives_ = platform::ListDrives(); }

}  // namespace qomdex
