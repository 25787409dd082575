#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "location/identity.h"
#include "location/native_name.h"

namespace qomdex::platform {

class AppendFile;
class Directory;

struct DirectoryEntry {
  NativeString name;
  // Classified by what the entry points at, so a link to a folder counts as a folder; the entry
  // itself is what gets renamed.
  bool is_directory = false;
};

// What the system hands back for an open directory; a Directory owns it and closes it.
struct DirectoryHandle {
  // POSIX: the descriptor. Windows: a handle that keeps a folder opened from its parent from
  // being moved or removed while it is open, or -1 for one opened by its path.
  std::intptr_t system = -1;
  // Windows: the directory's full extended path; empty on POSIX.
  NativeString extended_path;
  // False when the directory's file system hands out entry numbers anew at each mount.
  bool numbers_durable = true;
};

// An empty file or folder made to hold a name until the entry being renamed takes it (see
// SystemCalls::Reserve). On Linux a file's placeholder stays open under a lease for the
// placeholder's life, so no other program opens it unseen: its opening waits on the lease, and
// breaks it.
class Placeholder {
 public:
  Placeholder() = default;
  // Takes over `handle`, the open placeholder (-1: none held), to close it when destroyed.
  Placeholder(Identity identity, std::intptr_t handle) : identity_(identity), handle_(handle) {}
  Placeholder(Placeholder&& other) noexcept
      : identity_(other.identity_), handle_(std::exchange(other.handle_, -1)) {}
  Placeholder& operator=(Placeholder&& other) noexcept {
    std::swap(identity_, other.identity_);
    std::swap(handle_, other.handle_);
    return *this;
  }
  // Closes the placeholder, if held, and so lets its lease go; the entry stays on disk.
  ~Placeholder();

  // Returns the placeholder's identity, looked at by its name as it was made.
  const Identity& identity() const { return identity_; }
  // Returns the open placeholder, or -1 where none is held (a folder, or a file system without
  // leases).
  std::intptr_t handle() const { return handle_; }

 private:
  Identity identity_;
  std::intptr_t handle_ = -1;
};

// Everything the engine and the walk ask of the system, each one virtual call, so a test can put
// a stand-in in front of the system that overrides one (see SystemCallsWrapper): to fail it as a
// broken disk would, to answer "not supported" as a file system lacking it would, or to act as
// another program would between two of them. The system's own is Native(); each OS has its file.
// Every call touches the disk.
class SystemCalls {
 public:
  virtual ~SystemCalls() = default;
  // Returns the system's own.
  static SystemCalls& Native();

  // Opens the directory at `path`, through a link if it is one; ".." means what the system says
  // it means. Throws std::filesystem::filesystem_error when it is no directory that can be opened.
  virtual DirectoryHandle Open(const std::filesystem::path& path) = 0;
  // Opens the folder `name` of the open directory `parent`, refusing a link (or, on Windows, any
  // reparse point) with std::errc::too_many_symbolic_link_levels, so whatever takes the name
  // meanwhile, nothing outside the parent is entered. Throws std::filesystem::filesystem_error.
  virtual DirectoryHandle OpenFolder(const Directory& parent, const NativeString& name) = 0;

  // Returns the entries of an open directory that the system's file manager shows by default
  // ("." and ".." never), in no particular order. Throws std::filesystem::filesystem_error when
  // the directory cannot be read.
  virtual std::vector<DirectoryEntry> ReadDirectory(const Directory& directory) = 0;
  // Returns the identity of the entry `name` in the directory, not following a link. On failure
  // sets `error` (no such entry: std::errc::no_such_file_or_directory).
  virtual Identity Identify(const Directory& directory, const NativeString& name,
                            std::error_code& error) = 0;
  // Returns the identity of the open directory itself. On failure sets `error`.
  virtual Identity IdentifyDirectory(const Directory& directory, std::error_code& error) = 0;

