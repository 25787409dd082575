#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qomdex {

// A map from byte strings to small values, built for the million names of one large directory:
// every key is copied once into one growing buffer, beside its value, and the slots of an
// open-addressing table hold only part of a key's hash and where the key lies. Compared with a node per key
// this takes a fraction of the memory and of the cache misses. A key whose value is back at
// Value{} counts as absent and is dropped when the table next grows or tidies itself.
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
    return slot == kEmpty ? Value{} : ValueAt(OffsetOf(slot));
  }

  // Gives the value of `key` (Value{} if it has none) to `change`, and keeps what it returns.
  template <typename Change>
  void Update(std::string_view key, Change&& change) {
    if ((used_ + 1) * 4 > slots_.size() * 3) Rebuild(1);
    const std::uint64_t hash = Hash(key);
    std::uint64_t& slot = slots_[Find(key, hash)];
    if (slot == kEmpty) {
      slot = SlotFor(hash, Append(key));
      ++used_;
    }
    SetValueAt(OffsetOf(slot), change(ValueAt(OffsetOf(slot))));
  }

 private:
  // A slot is the top bits of its key's hash over where the key's record lies in bytes_, plus
  // one, so that zero means empty: eight bytes, room for a terabyte of keys.
  static constexpr std::uint64_t kEmpty = 0;
  static constexpr int kOffsetBits = 40;
  static constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;
  static std::uint64_t SlotFor(std::uint64_t hash, std::uint64_t offset) {
    return (hash & ~kOffsetMask) | (offset + 1);
  }
  static std::uint64_t OffsetOf(std::uint64_t slot) { return (slot & kOffsetMask) - 1; }
  static std::uint64_t Hash(std::string_view key) { return std::hash<std::string_view>{}(key); }

  // A record in bytes_: the value, the key's length, then the key.
  static constexpr std::size_t kLengthAt = sizeof(Value);
  static constexpr std::size_t kKeyAt = sizeof(Value) + sizeof(std::uint32_t);

  // Returns the slot holding `key`, or the empty slot where it would go.
  std::size_t Find(std::string_view key, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const std::uint64_t slot = slots_[at];
      if (slot == kEmpty ||
          ((slot & ~kOffsetMask) == (hash & ~kOffsetMask) && KeyAt(OffsetOf(slot)) == key)) {
        return at;
      }
    }
  }

  std::string_view KeyAt(std::uint64_t offset) const {
    std::uint32_t length;
    std::memcpy(&length, bytes_.data() + offset + kLengthAt, sizeof length);
    return {bytes_.data() + offset + kKeyAt, length};
  }
  Value ValueAt(std::uint64_t offset) const {
    Value value;
    std::memcpy(&value, bytes_.data() + offset, sizeof value);
    return value;
  }
  void SetValueAt(std::uint64_t offset, const Value& value) {
    std::memcpy(bytes_.data() + offset, &value, sizeof value);
  }

  std::uint64_t Append(std::string_view key) {
    const std::uint64_t offset = bytes_.size();
    if (offset + kKeyAt + key.size() > kOffsetMask) throw std::length_error("too many names");
    const auto length = static_cast<std::uint32_t>(key.size());
    bytes_.resize(offset + kKeyAt + key.size());
    SetValueAt(offset, Value{});
    std::memcpy(bytes_.data() + offset + kLengthAt, &length, sizeof length);
    std::memcpy(bytes_.data() + offset + kKeyAt, key.data(), key.size());
    return offset;
  }

  // Moves the keys that still have a value into fresh slots and a fresh buffer, half full once
  // `extra` more keys are in.
  void Rebuild(std::size_t extra) {
    const FlatNameTable old = std::move(*this);
    std::size_t live = 0;
    for (const std::uint64_t slot : old.slots_) {
      if (slot != kEmpty && old.ValueAt(OffsetOf(slot)) != Value{}) ++live;
    }
    slots_.assign(std::bit_ceil(std::max<std::size_t>(16, (live + extra) * 2)), kEmpty);
    bytes_.clear();
    used_ = 0;
    for (const std::uint64_t slot : old.slots_) {
      if (slot == kEmpty) continue;
      const Value value = old.ValueAt(OffsetOf(slot));
      if (value == Value{}) continue;
      const std::string_view key = old.KeyAt(OffsetOf(slot));
      const std::uint64_t hash = Hash(key);
      std::uint64_t& fresh = slots_[Find(key, hash)];
      fresh = SlotFor(hash, Append(key));
      SetValueAt(OffsetOf(fresh), value);
      ++used_;
    }
  }

  std::vector<std::uint64_t> slots_;  // a power of two of them, at most three quarters used
  std::vector<char> bytes_;
  std::size_t used_ = 0;  // slots holding a key, with a value or without
};

}  // namespace qomdex
