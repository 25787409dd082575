#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <random>
#include <set>
#include <string_view>
#include <utility>

#if defined(__linux__)
#include <mntent.h>
#elif defined(__APPLE__)
#include <sys/mount.h>
#endif

#include "location/join_path.h"
#include "location/native_calls.h"
#include "location/platform.h"

namespace qomdex::platform {
namespace fs = std::filesystem;

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Returns no error when the system call succeeded, else the reason it left in errno.
std::error_code Checked(bool succeeded) { return succeeded ? std::error_code() : LastError(); }

// Passes a directory's parents without needing to read them, as the path lookup itself does.
#if defined(O_PATH)
constexpr int kSearchOnly = O_PATH | O_DIRECTORY | O_CLOEXEC;
#elif defined(O_SEARCH)
constexpr int kSearchOnly = O_SEARCH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kSearchOnly = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
constexpr int kReadable = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

#if defined(__linux__)
// The types statfs gives the file systems that number entries anew at each mount, named here
// since not every system's headers name them all.
constexpr unsigned long kFuseMagic = 0x65735546;
constexpr unsigned long kFatMagic = 0x4d44;
constexpr unsigned long kExfatMagic = 0x2011BAB0;
constexpr unsigned long kSmbMagic = 0x517B;
constexpr unsigned long kCifsMagic = 0xFF534D42;
constexpr unsigned long kSmb2Magic = 0xFE534D42;

// Asks statx for a mount ID that is never reused while the system runs (Linux 6.8); older
// kernels leave it out of the answer, and the mount is then unknown.
constexpr unsigned kStatxUniqueMount = 0x4000;
#endif

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

// What one look at an entry tells: its identity, and its link count for the link fallback.
struct Look {
  Identity identity;
  std::uint64_t links = 0;
};

Identity::Type TypeOf(mode_t mode) {
  if (S_ISREG(mode)) return Identity::Type::kFile;
  if (S_ISDIR(mode)) return Identity::Type::kFolder;
  if (S_ISLNK(mode)) return Identity::Type::kLink;
  return Identity::Type::kOther;
}

std::int64_t Nanoseconds(std::int64_t seconds, std::int64_t nanoseconds) {
  return seconds * 1'000'000'000 + nanoseconds;
}

Identity IdentityOf(const struct stat& status, bool numbers_durable) {
#if defined(__APPLE__)
  const struct timespec& modified = status.st_mtimespec;
#else
  const struct timespec& modified = status.st_mtim;
#endif
  Identity identity;
  identity.device = static_cast<std::uint64_t>(status.st_dev);
  identity.file = static_cast<std::uint64_t>(status.st_ino);
  identity.size = static_cast<std::uint64_t>(status.st_size);
  identity.modified = Nanoseconds(modified.tv_sec, modified.tv_nsec);
  identity.type = TypeOf(status.st_mode);
  identity.numbers_durable = numbers_durable;
  return identity;
}

// Looks at an entry without following a link; returns the reason on failure. Where the system
// has statx, the same call gives the birth time and the mount, so a look costs no more than a
// stat. `fresh`: asks the file system itself, past what the kernel keeps of a FUSE or network
// entry, for a look that decides whether the entry may be replaced or removed.
std::error_code LookAt(int directory_fd, const char* name, bool numbers_durable, Look& look,
                       bool fresh = false) {
#if defined(__linux__) && defined(STATX_BTIME)
  struct statx status {};
  constexpr unsigned kMask = STATX_TYPE | STATX_INO | STATX_SIZE | STATX_MTIME | STATX_BTIME |
                             STATX_NLINK | kStatxUniqueMount;
  const int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | (fresh ? AT_STATX_FORCE_SYNC : 0);
  if (statx(directory_fd, name, flags, kMask, &status) != 0) return LastError();
  Identity& identity = look.identity;
  identity = {};
  identity.device = makedev(status.stx_dev_major, status.stx_dev_minor);
  identity.file = status.stx_ino;
  identity.size = status.stx_size;
  identity.modified = Nanoseconds(status.stx_mtime.tv_sec, status.stx_mtime.tv_nsec);
  if (status.stx_mask & STATX_BTIME) {
    identity.born = Nanoseconds(status.stx_btime.tv_sec, status.stx_btime.tv_nsec);
  }
  if (status.stx_mask & kStatxUniqueMount) identity.mount = status.stx_mnt_id;
  identity.type = TypeOf(status.stx_mode);
  identity.numbers_durable = numbers_durable;
  look.links = status.stx_nlink;
#else
  (void)fresh;
  struct stat status {};
  if (fstatat(directory_fd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) return LastError();
  look.identity = IdentityOf(status, numbers_durable);
  look.links = static_cast<std::uint64_t>(status.st_nlink);
#endif
  return {};
}

// What a rename checks of an entry or a folder besides the permission bits: its owner, its
// sticky bit, and whether it may be changed at all.
struct Guard {
  uid_t owner = 0;
  bool sticky = false;
  bool unchangeable = false;  // immutable or append-only
};

// Looks at the guard of `name` in the directory (of the directory itself when `name` is empty),
// not following a link; returns false when it cannot.
bool GuardOf(int directory_fd, const char* name, Guard& guard) {
#if defined(__linux__) && defined(STATX_ATTR_IMMUTABLE)
  struct statx status {};
  const int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | (*name == '\0' ? AT_EMPTY_PATH : 0);
  if (statx(directory_fd, name, flags, STATX_MODE | STATX_UID, &status) != 0) return false;
  guard.owner = status.stx_uid;
  guard.sticky = (status.stx_mode & S_ISVTX) != 0;
  guard.unchangeable = (status.stx_attributes & (STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND)) != 0;
#else
  struct stat status {};
  if (*name == '\0' ? fstat(directory_fd, &status) != 0
                    : fstatat(directory_fd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
    return false;
  }
  guard.owner = status.st_uid;
  guard.sticky = (status.st_mode & S_ISVTX) != 0;
#if defined(__APPLE__)
  guard.unchangeable =
      (status.st_flags & (UF_IMMUTABLE | SF_IMMUTABLE | UF_APPEND | SF_APPEND)) != 0;
#endif
#endif
  return true;
}

std::error_code LookAt(const Directory& directory, const NativeString& name, Look& look,
                       bool fresh = false) {
  return LookAt(directory.descriptor(), name.c_str(), directory.numbers_durable(), look, fresh);
}

}  // namespace

std::error_code RemoveLosingNothing(const Directory& directory, const NativeString& name,
                                    const Identity* identity) {
  Look look;
  if (const std::error_code error = LookAt(directory, name, look, true)) return error;
  if (identity != nullptr && !SameEntry(*identity, look.identity)) return NameTakenError();
  const int fd = directory.descriptor();
  if (look.identity.type == Identity::Type::kFolder) {
    const std::error_code error = Checked(unlinkat(fd, name.c_str(), AT_REMOVEDIR) == 0);
    return error == std::errc::file_exists ? std::make_error_code(std::errc::directory_not_empty)
                                           : error;
  }
  const bool empty_file = look.identity.type == Identity::Type::kFile && look.identity.size == 0;
  if (!empty_file && (identity == nullptr || look.links < 2)) {
    return std::make_error_code(std::errc::directory_not_empty);
  }
  return Checked(unlinkat(fd, name.c_str(), 0) == 0);
}

namespace {

bool LacksExclusiveRename(std::error_code error) {
  return error == std::errc::invalid_argument || error == std::errc::function_not_supported ||
         error == std::errc::not_supported || error == std::errc::operation_not_supported;
}

bool LacksHardLinks(std::error_code error) {
  return error == std::errc::operation_not_permitted || error == std::errc::not_supported ||
         error == std::errc::operation_not_supported || error == std::errc::too_many_links;
}

// A lease's breaking is told by SIGIO, which would end the process: it is ignored unless the
// program handles it itself. Nothing needs telling: the lease is asked before it matters.
void IgnoreLeaseBreakSignal() {
  static const bool ignored = [] {
    struct sigaction current {};
    if (sigaction(SIGIO, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
      signal(SIGIO, SIG_IGN);
    }
    return true;
  }();
  (void)ignored;
}

// Puts a write lease on the placeholder file just made and returns it, held open: while the lease
// holds, another program's opening of it waits, and marks the lease as broken. A lease refused
// because the file is open elsewhere already keeps it open unleased, which reads as broken. Where
// the file system or the user's rights allow no lease, closes it and returns -1 (so does it for
// -1, a folder), and the looks alone guard the placeholder.
int LeasedPlaceholder(int file) {
  if (file < 0) return -1;
#if defined(F_SETLEASE)
  IgnoreLeaseBreakSignal();
  if (fcntl(file, F_SETLEASE, F_WRLCK) == 0 || errno == EAGAIN) return file;
#endif
  close(file);
  return -1;
}

// Returns true when another program has the placeholder open, or is opening it, so that renaming
// over it or removing it would send that program's writes to a file without a name.
bool ClaimedByAnother(const Placeholder& placeholder) {
#if defined(F_SETLEASE)
  const int file = static_cast<int>(placeholder.handle());
  return file >= 0 && fcntl(file, F_GETLEASE) != F_WRLCK;
#else
  (void)placeholder;
  return false;
#endif
}

// The reservation path's answer for a file system whose links cannot be trusted.
constexpr std::errc kLinksUnusable = std::errc::not_supported;

// Returns a name no entry of the directory has, hidden and unlikely for any program to choose, for
// an entry to be moved out of another program's reach. On failure sets `error`.
NativeString PrivateName(const Directory& directory, std::error_code& error) {
  static std::mt19937_64 numbers{std::random_device{}()};
  static std::mutex numbers_mutex;
  for (;;) {
    std::uint64_t number = 0;
    {
      const std::lock_guard lock(numbers_mutex);
      number = numbers();
    }
    char name[32];
    std::snprintf(name, sizeof name, ".qomdex-%016llx", static_cast<unsigned long long>(number));
    Look taken;
    error = LookAt(directory, name, taken);
    if (error == std::errc::no_such_file_or_directory) {
      error.clear();
      return name;
    }
    if (error) return {};
  }
}

// Takes the old name `from` from the file `source`, which has its new name too by now. The name
// is not removed where it is, since another program may put an entry of its own there at any
// instant: it is moved to a private name first, which takes whatever holds it, and removed there
// only if it is the file. Another program's entry found there is given its name back. The
// witness, if any, records the private name first, for an undo to find should a kill come.
std::error_code DropOldName(SystemCalls& calls, const Directory& directory,
                            const NativeString& from, const Look& source, RenameWitness* witness) {
  std::error_code error;
  const NativeString aside = PrivateName(directory, error);
  if (error) return error;
  if (witness != nullptr && (error = witness->SettingAside(aside))) return error;
  if ((error = calls.RenameReplacing(directory, from, aside))) {
    // Gone already, or taken and gone again: the file keeps only its new name either way.
    return error == std::errc::no_such_file_or_directory ? std::error_code() : error;
  }
  const int fd = directory.descriptor();
  Look moved;
  if (!LookAt(directory, aside, moved, true) && SameNumbers(moved.identity, source.identity)) {
    error = Checked(unlinkat(fd, aside.c_str(), 0) == 0);
    if (error) renameat(fd, aside.c_str(), fd, from.c_str());
    return error;
  }
  // Another program's: its name back by a link, which replaces nothing, or by a rename while the
  // name is free. The file itself has only its new name now.
  if (linkat(fd, aside.c_str(), fd, from.c_str(), 0) == 0) {
    unlinkat(fd, aside.c_str(), 0);
  } else if (Look there; LookAt(directory, from, there) == std::errc::no_such_file_or_directory) {
    renameat(fd, aside.c_str(), fd, from.c_str());
  }
  return {};
}

// A file gets its new name as a second link, which fails if the name exists, and then loses the
// old one. The link counts must show that both names now hold the one file: where they do not
// (sshfs numbers each path, and counts no links), the new name is still the link just made,
// since the link refused an existing name, and it goes again for the reservation path to take
// over. An entry another program put under either name meanwhile is never removed. Returns the
// reason on failure; kLinksUnusable when the file system has no hard links or none it confirms.
std::error_code RenameByLink(SystemCalls& calls, const Directory& directory,
                             const NativeString& from, const NativeString& to, const Look& source,
                             RenameWitness* witness) {
  if (const std::error_code error = calls.Link(directory, from, to)) {
    return LacksHardLinks(error) ? std::make_error_code(kLinksUnusable) : error;
  }
  Look made;
  const std::error_code made_error = LookAt(directory, to, made);
  const bool made_is_entry = !made_error && SameNumbers(made.identity, source.identity);
  if (made_is_entry && made.links > source.links) {
    const std::error_code error = DropOldName(calls, directory, from, source, witness);
    if (error) RemoveLosingNothing(directory, to, &made.identity);
    return error;
  }
  // Unconfirmed. Where the file system numbers each path, the new name shows the very file, its
  // content and times unchanged; anything else there is another program's.
  const bool per_path_numbers = !made_error && !made_is_entry && made.links == source.links &&
                                made.identity.type == source.identity.type &&
                                made.identity.size == source.identity.size &&
                                made.identity.modified == source.identity.modified;
  if (!made_is_entry && !per_path_numbers) return NameTakenError();
  // Another program took the old name meanwhile: the new one is all the entry has.
  Look old;
  if (LookAt(directory, from, old, true) || !SameNumbers(old.identity, source.identity)) return {};
  if (const std::error_code error = Checked(unlinkat(directory.descriptor(), to.c_str(), 0) == 0)) {
    return error;
  }
  return std::make_error_code(kLinksUnusable);
}

// The new name is first reserved by an exclusive create, which fails if it exists, and the entry
// is then renamed over its own placeholder, which goes again if that fails, unless another
// program has opened it meanwhile: then it is that program's to write into.
std::error_code RenameOverReservation(SystemCalls& calls, const Directory& directory,
                                      const NativeString& from, const NativeString& to,
                                      bool is_directory, RenameWitness* witness) {
  if (witness != nullptr) {
    if (const std::error_code error = witness->Reserving()) return error;
  }
  std::error_code error;
  const Placeholder placeholder = calls.Reserve(directory, to, is_directory, error);
  if (error) {
    if (witness != nullptr) witness->NotReserved();
    return error;
  }
  if (witness != nullptr) error = witness->Reserved(placeholder.identity());
  if (!error) error = calls.RenameOverPlaceholder(directory, from, to, placeholder);
  if (error && !ClaimedByAnother(placeholder)) {
    RemoveLosingNothing(directory, to, &placeholder.identity());
  }
  return error;
}

std::error_code RenameWithoutExclusiveSupport(SystemCalls& calls, const Directory& directory,
                                              const NativeString& from, const NativeString& to,
                                              RenameWitness* witness, bool& links_unverifiable) {
  Look source;
  if (const std::error_code error = LookAt(directory, from, source)) return error;
  const bool is_directory = source.identity.type == Identity::Type::kFolder;
  if (!is_directory && !links_unverifiable) {
    const std::error_code error = RenameByLink(calls, directory, from, to, source, witness);
    if (error != kLinksUnusable) return error;
    links_unverifiable = true;
  }
  return RenameOverReservation(calls, directory, from, to, is_directory, witness);
}

// Returns false for the file systems that hand out entry numbers anew at each mount (FAT and
// exFAT number entries by their place, FUSE file systems by the order they are looked up,
// SMB clients by their own count).
bool KeepsNumbersAcrossMounts(int directory_fd) {
#if defined(__linux__)
  struct statfs volume {};
  if (fstatfs(directory_fd, &volume) != 0) return true;
  constexpr unsigned long kVolatile[] = {kFuseMagic, kFatMagic,  kExfatMagic,
                                         kSmbMagic,  kCifsMagic, kSmb2Magic};
  const auto type = static_cast<unsigned long>(volume.f_type);
  return std::find(std::begin(kVolatile), std::end(kVolatile), type) == std::end(kVolatile);
#else
  (void)directory_fd;
  return true;
#endif
}

bool IsRealFileSystem(std::string_view source, std::string_view type) {
  static constexpr std::string_view kNetworkTypes[] = {
      "nfs", "nfs4", "cifs", "smb3", "smbfs", "ceph", "afs", "9p", "fuse.sshfs", "davfs"};
  if (source.starts_with("/dev/") && type != "devtmpfs" && type != "squashfs") return true;
  return std::find(std::begin(kNetworkTypes), std::end(kNetworkTypes), type) !=
         std::end(kNetworkTypes);
}

}  // namespace

namespace {

DirectoryHandle Opened(int descriptor) {
  return {descriptor, {}, KeepsNumbersAcrossMounts(descriptor)};
}

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

DirectoryHandle NativeCalls::Open(const fs::path& path) {
  int descriptor = open(path.c_str(), kReadable);
  if (descriptor < 0 && errno == ENAMETOOLONG) descriptor = OpenComponentByComponent(path.native());
  if (descriptor < 0) throw fs::filesystem_error("cannot open directory", path, LastError());
  return Opened(descriptor);
}

DirectoryHandle NativeCalls::OpenFolder(const Directory& parent, const NativeString& name) {
  const int descriptor = openat(parent.descriptor(), name.c_str(), kReadable | O_NOFOLLOW);
  if (descriptor >= 0) return Opened(descriptor);
  std::error_code error = LastError();
  // The system answers "not a directory" for a link too; it is told apart, as a link is refused.
  struct stat status {};
  if (error == std::errc::not_a_directory &&
      fstatat(parent.descriptor(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
      S_ISLNK(status.st_mode)) {
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  }
  throw fs::filesystem_error("cannot open directory", JoinPath(parent.path(), name), error);
}

std::vector<DirectoryEntry> NativeCalls::ReadDirectory(const Directory& directory) {
  // A descriptor of its own, as the stream takes over the one it is given.
  const int stream_fd = openat(directory.descriptor(), ".", kReadable);
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

Identity NativeCalls::Identify(const Directory& directory, const NativeString& name,
                               std::error_code& error) {
  Look look;
  error = LookAt(directory, name, look);
  return error ? Identity() : look.identity;
}

Identity NativeCalls::IdentifyDirectory(const Directory& directory, std::error_code& error) {
  return Identify(directory, ".", error);
}

std::error_code NativeCalls::RenameNoReplace(const Directory& directory, const NativeString& from,
                                             const NativeString& to) {
  const int fd = directory.descriptor();
#if defined(__linux__)
  return Checked(renameat2(fd, from.c_str(), fd, to.c_str(), RENAME_NOREPLACE) == 0);
#elif defined(__APPLE__)
  return Checked(renameatx_np(fd, from.c_str(), fd, to.c_str(), RENAME_EXCL) == 0);
#else
  (void)fd;
  return std::make_error_code(std::errc::function_not_supported);
#endif
}

std::error_code NativeCalls::Link(const Directory& directory, const NativeString& from,
                                  const NativeString& to) {
  const int fd = directory.descriptor();
  return Checked(linkat(fd, from.c_str(), fd, to.c_str(), 0) == 0);
}

std::error_code NativeCalls::RenameReplacing(const Directory& directory, const NativeString& from,
                                             const NativeString& to) {
  const int fd = directory.descriptor();
  return Checked(renameat(fd, from.c_str(), fd, to.c_str()) == 0);
}

Placeholder NativeCalls::Reserve(const Directory& directory, const NativeString& name, bool folder,
                                 std::error_code& error) {
  const int fd = directory.descriptor();
  int file = -1;
  if (folder) {
    error = Checked(mkdirat(fd, name.c_str(), 0700) == 0);
  } else {
    file = openat(fd, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    error = Checked(file >= 0);
  }
  if (error) return {};
  const int held = LeasedPlaceholder(file);
  // Looked at by its name, which only the placeholder can hold this instant short of another
  // program's deliberate swap; the look before the rename over it catches any later one.
  Look made;
  error = LookAt(directory, name, made);
  return {made.identity, held};
}

Placeholder::~Placeholder() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

std::error_code NativeCalls::RenameOverPlaceholder(const Directory& directory,
                                                   const NativeString& from, const NativeString& to,
                                                   const Placeholder& placeholder) {
  Look now;
  if (LookAt(directory, to, now, true) || !SameNumbers(now.identity, placeholder.identity()) ||
      (placeholder.identity().type != Identity::Type::kFolder && now.identity.size != 0) ||
      ClaimedByAnother(placeholder)) {
    return NameTakenError();
  }
  const int fd = directory.descriptor();
  const std::error_code error = Checked(renameat(fd, from.c_str(), fd, to.c_str()) == 0);
  // A folder put into the placeholder folder makes it another program's.
  return error == std::errc::directory_not_empty ? NameTakenError() : error;
}

std::error_code NativeCalls::Append(const AppendFile& file, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(Descriptor(file.handle()), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return LastError();
    if (written == 0) return std::make_error_code(std::errc::no_space_on_device);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

std::error_code NativeCalls::Sync(const AppendFile& file) noexcept {
  if (fsync(Descriptor(file.handle())) == 0) return {};
  return LastError();
}

SystemCalls& SystemCalls::Native() {
  static NativeCalls calls;
  return calls;
}

Directory::~Directory() {
  if (descriptor() >= 0) close(descriptor());
}

const std::int64_t kTicksPerSecond = 1'000'000'000;

std::int64_t CurrentTime() {
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now.tv_sec, now.tv_nsec);
}

std::error_code NameTakenError() { return {EEXIST, std::generic_category()}; }

bool IsMissingDirectory(const std::error_code& error) {
  return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
}

NativeString GivenName(const NativeString& name, std::error_code& error) {
  error.clear();
  return name;
}

NativeString Rename(const Directory& directory, const NativeString& from, const NativeString& to,
                    std::error_code& error, RenameWitness* witness) {
  SystemCalls& calls = directory.calls();
  error = calls.RenameNoReplace(directory, from, to);
  if (LacksExclusiveRename(error)) {
    error = RenameWithoutExclusiveSupport(calls, directory, from, to, witness,
                                          directory.links_unverifiable_);
  }
  return error ? NativeString() : to;
}

RenameOutlook ForeseeRenames(const Directory& directory) {
  RenameOutlook outlook;
  const int fd = directory.descriptor();
  // A read-only mount refuses a rename before the system looks at any name.
  struct statvfs volume {};
  if (fstatvfs(fd, &volume) == 0 && (volume.f_flag & ST_RDONLY) != 0) {
    outlook.refusal = {EROFS, std::generic_category()};
    return outlook;
  }
  // Write and search permission on the folder, by the effective ids and any access list, as the
  // rename asks for them; an immutable folder answers EPERM.
  if (faccessat(fd, ".", W_OK | X_OK, AT_EACCESS) != 0 &&
      (errno == EACCES || errno == EPERM || errno == EROFS)) {
    outlook.refusal = LastError();
    return outlook;
  }
  Guard guard;
  if (!GuardOf(fd, "", guard)) return outlook;
  if (guard.unchangeable) {
    outlook.refusal = {EPERM, std::generic_category()};
    return outlook;
  }
  // In a sticky folder only the entry's owner, the folder's owner or the superuser renames.
  const uid_t user = geteuid();
  outlook.owners_only = guard.sticky && user != 0 && user != guard.owner;
  return outlook;
}

std::error_code ForeseeRename(const Directory& directory, const RenameOutlook& outlook,
                              const NativeString& name) {
  Guard guard;
  if (!GuardOf(directory.descriptor(), name.c_str(), guard)) return {};
  if (guard.unchangeable || (outlook.owners_only && guard.owner != geteuid())) {
    return {EPERM, std::generic_category()};
  }
  return {};
}

FileContent ReadRegularFile(const fs::path& path) {
  // Without O_NONBLOCK, opening a pipe waits for a writer, and a device may wait for its line.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw fs::filesystem_error("cannot read file", path, LastError());
  const struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  struct stat status {};
  if (fstat(fd, &status) != 0) throw fs::filesystem_error("cannot read file", path, LastError());
  FileContent file;
  file.regular = S_ISREG(status.st_mode);
  file.owned_by_user = status.st_uid == geteuid();
  file.writable_by_others = (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
  if (!file.regular) return file;
  file.bytes.resize(static_cast<std::size_t>(status.st_size));
  std::size_t have = 0;
  while (have < file.bytes.size()) {
    const ssize_t got = read(fd, file.bytes.data() + have, file.bytes.size() - have);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw fs::filesystem_error("cannot read file", path, LastError());
    if (got == 0) break;  // cut shorter since it was opened
    have += static_cast<std::size_t>(got);
  }
  file.bytes.resize(have);
  return file;
}

AppendFile::AppendFile(const fs::path& path)
    : handle_(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644)) {
  struct stat status {};
  if (handle_ < 0 || fstat(static_cast<int>(handle_), &status) != 0) {
    const std::error_code error = LastError();
    if (handle_ >= 0) close(static_cast<int>(handle_));
    throw fs::filesystem_error("cannot create file", path, error);
  }
  identity_ = IdentityOf(status, true);
}

AppendFile::AppendFile(const fs::path& path, Existing)
    : handle_(open(path.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {
  struct stat status {};
  const bool regular =
      handle_ >= 0 && fstat(static_cast<int>(handle_), &status) == 0 && S_ISREG(status.st_mode);
  if (!regular) {
    const std::error_code error =
        handle_ >= 0 ? std::make_error_code(std::errc::invalid_argument) : LastError();
    if (handle_ >= 0) close(static_cast<int>(handle_));
    throw fs::filesystem_error("cannot open file", path, error);
  }
  identity_ = IdentityOf(status, true);
}

AppendFile::~AppendFile() { close(static_cast<int>(handle_)); }

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

fs::path FolderToOpen(const fs::path& given) {
  std::error_code error;
  fs::path folder = fs::absolute(given, error);
  struct stat info {};
  if (!error && ::stat(folder.c_str(), &info) != 0) error.assign(errno, std::system_category());
  if (error) throw fs::filesystem_error("cannot open", given, error);
  if (!S_ISDIR(info.st_mode)) folder = folder.parent_path();
  // The kernel resolves "." and ".." and links, so the lists show the folder's own path; a path
  // too long to resolve is opened as given.
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.c_str(), nullptr),
                                                         &std::free);
  if (real) return real.get();
  if (errno != ENAMETOOLONG) {
    throw fs::filesystem_error("cannot open", given,
                               std::error_code(errno, std::system_category()));
  }
  return folder;
}

bool NameHidesEntry(const NativeString& name) { return !name.empty() && name.front() == '.'; }

// /dev holds the devices; a name in any other directory is only a name.
bool NameIsDevice(const NativeString&) { return false; }

}  // namespace qomdex::platform
