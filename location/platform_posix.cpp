#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <set>
#include <string_view>

#if defined(__linux__)
#include <mntent.h>
#elif defined(__APPLE__)
#include <sys/mount.h>
#endif

#include "location/platform.h"

namespace qomdex::platform {
namespace fs = std::filesystem;

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

bool IsDirectoryAt(int directory_fd, const char* name, unsigned char type) {
  if (type == DT_DIR) return true;
  if (type != DT_LNK && type != DT_UNKNOWN) return false;
  struct stat target {};
  // Follows a link to classify it by its target; a dangling link counts as a file.
  return fstatat(directory_fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
}

// Renames with the kernel's no-replace flag; returns 0 or the errno value.
int RenameExclusive(const fs::path& from, const fs::path& to) {
#if defined(__linux__)
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
#elif defined(__APPLE__)
  if (renamex_np(from.c_str(), to.c_str(), RENAME_EXCL) == 0) return 0;
#else
  errno = ENOSYS;
#endif
  return errno;
}

bool LacksExclusiveRename(int error) {
  return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

// For file systems without the no-replace flag. A file is linked to its new name, which fails if
// that name exists, and then the old link is removed. A folder, or a file on a file system
// without hard links, is renamed only after checking that the target is absent.
int RenameWithoutExclusiveSupport(const fs::path& from, const fs::path& to) {
  struct stat source {};
  if (lstat(from.c_str(), &source) != 0) return errno;
  if (!S_ISDIR(source.st_mode)) {
    if (link(from.c_str(), to.c_str()) == 0) {
      if (unlink(from.c_str()) == 0) return 0;
      const int error = errno;
      unlink(to.c_str());
      return error;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != EMLINK) return errno;
  }
  struct stat target {};
  if (lstat(to.c_str(), &target) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool IsRealFileSystem(std::string_view source, std::string_view type) {
  static constexpr std::string_view kNetworkTypes[] = {
      "nfs", "nfs4", "cifs", "smb3", "smbfs", "ceph", "afs", "9p", "fuse.sshfs", "davfs"};
  if (source.starts_with("/dev/") && type != "devtmpfs" && type != "squashfs") return true;
  return std::find(std::begin(kNetworkTypes), std::end(kNetworkTypes), type) !=
         std::end(kNetworkTypes);
}

}  // namespace

std::vector<DirectoryEntry> ReadDirectory(const fs::path& directory) {
  std::unique_ptr<DIR, int (*)(DIR*)> stream(opendir(directory.c_str()), closedir);
  if (!stream) throw fs::filesystem_error("cannot read directory", directory, LastError());
  const int directory_fd = dirfd(stream.get());
  std::vector<DirectoryEntry> entries;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(stream.get());
    if (entry == nullptr) {
      if (errno != 0) throw fs::filesystem_error("cannot read directory", directory, LastError());
      break;
    }
    const std::string_view name(entry->d_name);
    if (name == "." || name == ".." || NameHidesEntry(NativeString(name))) continue;
    entries.push_back(
        {NativeString(name), IsDirectoryAt(directory_fd, entry->d_name, entry->d_type)});
  }
  return entries;
}

fs::path Rename(const fs::path& from, const fs::path& to, std::error_code& error) {
  int code = RenameExclusive(from, to);
  if (code != 0 && LacksExclusiveRename(code)) code = RenameWithoutExclusiveSupport(from, to);
  if (code != 0) {
    error.assign(code, std::generic_category());
    return {};
  }
  error.clear();
  return to;
}

std::vector<fs::path> ListDrives() {
  std::set<fs::path> mount_points;
#if defined(__linux__)
  if (FILE* table = setmntent("/proc/self/mounts", "r")) {
    while (const mntent* mount = getmntent(table)) {
      if (IsRealFileSystem(mount->mnt_fsname, mount->mnt_type)) mount_points.insert(mount->mnt_dir);
    }
    endmntent(table);
  }
#elif defined(__APPLE__)
  struct statfs* mounts = nullptr;
  const int count = getmntinfo(&mounts, MNT_NOWAIT);
  for (int i = 0; i < count; ++i) {
    if ((mounts[i].f_flags & MNT_LOCAL) == 0 ||
        std::string_view(mounts[i].f_mntfromname).starts_with("/dev/")) {
      mount_points.insert(mounts[i].f_mntonname);
    }
  }
#endif
  std::vector<fs::path> drives{StartLocation()};
  for (const fs::path& mount_point : mount_points) {
    if (mount_point != drives.front()) drives.push_back(mount_point);
  }
  return drives;
}

fs::path StartLocation() { return "/"; }

bool NameHidesEntry(const NativeString& name) { return !name.empty() && name.front() == '.'; }

}  // namespace qomdex::platform
