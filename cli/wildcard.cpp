#include "cli/wildcard.h"

#include <optional>

#include "location/text_encoding.h"

namespace qomdex::cli {
namespace {

// A byte outside any UTF-8 sequence becomes a lone low surrogate, which no text holds.
constexpr char32_t kStrayByte = 0xDC00;

std::u32string CodePoints(std::string_view utf8) {
  std::u32string codes;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t length = Utf8SequenceLength(utf8, i);
    if (length == 0) {
      codes.push_back(kStrayByte + static_cast<unsigned char>(utf8[i++]));
    } else {
      codes.push_back(DecodeUtf8Sequence(utf8, i, length));
      i += length;
    }
  }
  return codes;
}

bool InClass(std::u32string_view name, char32_t c) {
  const bool ascii = c < 0x80;
  const bool digit = c >= '0' && c <= '9';
  const bool upper = c >= 'A' && c <= 'Z';
  const bool lower = c >= 'a' && c <= 'z';
  if (name == U"digit") return digit;
  if (name == U"alpha") return upper || lower;
  if (name == U"alnum") return upper || lower || digit;
  if (name == U"upper") return upper;
  if (name == U"lower") return lower;
  if (name == U"space") return c == ' ' || (c >= '\t' && c <= '\r');
  if (name == U"punct") return ascii && c > ' ' && c < 0x7F && !upper && !lower && !digit;
  return false;
}

// Returns whether `c` is in the set that opens with '[' at `open`, and sets `end` just past its
// closing ']'; returns nothing when the set is never closed.
std::optional<bool> InSet(std::u32string_view pattern, std::size_t open, char32_t c,
                          std::size_t& end) {
  std::size_t i = open + 1;
  const bool negated = i < pattern.size() && (pattern[i] == '!' || pattern[i] == '^');
  if (negated) ++i;
  bool found = false;
  for (bool first = true; i < pattern.size(); first = false) {
    char32_t low = pattern[i];
    // A ']' first in the set is one of its members.
    if (low == ']' && !first) {
      end = i + 1;
      return found != negated;
    }
    if (low == '[' && i + 1 < pattern.size() && pattern[i + 1] == ':') {
      const std::size_t close = pattern.find(U":]", i + 2);
      if (close != std::u32string_view::npos) {
        found = found || InClass(pattern.substr(i + 2, close - i - 2), c);
        i = close + 2;
        continue;
      }
    }
    if (low == '\\' && i + 1 < pattern.size()) low = pattern[++i];
    ++i;
    if (i + 1 < pattern.size() && pattern[i] == '-' && pattern[i + 1] != ']') {
      char32_t high = pattern[i + 1];
      i += 2;
      if (high == '\\' && i < pattern.size()) high = pattern[i++];
      found = found || (low <= c && c <= high);
    } else {
      found = found || low == c;
    }
  }
  return std::nullopt;
}

bool Match(std::u32string_view pattern, std::u32string_view name) {
  // The last '*' seen, and where in the name it began to match: on a mismatch it takes one
  // character more. No earlier '*' need be retried, so the match takes at most
  // pattern × name steps.
  std::size_t star = std::u32string_view::npos;
  std::size_t star_name = 0;
  std::size_t p = 0;
  std::size_t n = 0;
  while (n < name.size()) {
    if (p < pattern.size()) {
      const char32_t c = pattern[p];
      if (c == '*') {
        star = ++p;
        star_name = n;
        continue;
      }
      std::size_t next = p + 1;
      bool matched = false;
      if (c == '?') {
        matched = true;
      } else if (c == '[') {
        const std::optional<bool> in_set = InSet(pattern, p, name[n], next);
        matched = in_set ? *in_set : name[n] == '[';
      } else if (c == '\\') {
        // A '\' that ends the pattern escapes nothing, and matches nothing.
        matched = p + 1 < pattern.size() && pattern[p + 1] == name[n];
        next = p + 2;
      } else {
        matched = c == name[n];
      }
      if (matched) {
        p = next;
        ++n;
        continue;
      }
    }
    if (star == std::u32string_view::npos) return false;
    p = star;
    n = ++star_name;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

Wildcard::Wildcard(std::string_view pattern) : pattern_(CodePoints(pattern)) {}

bool Wildcard::Matches(const NativeString& name) const {
  return Match(pattern_, CodePoints(NativeToUtf8(name)));
}

LeaveOut ExcludedBy(const std::vector<std::string>& patterns) {
  if (patterns.empty()) return {};
  std::vector<Wildcard> wildcards(patterns.begin(), patterns.end());
  return [wildcards = std::move(wildcards)](const NativeString& name) {
    for (const Wildcard& wildcard : wildcards) {
      if (wildcard.Matches(name)) return true;
    }
    return false;
  };
}

}  // namespace qomdex::cli