  // Renames the entry `from` of the directory to `to` in one step, refusing an existing `to`
  // (NameTakenError()). On POSIX a file system without such a rename answers EINVAL, ENOSYS or
  // ENOTSUP; Windows' rename never replaces on any.
  virtual std::error_code RenameNoReplace(const Directory& directory, const NativeString& from,
                                          const NativeString& to) = 0;
  // The steps of the fallback for a file system without that rename. Only POSIX has such file
  // systems; on Windows each answers std::errc::not_supported, and nothing asks it.
  // Gives the file `from` the second name `to`, refusing an existing `to`.
  virtual std::error_code Link(const Directory& directory, const NativeString& from,
                               const NativeString& to) = 0;
  // Renames `from` to `to`, replacing an entry under `to`: only where that is the fallback's own
  // (a private name no other program knows).
  virtual std::error_code RenameReplacing(const Directory& directory, const NativeString& from,
                                          const NativeString& to) = 0;
  // Makes an empty file (or folder) under `name`, refusing an existing one, and returns it with
  // its identity, looked at by that name at once. On failure sets `error`.
  virtual Placeholder Reserve(const Directory& directory, const NativeString& name, bool folder,
                              std::error_code& error) = 0;
  // Renames `from` over `to` only while `to` is still the empty entry `placeholder` and, where its
  // lease shows it, no other program has it open or is opening it; it looks right before the
  // rename, as no system call makes a rename wait on its target. Returns NameTakenError() when
  // `to` is another entry, holds anything, or is another program's to write into.
  virtual std::error_code RenameOverPlaceholder(const Directory& directory,
                                                const NativeString& from, const NativeString& to,
                                                const Placeholder& placeholder) = 0;

  // Writes the bytes at the end of the file with one write call where it takes them all. Returns
  // the system's reason on failure (a short write is reported as std::errc::no_space_on_device).
  virtual std::error_code Append(const AppendFile& file, std::string_view bytes) = 0;
  // Flushes the file to its storage. Safe to call from a signal handler. Returns the reason on
  // failure.
  virtual std::error_code Sync(const AppendFile& file) noexcept = 0;
};

// Forwards every call to another SystemCalls, so a test's stand-in overrides only the calls it
// changes and calls this class's own for the rest.
class SystemCallsWrapper : public SystemCalls {
 public:
  // The target is lent for the wrapper's life.
  explicit SystemCallsWrapper(SystemCalls& target) : target_(target) {}

  // Returns the calls every call is forwarded to.
  SystemCalls& target() const { return target_; }

  DirectoryHandle Open(const std::filesystem::path& path) override { return target_.Open(path); }
  DirectoryHandle OpenFolder(const Directory& parent, const NativeString& name) override {
    return target_.OpenFolder(parent, name);
  }
  std::vector<DirectoryEntry> ReadDirectory(const Directory& directory) override {
    return target_.ReadDirectory(directory);
  }
  Identity Identify(const Directory& directory, const NativeString& name,
                    std::error_code& error) override {
    return target_.Identify(directory, name, error);
  }
  Identity IdentifyDirectory(const Directory& directory, std::error_code& error) override {
    return target_.IdentifyDirectory(directory, error);
  }
  std::error_code RenameNoReplace(const Directory& directory, const NativeString& from,
                                  const NativeString& to) override {
    return target_.RenameNoReplace(directory, from, to);
  }
  std::error_code Link(const Directory& directory, const NativeString& from,
                       const NativeString& to) override {
    return target_.Link(directory, from, to);
  }
  std::error_code RenameReplacing(const Directory& directory, const NativeString& from,
                                  const NativeString& to) override {
    return target_.RenameReplacing(directory, from, to);
  }
  Placeholder Reserve(const Directory& directory, const NativeString& name, bool folder,
                      std::error_code& error) override {
    return target_.Reserve(directory, name, folder, error);
  }
  std::error_code RenameOverPlaceholder(const Directory& directory, const NativeString& from,
                                        const NativeString& to,
                                        const Placeholder& placeholder) override {
    return target_.RenameOverPlaceholder(directory, from, to, placeholder);
  }
  std::error_code Append(const AppendFile& file, std::string_view bytes) override {
    return target_.Append(file, bytes);
  }
  std::error_code Sync(const AppendFile& file) noexcept override { return target_.Sync(file); }

 private:
  SystemCalls& target_;
};

}  // namespace qomdex::platform
