#include "engine/journal.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "location/join_path.h"

namespace qomdex {
namespace {

constexpr std::string_view kMagic = "QOMDEXRJ";
constexpr std::uint32_t kVersion = 3;
// The first version identified an entry by its two numbers alone.
constexpr std::uint32_t kNumbersOnlyVersion = 1;
// Up to this version records were not marked, and their length was not checked.
constexpr std::uint32_t kUnmarkedVersion = 2;
// Opens each record, so a reader finds the records that follow a damaged one.
constexpr std::string_view kMark("\x1EQR\xFF", 4);
constexpr std::size_t kHashSize = 4;

std::uint32_t Hash(std::string_view bytes) {
  std::uint32_t hash = 2166136261u;
  for (const char byte : bytes) hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
  return hash;
}

void PutNumber(std::string& out, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

void PutText(std::string& out, const NativeString& text) {
  PutNumber(out, text.size() * sizeof(NativeChar), 4);
  for (const NativeChar unit : text) {
    PutNumber(out, static_cast<std::make_unsigned_t<NativeChar>>(unit), sizeof(NativeChar));
  }
}

// Takes values off the front of a byte string; every Take fails once the bytes run out.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool Take(std::uint64_t& value, std::size_t size) {
    if (bytes_.size() < size) return false;
    value = 0;
    for (std::size_t i = 0; i < size; ++i) {
      value |= std::uint64_t{static_cast<unsigned char>(bytes_[i])} << (8 * i);
    }
    bytes_.remove_prefix(size);
    return true;
  }

  bool Take(NativeString& text) {
    std::uint64_t size = 0;
    if (!Take(size, 4) || size % sizeof(NativeChar) != 0 || bytes_.size() < size) return false;
    text.resize(size / sizeof(NativeChar));
    for (NativeChar& unit : text) {
      std::uint64_t value = 0;
      Take(value, sizeof(NativeChar));
      unit = static_cast<NativeChar>(value);
    }
    return true;
  }

  bool Take(std::string_view& bytes, std::size_t size) {
    if (bytes_.size() < size) return false;
    bytes = bytes_.substr(0, size);
    bytes_.remove_prefix(size);
    return true;
  }

  bool empty() const { return bytes_.empty(); }

 private:
  std::string_view bytes_;
};

void PutIdentity(std::string& out, const platform::Identity& identity) {
  PutNumber(out, identity.device, 8);
  PutNumber(out, identity.file, 8);
  PutNumber(out, identity.size, 8);
  PutNumber(out, static_cast<std::uint64_t>(identity.modified), 8);
  PutNumber(out, static_cast<std::uint64_t>(identity.born), 8);
  PutNumber(out, identity.mount, 8);
  PutNumber(out, static_cast<std::uint8_t>(identity.type), 1);
  PutNumber(out, identity.numbers_durable ? 1 : 0, 1);
}

bool TakeIdentity(Reader& reader, std::uint32_t version, platform::Identity& identity) {
  if (!reader.Take(identity.device, 8) || !reader.Take(identity.file, 8)) return false;
  if (version == kNumbersOnlyVersion) return true;
  std::uint64_t modified = 0;
  std::uint64_t born = 0;
  std::uint64_t type = 0;
  std::uint64_t durable = 0;
  if (!reader.Take(identity.size, 8) || !reader.Take(modified, 8) || !reader.Take(born, 8) ||
      !reader.Take(identity.mount, 8) || !reader.Take(type, 1) || !reader.Take(durable, 1) ||
      type == 0 || type > static_cast<std::uint8_t>(platform::Identity::Type::kOther)) {
    return false;
  }
  identity.modified = static_cast<std::int64_t>(modified);
  identity.born = static_cast<std::int64_t>(born);
  identity.type = static_cast<platform::Identity::Type>(type);
  identity.numbers_durable = durable != 0;
  return true;
}

// True when `name` names one entry of a directory: never a path, "." or "..", which would lead
// an undo out of the directory the pass treated.
bool IsOneName(const NativeString& name) {
  if (name.empty() || name == NativeString(1, '.') || name == NativeString(2, '.')) return false;
  return std::none_of(name.begin(), name.end(),
                      [](NativeChar unit) { return unit == 0 || IsSeparator(unit); });
}

// Reads one record's body; false when it is not a whole, known record.
bool ParseBody(std::string_view body, std::uint32_t version, RenameJournal::Record& record) {
  Reader reader(body);
  std::uint64_t kind = 0;
  std::uint64_t time = 0;
  NativeString directory;
  if (!reader.Take(kind, 1) || (version != kNumbersOnlyVersion && !reader.Take(time, 8)) ||
      !TakeIdentity(reader, version, record.identity) || !reader.Take(directory) ||
      !reader.Take(record.from) || !reader.Take(record.to) || !reader.empty()) {
    return false;
  }
  record.kind = static_cast<RenameJournal::Kind>(kind);
  record.time = static_cast<std::int64_t>(time);
  record.directory = std::move(directory);
  if (kind < static_cast<unsigned char>(RenameJournal::Kind::kRename) ||
      kind > static_cast<unsigned char>(RenameJournal::Kind::kSetAside) ||
      record.directory.empty()) {
    return false;
  }
  // A placeholder's record names only the placeholder.
  const bool from_named = record.kind != RenameJournal::Kind::kPlaceholder;
  return (from_named ? IsOneName(record.from) : record.from.empty()) && IsOneName(record.to);
}

// Reads the records of a journal's bytes after its header, and finds the damaged stretches.
class RecordReader {
 public:
  RecordReader(std::string_view bytes, std::uint32_t version)
      : bytes_(bytes), version_(version), marked_(version > kUnmarkedVersion) {}

