#pragma once

// Every call into the operating system that qomdex makes goes through these functions and the
// SystemCalls they are made of; each OS has its own implementation file (platform_posix.cpp,
// platform_windows.cpp).

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "location/identity.h"
#include "location/native_name.h"
#include "location/system_calls.h"

namespace qomdex::platform {

class RenameWitness;

// An open directory: on POSIX a descriptor, so everything done through it stays with that
// directory wherever it is moved and however deep it lies; on Windows its full extended path.
// It is opened, read and looked into through its SystemCalls.
class Directory {
 public:
  // Opens the directory at `path` through `calls` (see SystemCalls::Open). Reads the disk;
  // throws std::filesystem::filesystem_error when the path is no directory that can be opened.
  explicit Directory(const std::filesystem::path& path, SystemCalls& calls = SystemCalls::Native());
  // Opens the folder `name` of `parent` through the parent's calls, never through a link (see
  // SystemCalls::OpenFolder). Reads the disk; throws std::filesystem::filesystem_error.
  Directory(const Directory& parent, const NativeString& name);
  ~Directory();
  Directory(Directory&& other) noexcept;
  Directory& operator=(Directory&& other) noexcept;
  Directory(const Directory&) = delete;
  Directory& operator=(const Directory&) = delete;

  // Returns the path the directory was opened by, for messages.
  const std::filesystem::path& path() const { return path_; }
  // Return the system's handle, each used by its own system's file: on POSIX a descriptor (-1 on
  // Windows), on Windows the extended path (empty on POSIX).
  int descriptor() const { return static_cast<int>(handle_.system); }
  const NativeString& extended_path() const { return handle_.extended_path; }
  // Returns false when the directory's file system hands out entry numbers anew at each mount.
  bool numbers_durable() const { return handle_.numbers_durable; }
  // Returns the calls it is read through and its renames are made of.
  SystemCalls& calls() const { return *calls_; }

