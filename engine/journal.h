#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "location/native_name.h"
#include "location/platform.h"

namespace qomdex {

// A record of every rename a pass makes, written before each rename so that it outlives the
// process: an undo read from it puts back what was renamed and removes what a rename cut short
// left behind. The file is binary, all numbers little-endian:
//   header:    the 8 bytes "QOMDEXRJ", then the version as 4 bytes (2; version 1 is still read)
//   record:    the body's length (4 bytes), the body, then the body's 32-bit FNV-1a hash (4 bytes)
//   body:      kind (1 byte), the system's time as the record was made (8 bytes; not in version
//              1), identity, then the directory's path, the old name and the new name,
//              each as its length in bytes (4 bytes) and its exact native bytes (UTF-16LE on
//              Windows)
//   identity:  device, file number, size, modification time, birth time and mount (8 bytes
//              each), then type and whether the numbers survive a remount (1 byte each);
//              version 1 has only device and file number
// A record cut short or whose hash does not match ends the journal: it was being written when
// the process died, and its rename was never begun.
class RenameJournal {
 public:
  enum class Kind : unsigned char {
    kRename = 1,       // `from` in `directory`, the entry `identity`, is about to be renamed
                       // to `to`
    kPlaceholder = 2,  // the empty placeholder `identity` was made under `to` (`from` is empty)
    kReserving = 3,    // a placeholder is about to be made under `to` for `from`, the entry
                       // `identity` (only its type: what the placeholder will be); a kill
                       // before the kPlaceholder record leaves it unnamed
  };
  struct Record {
    Kind kind;
    std::filesystem::path directory;
    NativeString from;
    NativeString to;
    platform::Identity identity;
    // The system's time as the record was made (see platform::CurrentTime); 0 in version 1.
    std::int64_t time = 0;
  };

  // Creates the journal file, which must not exist yet, and writes its header and every record
  // through `calls`. Touches the disk; throws std::filesystem::filesystem_error
  // (std::errc::file_exists when the file exists).
  explicit RenameJournal(const std::filesystem::path& file,
                         platform::SystemCalls& calls = platform::SystemCalls::Native());

  // Writes one record with one system write, so it is kept if the process dies right after.
  // Touches the disk; returns the system's reason when the record could not be written.
  std::error_code Write(const Record& record);

  // Flushes the journal to its storage. Safe to call from a signal handler; returns the system's
  // reason on failure.
  std::error_code Sync() noexcept { return calls_.Sync(file_); }

  // Returns the journal file's identity, so a pass can leave the file itself alone.
  const platform::Identity& identity() const { return file_.identity(); }

  // Returns every whole record of a journal file, oldest first. Reads the disk; throws
  // std::filesystem::filesystem_error when the file cannot be read or is not a journal
  // (std::errc::invalid_argument).
  static std::vector<Record> Read(const std::filesystem::path& file);

 private:
  platform::AppendFile file_;
  platform::SystemCalls& calls_;
  std::string buffer_;
};

}  // namespace qomdex