  RenameJournal::Contents ReadAll() const {
    RenameJournal::Contents contents;
    contents.current = version_ == kVersion;
    std::size_t at = kMagic.size() + 4;
    while (at < bytes_.size()) {
      RenameJournal::Record record{};
      std::size_t end = 0;
      if (RecordAt(at, record, end)) {
        contents.records.push_back(std::move(record));
        at = end;
        continue;
      }
      const std::size_t next = NextRecordAfter(at);
      if (next == std::string_view::npos && CutShortAt(at)) {
        // Records added after it would make it damage.
        contents.current = false;
        break;
      }
      std::size_t unread = 0;
      if (marked_) {
        unread = std::max<std::size_t>(1, MarksIn(at, std::min(next, bytes_.size())));
      } else if (next != std::string_view::npos) {
        unread = 1;
      }
      contents.damaged.push_back({at, unread});
      at = next;
    }
    return contents;
  }

 private:
  // The record's length, read from where it is kept at `at`; false when the bytes there cannot
  // be a record's start. `whole` is the number of bytes from `at` to the record's end.
  bool Frame(std::size_t at, std::size_t& body_at, std::size_t& whole) const {
    Reader reader(bytes_.substr(at));
    std::string_view mark;
    std::uint64_t size = 0;
    std::uint64_t complement = 0;
    if (marked_ && (!reader.Take(mark, kMark.size()) || mark != kMark)) return false;
    if (!reader.Take(size, 4)) return false;
    if (marked_ && (!reader.Take(complement, 4) || (size ^ complement) != 0xFFFFFFFFu)) {
      return false;
    }
    body_at = at + (marked_ ? kMark.size() + 8 : 4);
    whole = body_at - at + size + kHashSize;
    return true;
  }

  // Reads the record at `at`; true when it is whole and true, with `end` just after it.
  bool RecordAt(std::size_t at, RenameJournal::Record& record, std::size_t& end) const {
    std::size_t body_at = 0;
    std::size_t whole = 0;
    if (!Frame(at, body_at, whole) || whole > bytes_.size() - at) return false;
    const std::string_view body = bytes_.substr(body_at, at + whole - body_at - kHashSize);
    Reader hash_reader(bytes_.substr(at + whole - kHashSize, kHashSize));
    std::uint64_t hash = 0;
    if (!hash_reader.Take(hash, kHashSize) || hash != Hash(body) ||
        !ParseBody(body, version_, record)) {
      return false;
    }
    end = at + whole;
    return true;
  }

  // True when the bytes from `at` to the end are the start of one record, its last bytes never
  // written because the process died while writing it.
  bool CutShortAt(std::size_t at) const {
    const std::string_view rest = bytes_.substr(at);
    const std::size_t head = marked_ ? kMark.size() + 8 : 4;
    if (rest.size() < head) return !marked_ || kMark.starts_with(rest.substr(0, kMark.size()));
    std::size_t body_at = 0;
    std::size_t whole = 0;
    return Frame(at, body_at, whole) && whole > rest.size();
  }

