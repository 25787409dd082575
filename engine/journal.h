#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "engine/pass_report.h"
#include "location/native_name.h"
#include "location/platform.h"

namespace qomdex {

// A record of every rename a pass makes, written before each rename so that it outlives the
// process: an undo read from it puts back what was renamed and removes what a rename cut short
// left behind. The file is binary, all numbers little-endian:
//   header:    the 8 bytes "QOMDEXRJ", then the version as 4 bytes (3; versions 1 and 2 are
//              still read)
//   record:    the 4 bytes 1E 51 52 FF, the body's length (4 bytes) and its bitwise complement
//              (4 bytes), the body, then the body's 32-bit FNV-1a hash (4 bytes); versions 1 and
//              2 have neither the mark nor the complement
//   body:      kind (1 byte), the system's time as the record was made (8 bytes; not in version
//              1), identity, then the directory's path, the old name and the new name,
//              each as its length in bytes (4 bytes) and its exact native bytes (UTF-16LE on
//              Windows); a name is one name of that directory, never a path
//   identity:  device, file number, size, modification time, birth time and mount (8 bytes
//              each), then type and whether the numbers survive a remount (1 byte each);
//              version 1 has only device and file number
// Only the last record may be cut short: it was being written when the process died, and its
// rename was never begun. Any other record that does not read whole and true is damage, and the
// mark lets a reader find the records after it.
// Why a file is not taken as a journal to undo.
enum class JournalError {
  kNotAJournal = 1,   // it does not begin as a journal does
  kNotRegularFile,    // a device, pipe, socket or folder
  kOtherUsersFile,    // it belongs to another user, who could have written anything in it
  kWritableByOthers,  // other users may write it
};
// Returns the error code for `error`, whose message says it in words.
std::error_code MakeErrorCode(JournalError error);

class RenameJournal {
 public:
  enum class Kind : unsigned char {
    kRename = 1,       // `from` in `directory`, the entry `identity`, is about to be renamed
                       // to `to`
    kPlaceholder = 2,  // the empty placeholder `identity` was made under `to` (`from` is empty)
    kReserving = 3,    // a placeholder is about to be made under `to` for `from`, the entry
                       // `identity` (only its type: what the placeholder will be); a kill
                       // before the kPlaceholder record leaves it unnamed
    kPuttingBack = 4,  // an undo is about to put `from`, the entry `identity`, back as `to`;
                       // the kReserving and kPlaceholder records after it are that rename's
    kNotReserved = 5,  // the placeholder the last kReserving record announced was not made (the
                       // name was taken), so whatever holds `to` is not qomdex's
    kSetAside = 6,     // the old name of the entry `identity`, linked under `to` too, is about
                       // to be moved to the private name `from` and removed there; a kill in
                       // between leaves `from` a second link to the entry
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

  // Opens an existing journal, just read, to add an undo's own records at its end through
  // `calls`. Touches the disk; throws std::filesystem::filesystem_error when it is no regular
  // file that can be written.
  struct Continued {};
  RenameJournal(const std::filesystem::path& file, Continued,
                platform::SystemCalls& calls = platform::SystemCalls::Native());

  // Writes one record with one system write, so it is kept if the process dies right after.
  // Touches the disk; returns the system's reason when the record could not be written.
  std::error_code Write(const Record& record);

  // Flushes the journal to its storage. Safe to call from a signal handler; returns the system's
  // reason on failure.
  std::error_code Sync() noexcept { return calls_.Sync(file_); }

  // Returns the journal file's identity, so a pass can leave the file itself alone.
  const platform::Identity& identity() const { return file_.identity(); }

  // What a journal file holds: every record that reads whole and true, oldest first, and the
  // stretches that could not be read.
  struct Contents {
    std::vector<Record> records;
    std::vector<PassReport::Damage> damaged;
    // True when written in the version this program writes and not ending in a record cut
    // short, so an undo may add records to it.
    bool current = false;
  };

  // Reads a journal file; a last record cut short is left out and is no damage. Reads the disk;
  // throws std::filesystem::filesystem_error when the file cannot be read, and with a
  // JournalError when it is none that this user's pass wrote.
  static Contents Read(const std::filesystem::path& file);

 private:
  platform::AppendFile file_;
  platform::SystemCalls& calls_;
  std::string buffer_;
};

}  // namespace qomdex
