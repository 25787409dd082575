#include "engine/journal.h"

#include <cstdint>
#include <string_view>

namespace qomdex {
namespace {

constexpr std::string_view kMagic = "QOMDEXRJ";
constexpr std::uint32_t kVersion = 2;
// The first version identified an entry by its two numbers alone.
constexpr std::uint32_t kNumbersOnlyVersion = 1;

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
  return kind >= static_cast<unsigned char>(RenameJournal::Kind::kRename) &&
         kind <= static_cast<unsigned char>(RenameJournal::Kind::kReserving);
}

}  // namespace

RenameJournal::RenameJournal(const std::filesystem::path& file, platform::SystemCalls& calls)
    : file_(file), calls_(calls) {
  buffer_ = kMagic;
  PutNumber(buffer_, kVersion, 4);
  if (const std::error_code error = calls_.Append(file_, buffer_)) {
    throw std::filesystem::filesystem_error("cannot write journal", file, error);
  }
}

std::error_code RenameJournal::Write(const Record& record) {
  // The length goes first; its place is kept and filled in once the body is written.
  buffer_.assign(4, '\0');
  buffer_.push_back(static_cast<char>(record.kind));
  PutNumber(buffer_, static_cast<std::uint64_t>(record.time), 8);
  PutIdentity(buffer_, record.identity);
  PutText(buffer_, record.directory.native());
  PutText(buffer_, record.from);
  PutText(buffer_, record.to);
  const std::string_view body = std::string_view(buffer_).substr(4);
  std::string length;
  PutNumber(length, body.size(), 4);
  buffer_.replace(0, 4, length);
  PutNumber(buffer_, Hash(std::string_view(buffer_).substr(4)), 4);
  return calls_.Append(file_, buffer_);
}

std::vector<RenameJournal::Record> RenameJournal::Read(const std::filesystem::path& file) {
  const std::string bytes = platform::ReadWholeFile(file);
  Reader reader(bytes);
  std::string_view magic;
  std::uint64_t version = 0;
  if (!reader.Take(magic, kMagic.size()) || magic != kMagic || !reader.Take(version, 4) ||
      (version != kVersion && version != kNumbersOnlyVersion)) {
    throw std::filesystem::filesystem_error("not a rename journal", file,
                                            std::make_error_code(std::errc::invalid_argument));
  }
  std::vector<Record> records;
  for (;;) {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    std::string_view body;
    Record record{};
    if (!reader.Take(size, 4) || !reader.Take(body, size) || !reader.Take(hash, 4) ||
        hash != Hash(body) || !ParseBody(body, static_cast<std::uint32_t>(version), record)) {
      return records;
    }
    records.push_back(std::move(record));
  }
}

}  // namespace qomdex
