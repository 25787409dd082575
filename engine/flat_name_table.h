#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qomdex {

// A map from byte strings to small values, built for the million names of one large directory:
// every key is copied once into blocks of memory, beside its value, and the slots of an
// open-addressing table hold only part of a key's hash and where the key lies. Compared with a
// node per key this takes a fraction of the memory and of the cache misses, and the blocks never
// move, so growing copies no keys. A key whose value is back at Value{} counts as absent and is
// dropped when the table next grows or tidies itself.
template <typename Value>
class FlatNameTable {
  static_assert(std::is_trivially_copyable_v<Value>);

 public:
  // Makes room for `count` more keys without growing.
  void Reserve(std::size_t count) {
    if ((used_ + count) * 4 > slots_.size() * 3) Rebuild(count);
  }

  // Returns the value of `key`, or Value{} if it has none.
  Value Get(std::string_view key) const {
    if (slots_.empty()) return Value{};
    const std::uint64_t slot = slots_[Find(key, Hash(key))];
    return slot == kEmpty ? Value{} : ValueAt(WhereOf(slot));
  }

  // Gives the value of `key` (Value{} if it has none) to `change`, and keeps what it returns.
  template <typename Change>
  void Update(std::string_view key, Change&& change) {
    if ((used_ + 1) * 4 > slots_.size() * 3) Rebuild(1);
    const std::uint64_t hash = Hash(key);
    std::uint64_t& slot = slots_[Find(key, hash)];
    if (slot == kEmpty) {
      slot = SlotFor(hash, Append(key, Value{}));
      ++used_;
    }
    char* const record = RecordAt(WhereOf(slot));
    const Value value = change(ValueAt(WhereOf(slot)));
    std::memcpy(record, &value, sizeof value);
  }

 private:
  // A record: the value, the key's length, then the key. Records are packed into blocks; a
  // record's place is its block's number over its start within the block.
  static constexpr std::size_t kLengthAt = sizeof(Value);
  static constexpr std::size_t kKeyAt = sizeof(Value) + sizeof(std::uint32_t);
  static constexpr int kStartBits = 20;
  static constexpr std::size_t kBlockSize = std::size_t{1} << kStartBits;
  static constexpr int kBlockBits = 20;

  // A slot is the top bits of its key's hash over its record's place plus one, so that zero
  // means empty: eight bytes, room for a million blocks.
  static constexpr std::uint64_t kEmpty = 0;
  static constexpr std::uint64_t kWhereMask = (std::uint64_t{1} << (kStartBits + kBlockBits)) - 1;
  static std::uint64_t SlotFor(std::uint64_t hash, std::uint64_t where) {
    return (hash & ~kWhereMask) | (where + 1);
  }
  static std::uint64_t WhereOf(std::uint64_t slot) { return (slot & kWhereMask) - 1; }
  static std::uint64_t Hash(std::string_view key) { return std::hash<std::string_view>{}(key); }

  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
    std::size_t used = 0;
  };

  // Returns the slot holding `key`, or the empty slot where it would go.
  std::size_t Find(std::string_view key, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const std::uint64_t slot = slots_[at];
      if (slot == kEmpty ||
          ((slot & ~kWhereMask) == (hash & ~kWhereMask) && KeyOf(RecordAt(WhereOf(slot))) == key)) {
        return at;
      }
    }
  }

  const char* RecordAt(std::uint64_t where) const {
    return blocks_[where >> kStartBits].bytes.get() + (where & (kBlockSize - 1));
  }
  char* RecordAt(std::uint64_t where) {
    return blocks_[where >> kStartBits].bytes.get() + (where & (kBlockSize - 1));
  }
  static std::string_view KeyOf(const char* record) {
    std::uint32_t length;
    std::memcpy(&length, record + kLengthAt, sizeof length);
    return {record + kKeyAt, length};
  }
  static Value ValueOf(const char* record) {
    Value value;
    std::memcpy(&value, record, sizeof value);
    return value;
  }
  Value ValueAt(std::uint64_t where) const { return ValueOf(RecordAt(where)); }

  // Copies a key and its value into the last block, or a new one when it is full; a key longer
  // than a block gets a block of its own size.
  std::uint64_t Append(std::string_view key, const Value& value) {
    const std::size_t size = kKeyAt + key.size();
    if (blocks_.empty() || blocks_.back().size - blocks_.back().used < size) {
      // A terabyte of names: memory has run out long before, and this is the same fault.
      if (blocks_.size() == (std::size_t{1} << kBlockBits)) throw std::bad_alloc();
      const std::size_t block_size = std::max(kBlockSize, size);
      blocks_.push_back({std::make_unique_for_overwrite<char[]>(block_size), block_size, 0});
    }
    Block& block = blocks_.back();
    const std::uint64_t where = ((blocks_.size() - 1) << kStartBits) | block.used;
    char* const record = block.bytes.get() + block.used;
    const auto length = static_cast<std::uint32_t>(key.size());
    std::memcpy(record, &value, sizeof value);
    std::memcpy(record + kLengthAt, &length, sizeof length);
    std::memcpy(record + kKeyAt, key.data(), key.size());
    block.used += size;
    return where;
  }

  // Moves the keys that still have a value into fresh slots and blocks, half full once `extra`
  // more keys are in. The old blocks are read in order, each key hashed again.
  void Rebuild(std::size_t extra) {
    std::vector<Block> old_blocks = std::move(blocks_);
    blocks_.clear();
    std::size_t live = 0;
    ForEachLive(old_blocks, [&](std::string_view, const Value&) { ++live; });
    slots_.assign(std::bit_ceil(std::max<std::size_t>(16, (live + extra) * 2)), kEmpty);
    used_ = live;
    const std::size_t mask = slots_.size() - 1;
    ForEachLive(old_blocks, [&](std::string_view key, const Value& value) {
      const std::uint64_t hash = Hash(key);
      std::size_t at = hash & mask;
      while (slots_[at] != kEmpty) at = (at + 1) & mask;
      slots_[at] = SlotFor(hash, Append(key, value));
    });
  }

  template <typename Visit>
  static void ForEachLive(const std::vector<Block>& blocks, Visit&& visit) {
    for (const Block& block : blocks) {
      for (std::size_t at = 0; at < block.used;) {
        const char* const record = block.bytes.get() + at;
        const std::string_view key = KeyOf(record);
        if (const Value value = ValueOf(record); value != Value{}) visit(key, value);
        at += kKeyAt + key.size();
      }
    }
  }

  std::vector<std::uint64_t> slots_;  // a power of two of them, at most three quarters used
  std::vector<Block> blocks_;
  std::size_t used_ = 0;  // slots holding a key, with a value or without
};

}  // namespace qomdex
