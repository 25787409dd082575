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
#include <utility>

#if defined(__linux__)
#include <mntent.h>
#elif defined(__APPLE__)
#include <sys/mount.h>
#endif

#include "location/platform.h"
#include "location/platform_test_helper.h"

namespace qomdex::platform {
namespace fs = std::filesystem;

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

using Fallback = PlatformTestHelper::Fallback;
Fallback forced_fallback = Fallback::kNone;
std::function<void()> between_steps;

void BetweenSteps() {
  if (between_steps) std::exchange(between_steps, nullptr)();
}

// Passes a directory's parents without needing to read them, as the path lookup itself does.
#if defined(O_PATH)
constexpr int kSearchOnly = O_PATH | O_DIRECTORY | O_CLOEXEC;
#elif defined(O_SEARCH)
constexpr int kSearchOnly = O_SEARCH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kSearchOnly = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
constexpr int kReadable = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// Opens a path longer than the system takes in one call one component at a time, each relative
// to the one before, so only each name's own length is limited. Returns -1 with errno set.
int OpenComponentByComponent(const std::string& path) {
  std::vector<std::string_view> components;
  for (std::size_t start = 0; start < path.size();) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) components.emplace_back(path.data() + start, end - start);
    start = end + 1;
  }
  int fd = open(path.starts_with('/') ? "/" : ".", components.empty() ? kReadable : kSearchOnly);
  for (std::size_t i = 0; i < components.size() && fd >= 0; ++i) {
    const std::string name(components[i]);
    const int next = openat(fd, name.c_str(), i + 1 == components.size() ? kReadable : kSearchOnly);
    const int error = errno;
    close(fd);
    fd = next;
    errno = error;
  }
  return fd;
}