 private:
  std::filesystem::path path_;
  SystemCalls* calls_;
  DirectoryHandle handle_;
  // POSIX: set once a second link made here could not be told from another entry (sshfs numbers
  // each path), so later renames go straight to the reservation.
  mutable bool links_unverifiable_ = false;
  friend NativeString Rename(const Directory&, const NativeString&, const NativeString&,
                             std::error_code&, RenameWitness*);
};

// Told of each step of a rename that a process killed mid-way would leave behind.
class RenameWitness {
 public:
  virtual ~RenameWitness() = default;
  // Told that a placeholder is about to be made under the new name; nothing is made unless this
  // returns no error, and the rename then fails with it.
  virtual std::error_code Reserving() = 0;
  // Told that an empty placeholder with this identity now holds the new name; the rename goes on
  // only when this returns no error, and otherwise removes the placeholder and fails with it.
  virtual std::error_code Reserved(const Identity& placeholder) = 0;
  // Told that the placeholder announced was not made (the name was taken, say), so what holds
  // the new name is not qomdex's; the rename then fails.
  virtual void NotReserved() = 0;
  // Told that the old name of a file just linked under its new name is about to be moved to the
  // private name `aside`, to be removed there; it is moved only when this returns no error, and
  // the rename otherwise takes the new link away again and fails with it.
  virtual std::error_code SettingAside(const NativeString& aside) = 0;
};

// Returns the system's time now, in the ticks of an Identity's times, of which a second has
// kTicksPerSecond. Never touches the disk.
std::int64_t CurrentTime();
extern const std::int64_t kTicksPerSecond;

// Returns the reason the system gives when it refuses a new name because an entry has it.
std::error_code NameTakenError();

// Returns true when `error` says that a path leads to no directory (any longer): no such entry
// on the way, or not a directory. Never touches the disk.
bool IsMissingDirectory(const std::error_code& error);

// Returns the name the system gives an entry renamed to `name`: the name itself, except on
// Windows, which drops the dots and spaces that end a name. Sets `error` when no name is left.
// Never touches the disk.
NativeString GivenName(const NativeString& name, std::error_code& error);

// Renames the entry `from` of the directory to `to` atomically and never replaces an existing
// entry, also on file systems without a never-replacing rename (the witness, if any, hears of
// each step a kill could leave behind). Made of the directory's calls. Returns the name the entry
// has now (see GivenName). Touches the disk. On failure sets `error` to the system's reason and
// returns an empty name; never throws for a refused rename.
NativeString Rename(const Directory& directory, const NativeString& from, const NativeString& to,
                    std::error_code& error, RenameWitness* witness = nullptr);

// What the system tells of a directory before any rename is made in it.
struct RenameOutlook {
  // The refusal every rename there meets: the directory's mount is read-only (EROFS), the user
  // running may not write or search the directory (EACCES), or the directory is immutable or
  // append-only (EPERM).
  std::error_code refusal;
  // The directory's sticky bit lets the user running rename only the entries they own.
  bool owners_only = false;
};

// Returns what the system tells of renames in the directory before one is made, with the user
// running's effective ids, as a rename checks them; what it cannot tell (the file system's own
// refusals, a security module's rules) it leaves out. Windows tells nothing. Reads the disk;
// never fails.
RenameOutlook ForeseeRenames(const Directory& directory);

// Returns the refusal the system will give a rename of the entry `name` of the directory, whose
// outlook is `outlook`, where the entry shows it: the directory is sticky and the entry is
// another user's, or the entry is immutable or append-only (EPERM). Returns no error where it
// sees none. Reads the disk.
std::error_code ForeseeRename(const Directory& directory, const RenameOutlook& outlook,
                              const NativeString& name);

// Removes `name` from the directory only when removing it loses nothing: an empty file or folder
// (a placeholder) or, when `identity` is given, one of several links to a file; and, when
// `identity` is given, only when `name` is that entry (see SameEntry). Touches the disk; on
// failure returns the reason and removes nothing: NameTakenError() when `name` is another entry,
// std::errc::directory_not_empty when it is not empty.
std::error_code RemoveLosingNothing(const Directory& directory, const NativeString& name,
                                    const Identity* identity);

// A file that only grows, each append handed to the system at once (SystemCalls::Append) so it
// survives the death of the process.
class AppendFile {
 public:
  // Creates the file, which must not exist yet. Touches the disk; throws
  // std::filesystem::filesystem_error (std::errc::file_exists when it exists).
  explicit AppendFile(const std::filesystem::path& path);
  // Opens an existing regular file to write at its end. Touches the disk; throws
  // std::filesystem::filesystem_error when it cannot be opened or is no regular file.
  enum Existing { kExisting };
  AppendFile(const std::filesystem::path& path, Existing);
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Returns the system's handle: a descriptor on POSIX, a HANDLE on Windows.
  std::intptr_t handle() const { return handle_; }
  // Returns the file's identity, taken when it was created.
  const Identity& identity() const { return identity_; }

 private:
  std::intptr_t handle_;
  Identity identity_;
};

// A file as read by ReadRegularFile: what it is, who may change it, and its content.
struct FileContent {
  bool regular = false;  // a regular file, not a device, pipe, socket or folder
  // POSIX: it belongs to the user the program runs as, and no other user may write it (group or
  // others have no write permission). Always true on Windows.
  bool owned_by_user = false;
  bool writable_by_others = false;
  std::string bytes;  // a regular file's content, up to the size it had when opened
};

// Opens a file without waiting on it (a pipe without a writer, a device) and, when it is a regular
// file, reads it up to the size it had when opened, so it never reads without end. Reads the disk;
// throws std::filesystem::filesystem_error when it cannot be opened or read.
FileContent ReadRegularFile(const std::filesystem::path& path);

// Returns the root paths of the system's drives (mount points of real file systems off
// Windows), the system volume first. Reads the system's mount table.
std::vector<std::filesystem::path> ListDrives();

// Returns the location every start of the program begins at: the system volume's root.
std::filesystem::path StartLocation();

// Returns the full path of the folder to open for a path given by the user (an argument, a drop):
// the folder itself, or a file's folder. Reads the disk; throws std::filesystem::filesystem_error
// naming `given` when it cannot be reached.
std::filesystem::path FolderToOpen(const std::filesystem::path& given);

// Returns true when a name alone hides its entry from the lists (a leading dot on POSIX).
// Never touches the disk.
bool NameHidesEntry(const NativeString& name);

// Returns true when the system takes a name for a device rather than an entry (CON, COM1.txt,
// "nul ." on Windows; never on POSIX). Never touches the disk.
bool NameIsDevice(const NativeString& name);

}  // namespace qomdex::platform