  // Returns where the first true record after the one failed at `at` begins, or npos. Marked
  // records are found by their mark; else only the next one framed by the failed one's length.
  std::size_t NextRecordAfter(std::size_t at) const {
    RenameJournal::Record record{};
    std::size_t end = 0;
    if (!marked_) {
      std::size_t body_at = 0;
      std::size_t whole = 0;
      if (!Frame(at, body_at, whole) || whole >= bytes_.size() - at) return std::string_view::npos;
      return RecordAt(at + whole, record, end) ? at + whole : std::string_view::npos;
    }
    for (std::size_t next = bytes_.find(kMark, at + 1); next != std::string_view::npos;
         next = bytes_.find(kMark, next + 1)) {
      if (RecordAt(next, record, end)) return next;
    }
    return std::string_view::npos;
  }

  // Returns how many marks the bytes from `from` up to `to` hold.
  std::size_t MarksIn(std::size_t from, std::size_t to) const {
    std::size_t count = 0;
    for (std::size_t next = bytes_.find(kMark, from); next != std::string_view::npos && next < to;
         next = bytes_.find(kMark, next + 1)) {
      ++count;
    }
    return count;
  }

  std::string_view bytes_;
  std::uint32_t version_;
  bool marked_;
};

class JournalErrorCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "qomdex journal"; }
  std::string message(int value) const override {
    switch (static_cast<JournalError>(value)) {
      case JournalError::kNotAJournal: return "not a qomdex journal";
      case JournalError::kNotRegularFile: return "not a regular file";
      case JournalError::kOtherUsersFile: return "it belongs to another user";
      case JournalError::kWritableByOthers: return "other users may write it";
    }
    return "unknown";
  }
};

}  // namespace

std::error_code MakeErrorCode(JournalError error) {
  static const JournalErrorCategory category;
  return {static_cast<int>(error), category};
}

RenameJournal::RenameJournal(const std::filesystem::path& file, Continued,
                             platform::SystemCalls& calls)
    : file_(file, platform::AppendFile::kExisting), calls_(calls) {}

RenameJournal::RenameJournal(const std::filesystem::path& file, platform::SystemCalls& calls)
    : file_(file), calls_(calls) {
  buffer_ = kMagic;
  PutNumber(buffer_, kVersion, 4);
  if (const std::error_code error = calls_.Append(file_, buffer_)) {
    throw std::filesystem::filesystem_error("cannot write journal", file, error);
  }
}

std::error_code RenameJournal::Write(const Record& record) {
  // The length and its complement follow the mark; their place is kept and filled in once the
  // body is written.
  constexpr std::size_t kBodyAt = kMark.size() + 8;
  buffer_ = kMark;
  buffer_.resize(kBodyAt);
  buffer_.push_back(static_cast<char>(record.kind));
  PutNumber(buffer_, static_cast<std::uint64_t>(record.time), 8);
  PutIdentity(buffer_, record.identity);
  PutText(buffer_, record.directory.native());
  PutText(buffer_, record.from);
  PutText(buffer_, record.to);
  const std::uint32_t size = static_cast<std::uint32_t>(buffer_.size() - kBodyAt);
  std::string length;
  PutNumber(length, size, 4);
  PutNumber(length, ~size, 4);
  buffer_.replace(kMark.size(), 8, length);
  PutNumber(buffer_, Hash(std::string_view(buffer_).substr(kBodyAt)), kHashSize);
  return calls_.Append(file_, buffer_);
}

RenameJournal::Contents RenameJournal::Read(const std::filesystem::path& file) {
  const platform::FileContent content = platform::ReadRegularFile(file);
  const auto refuse = [&](JournalError why) {
    throw std::filesystem::filesystem_error("cannot undo the journal", file, MakeErrorCode(why));
  };
  if (!content.regular) refuse(JournalError::kNotRegularFile);
  Reader reader(content.bytes);
  std::string_view magic;
  std::uint64_t version = 0;
  if (!reader.Take(magic, kMagic.size()) || magic != kMagic || !reader.Take(version, 4) ||
      version == 0 || version > kVersion) {
    refuse(JournalError::kNotAJournal);
  }
  // Another user's journal could name any entry this user may rename.
  if (!content.owned_by_user) refuse(JournalError::kOtherUsersFile);
  if (content.writable_by_others) refuse(JournalError::kWritableByOthers);
  return RecordReader(content.bytes, static_cast<std::uint32_t>(version)).ReadAll();
}

}  // namespace qomdex
