#pragma once

// Every call into the operating system that qomdex makes goes through these functions; each OS
// has its own implementation file (platform_posix.cpp, platform_windows.cpp).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "location/identity.h"
#include "location/native_name.h"

namespace qomdex::platform {

struct DirectoryEntry {
  NativeString name;
  // Classified by what the entry points at, so a link to a folder counts as a folder; the entry
  // itself is what gets renamed.
  bool is_directory = false;
};

class Directory;
class RenameWitness;

// The system's own calls the never-replacing rename is made of, each one virtual call, so a test
// can derive a stand-in that overrides one: to answer "not supported" as a file system lacking
// it would, or to act as another program would between two of them. Each touches the disk and
// returns the system's reason on failure.
class SystemCalls {
 public:
  virtual ~SystemCalls() = default;
  // Returns the system's own.
  static SystemCalls& Native();

  // Renames the entry `from` of the directory to `to` in one step, refusing an existing `to`
  // (NameTakenError()). On POSIX a file system without such a rename answers EINVAL, ENOSYS or
  // ENOTSUP; Windows' rename never replaces on any.
  virtual std::error_code RenameNoReplace(const Directory& directory, const NativeString& from,
                                          const NativeString& to);

  // The steps of the fallback for a file system without that rename. Only POSIX has such file
  // systems; on Windows each answers std::errc::not_supported, and nothing asks it.
  // Gives the file `from` the second name `to`, refusing an existing `to`.
  virtual std::error_code Link(const Directory& directory, const NativeString& from,
                               const NativeString& to);
  // Makes an empty file (or folder) under `name`, refusing an existing one, and returns its
  // identity, looked at by that name at once. On failure sets `error`.
  virtual Identity Reserve(const Directory& directory, const NativeString& name, bool folder,
                           std::error_code& error);
  // Renames `from` over `to` only while `to` is still the empty entry `placeholder`, which it
  // looks at right before the rename: no system call makes a rename wait on its target. Returns
  // NameTakenError() when `to` is another entry or holds anything.
  virtual std::error_code RenameOverPlaceholder(const Directory& directory,
                                                const NativeString& from, const NativeString& to,
                                                const Identity& placeholder);
};

// An open directory: on POSIX a descriptor, so everything done through it stays with that
// directory wherever it is moved and however deep it lies; on Windows its full extended path.
class Directory {
 public:
  // Opens a directory whose renames go through `calls`; ".." in the path means what the system
  // says it means. Reads the disk; throws std::filesystem::filesystem_error when the path is no
  // directory that can be opened.
  explicit Directory(const std::filesystem::path& path, SystemCalls& calls = SystemCalls::Native());
  ~Directory();
  Directory(Directory&& other) noexcept;
  Directory& operator=(Directory&& other) noexcept;
  Directory(const Directory&) = delete;
  Directory& operator=(const Directory&) = delete;

  // Returns the path the directory was opened by, for messages.
  const std::filesystem::path& path() const { return path_; }
  // Return the system's handle, each used by its own system's file: on POSIX a descriptor (-1 on
  // Windows), on Windows the extended path (empty on POSIX).
  int descriptor() const { return descriptor_; }
  const NativeString& extended_path() const { return extended_path_; }
  // Returns false when the directory's file system hands out entry numbers anew at each mount.
  bool numbers_durable() const { return numbers_durable_; }
  // Returns the calls its renames are made of.
  SystemCalls& calls() const { return *calls_; }

 private:
  std::filesystem::path path_;
  SystemCalls* calls_;
  bool numbers_durable_ = true;
  int descriptor_ = -1;
  NativeString extended_path_;
  // POSIX: set once a second link made here could not be told from another entry (sshfs numbers
  // each path), so later renames go straight to the reservation.
  mutable bool links_unverifiable_ = false;
  friend NativeString Rename(const Directory&, const NativeString&, const NativeString&,
                             std::error_code&, RenameWitness*);
};

// Returns the entries of an open directory that the system's file manager shows by default ("."
// and ".." never), in no particular order. Reads the disk; throws
// std::filesystem::filesystem_error when the directory cannot be read.
std::vector<DirectoryEntry> ReadDirectory(const Directory& directory);

// Returns the identity of the entry `name` in the directory, not following a link. Reads the
// disk; on failure sets `error` (no such entry: std::errc::no_such_file_or_directory).
Identity Identify(const Directory& directory, const NativeString& name, std::error_code& error);

// Returns the identity of the open directory itself. Reads the disk; on failure sets `error`.
Identity IdentifyDirectory(const Directory& directory, std::error_code& error);

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
};

// Returns the system's time now, in the ticks of an Identity's times, of which a second has
// kTicksPerSecond. Never touches the disk.
std::int64_t CurrentTime();
extern const std::int64_t kTicksPerSecond;

// Returns the reason the system gives when it refuses a new name because an entry has it.
std::error_code NameTakenError();

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

// Removes `name` from the directory only when it is the entry `identity` (see SameEntry) and
// removing it loses nothing: an empty file or folder (a placeholder), or one of several links to
// a file. Touches the disk; on failure sets `error` and removes nothing: NameTakenError() when
// `name` is another entry, std::errc::directory_not_empty when it is not empty.
void RemoveResidue(const Directory& directory, const NativeString& name, const Identity& identity,
                   std::error_code& error);

// A file that only grows, each append handed to the system at once so it survives the death of
// the process.
class AppendFile {
 public:
  // Creates the file, which must not exist yet. Touches the disk; throws
  // std::filesystem::filesystem_error (std::errc::file_exists when it exists).
  explicit AppendFile(const std::filesystem::path& path);
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Writes the bytes at the end with the system's write call. Returns the system's reason on
  // failure (a short write is reported as std::errc::no_space_on_device).
  std::error_code Append(std::string_view bytes);
  // Flushes the file to its storage. Safe to call from a signal handler. Returns the reason on
  // failure.
  std::error_code Sync() noexcept;
  // Returns the file's identity, taken when it was created.
  const Identity& identity() const { return identity_; }

 private:
  // The system's handle: a descriptor on POSIX, a HANDLE on Windows.
  std::intptr_t handle_;
  Identity identity_;
};

// Returns the whole content of a file. Reads the disk; throws std::filesystem::filesystem_error
// when it cannot be read (a folder, say).
std::string ReadWholeFile(const std::filesystem::path& path);

// Removes `name` from the directory only when it is an empty file or an empty folder, which is
// what a placeholder is. Touches the disk; on failure, or when the entry is not empty
// (std::errc::directory_not_empty), sets `error` and removes nothing.
void RemoveEmptyEntry(const Directory& directory, const NativeString& name, std::error_code& error);

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