bool IsDirectoryAt(int directory_fd, const char* name, unsigned char type) {
  if (type == DT_DIR) return true;
  if (type != DT_LNK && type != DT_UNKNOWN) return false;
  struct stat target {};
  // Follows a link to classify it by its target; a dangling link counts as a file.
  return fstatat(directory_fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
}

Identity IdentityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

// Reads an entry's status without following a link; returns 0 or the errno value.
int StatusAt(int directory_fd, const char* name, struct stat& status) {
  return fstatat(directory_fd, name, &status, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

bool HoldsIdentity(int directory_fd, const char* name, const Identity& identity) {
  struct stat status {};
  return StatusAt(directory_fd, name, status) == 0 && IdentityOf(status) == identity;
}

// Removes a name that is `identity` when that loses nothing; returns 0 or the errno value.
int RemoveResidueAt(int directory_fd, const char* name, const Identity& identity) {
  struct stat status {};
  if (const int error = StatusAt(directory_fd, name, status)) return error;
  if (IdentityOf(status) != identity) return EEXIST;
  // The system refuses to remove a folder that is not empty.
  if (S_ISDIR(status.st_mode)) return unlinkat(directory_fd, name, AT_REMOVEDIR) == 0 ? 0 : errno;
  if (status.st_size != 0 && status.st_nlink < 2) return ENOTEMPTY;
  return unlinkat(directory_fd, name, 0) == 0 ? 0 : errno;
}

// Renames with the kernel's no-replace flag; returns 0 or the errno value.
int RenameExclusive(int fd, const char* from, const char* to) {
  if (forced_fallback != Fallback::kNone) return EINVAL;
#if defined(__linux__)
  if (renameat2(fd, from, fd, to, RENAME_NOREPLACE) == 0) return 0;
#elif defined(__APPLE__)
  if (renameatx_np(fd, from, fd, to, RENAME_EXCL) == 0) return 0;
#else
  errno = ENOSYS;
#endif
  return errno;
}

bool LacksExclusiveRename(int error) {
  return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

bool LacksHardLinks(int error) {
  return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == EMLINK;
}

// A file gets its new name as a second link, which fails if the name exists, and then loses the
// old one. Each name is checked to still hold the entry right before the old one goes, so an
// entry another program put under either name meanwhile is never removed. Returns 0 or the
// errno value; ENOTSUP when the file system has no hard links.
int RenameByLink(int fd, const char* from, const char* to, const Identity& identity) {
  if (forced_fallback == Fallback::kReservation) return ENOTSUP;
  if (linkat(fd, from, fd, to, 0) != 0) return LacksHardLinks(errno) ? ENOTSUP : errno;
  BetweenSteps();
  if (!HoldsIdentity(fd, to, identity)) return EEXIST;
  // Gone or taken by another program: the entry keeps only its new name either way.
  if (!HoldsIdentity(fd, from, identity) || unlinkat(fd, from, 0) == 0) return 0;
  const int error = errno;
  RemoveResidueAt(fd, to, identity);
  return error;
}

// The new name is first reserved by an exclusive create, which fails if it exists, and the entry
// is then renamed over its own placeholder, which goes again if that fails. The placeholder is
// checked to still be ours, and empty, right before the rename replaces it.
int RenameOverReservation(int fd, const char* from, const char* to, bool is_directory,
                          RenameWitness* witness) {
  if (witness != nullptr) {
    if (const std::error_code error = witness->Reserving()) return error.value();
  }
  struct stat made {};
  if (is_directory) {
    if (mkdirat(fd, to, 0700) != 0 || fstatat(fd, to, &made, AT_SYMLINK_NOFOLLOW) != 0) {
      return errno;
    }
  } else {
    const int file = openat(fd, to, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0) return errno;
    const int error = fstat(file, &made) == 0 ? 0 : errno;
    close(file);
    if (error != 0) return error;
  }
  const Identity placeholder = IdentityOf(made);
  if (witness != nullptr) {
    if (const std::error_code error = witness->Reserved(placeholder)) {
      RemoveResidueAt(fd, to, placeholder);
      return error.value();
    }
  }
  BetweenSteps();
  struct stat now {};
  if (StatusAt(fd, to, now) != 0 || IdentityOf(now) != placeholder ||
      (!is_directory && now.st_size != 0)) {
    return EEXIST;
  }
  if (renameat(fd, from, fd, to) == 0) return 0;
  // A folder put into the placeholder folder makes it another program's.
  const int error = errno == ENOTEMPTY ? EEXIST : errno;
  RemoveResidueAt(fd, to, placeholder);
  return error;
}

int RenameWithoutExclusiveSupport(int fd, const char* from, const char* to,
                                  RenameWitness* witness) {
  struct stat source {};
  if (const int error = StatusAt(fd, from, source)) return error;
  const bool is_directory = S_ISDIR(source.st_mode);
  if (!is_directory) {
    const int error = RenameByLink(fd, from, to, IdentityOf(source));
    if (error != ENOTSUP) return error;
  }
  return RenameOverReservation(fd, from, to, is_directory, witness);
}

bool IsRealFileSystem(std::string_view source, std::string_view type) {
  static constexpr std::string_view kNetworkTypes[] = {
      "nfs", "nfs4", "cifs", "smb3", "smbfs", "ceph", "afs", "9p", "fuse.sshfs", "davfs"};
  if (source.starts_with("/dev/") && type != "devtmpfs" && type != "squashfs") return true;
  return std::find(std::begin(kNetworkTypes), std::end(kNetworkTypes), type) !=
         std::end(kNetworkTypes);
}

}  // namespace

void PlatformTestHelper::ForceFallback(Fallback fallback) { forced_fallback = fallback; }

void PlatformTestHelper::BetweenSteps(std::function<void()> act) { between_steps = std::move(act); }

Directory::Directory(const fs::path& path) : path_(path) {
  native_ = open(path.c_str(), kReadable);
  if (native_ < 0 && errno == ENAMETOOLONG) native_ = OpenComponentByComponent(path.native());
  if (native_ < 0) throw fs::filesystem_error("cannot open directory", path, LastError());
}

Directory::~Directory() {
  if (native_ >= 0) close(native_);
}

Directory::Directory(Directory&& other) noexcept
    : path_(std::move(other.path_)), native_(std::exchange(other.native_, -1)) {}

Directory& Directory::operator=(Directory&& other) noexcept {
  std::swap(path_, other.path_);
  std::swap(native_, other.native_);
  return *this;
}

std::vector<DirectoryEntry> ReadDirectory(const Directory& directory) {
  // A descriptor of its own, as the stream takes over the one it is given.
  const int stream_fd = openat(directory.native(), ".", kReadable);
  std::unique_ptr<DIR, int (*)(DIR*)> stream(stream_fd < 0 ? nullptr : fdopendir(stream_fd),
                                             closedir);
  if (!stream) {
    const std::error_code error = LastError();
    if (stream_fd >= 0) close(stream_fd);
    throw fs::filesystem_error("cannot read directory", directory.path(), error);
  }
  std::vector<DirectoryEntry> entries;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(stream.get());
    if (entry == nullptr) {
      if (errno != 0) {
        throw fs::filesystem_error("cannot read directory", directory.path(), LastError());
      }
      break;
    }
    const std::string_view name(entry->d_name);
    if (name == "." || name == ".." || NameHidesEntry(NativeString(name))) continue;
    entries.push_back({NativeString(name), IsDirectoryAt(stream_fd, entry->d_name, entry->d_type)});
  }
  return entries;
}

Identity Identify(const Directory& directory, const NativeString& name, std::error_code& error) {
  struct stat status {};
  if (const int code = StatusAt(directory.native(), name.c_str(), status)) {
    error.assign(code, std::generic_category());
    return {};
  }
  error.clear();
  return IdentityOf(status);
}

std::error_code NameTakenError() { return {EEXIST, std::generic_category()}; }

NativeString GivenName(const NativeString& name, std::error_code& error) {
  error.clear();
  return name;
}

NativeString Rename(const Directory& directory, const NativeString& from, const NativeString& to,
                    std::error_code& error, RenameWitness* witness) {
  const int fd = directory.native();
  int code = RenameExclusive(fd, from.c_str(), to.c_str());
  if (code != 0 && LacksExclusiveRename(code)) {
    code = RenameWithoutExclusiveSupport(fd, from.c_str(), to.c_str(), witness);
  }
  if (code != 0) {
    error.assign(code, std::generic_category());
    return {};
  }
  error.clear();
  return to;
}

void RemoveResidue(const Directory& directory, const NativeString& name, const Identity& identity,
                   std::error_code& error) {
  const int code = RemoveResidueAt(directory.native(), name.c_str(), identity);
  error.assign(code, std::generic_category());
}

void RemoveEmptyEntry(const Directory& directory, const NativeString& name,
                      std::error_code& error) {
  const int fd = directory.native();
  struct stat status {};
  int code = StatusAt(fd, name.c_str(), status);
  if (code == 0) {
    if (S_ISDIR(status.st_mode)) {
      // The system refuses to remove a folder that is not empty.
      code = unlinkat(fd, name.c_str(), AT_REMOVEDIR) == 0 ? 0 : errno;
    } else if (S_ISREG(status.st_mode) && status.st_size == 0) {
      code = unlinkat(fd, name.c_str(), 0) == 0 ? 0 : errno;
    } else {
      code = ENOTEMPTY;
    }
  }
  error.assign(code, std::generic_category());
}

std::string ReadWholeFile(const fs::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw fs::filesystem_error("cannot read file", path, LastError());
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const std::error_code error = LastError();
      close(fd);
      throw fs::filesystem_error("cannot read file", path, error);
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  return bytes;
}

AppendFile::AppendFile(const fs::path& path)
    : fd_(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644)) {
  struct stat status {};
  if (fd_ < 0 || fstat(fd_, &status) != 0) {
    const std::error_code error = LastError();
    if (fd_ >= 0) close(fd_);
    throw fs::filesystem_error("cannot create file", path, error);
  }
  identity_ = IdentityOf(status);
}

AppendFile::~AppendFile() { close(fd_); }

std::error_code AppendFile::Append(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return LastError();
    if (written == 0) return std::make_error_code(std::errc::no_space_on_device);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

std::error_code AppendFile::Sync() noexcept {
  if (fsync(fd_) == 0) return {};
  return LastError();
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
