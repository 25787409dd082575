#include "present/quoting.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>

#include "location/join_path.h"
#include "location/text_encoding.h"

namespace qomdex::present {
namespace {

struct CodeRange {
  char32_t first;
  char32_t last;
};

// Unicode 14's control (Cc), format (Cf), line separator (Zl) and paragraph separator (Zp)
// characters: none of them shows as a glyph of its own, and some break lines or reverse the text
// around them. A fixed table, so every platform shows the same without a Unicode library.
constexpr CodeRange kInvisible[] = {
    {0x0000, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD},   {0x0600, 0x0605},
    {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x0890, 0x0891},
    {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
    {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},
    {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x13438}, {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
};

bool IsInvisible(char32_t code) {
  const auto after = std::upper_bound(std::begin(kInvisible), std::end(kInvisible), code,
                                      [](char32_t c, const CodeRange& r) { return c < r.first; });
  return after != std::begin(kInvisible) && code <= std::prev(after)->last;
}

std::string Hex(const char* format, unsigned long value) {
  char buffer[12];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

// Returns the escape for the character `code`, which `length` bytes spell, or nothing when it can
// stand as it is; `length` 0 means a byte that is not UTF-8.
std::optional<std::string> Escape(char32_t code, std::size_t length) {
  if (length == 0) return Hex("\\x%02lX", code);
  switch (code) {
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\r': return "\\r";
    // Where a backslash separates a path's parts (Windows), paths are full of them and no name
    // holds one.
    case '\\':
      if (IsSeparator(NativeChar{'\\'})) break;
      return "\\\\";
    case '\'': return "\\'";
    default: break;
  }
  if (!IsInvisible(code)) return std::nullopt;
  if (code < 0x80) return Hex("\\x%02lX", code);
  return Hex(code > 0xFFFF ? "\\U%08lX" : "\\u%04lX", code);
}

// Returns true for a printable ASCII character that stands as it is inside quotes.
bool IsPlain(NativeChar c) {
  return c >= 0x20 && c < 0x7F && c != '\'' && (c != '\\' || !Escape(static_cast<char32_t>(c), 1));
}

}  // namespace

bool ShowsAsItIs(const NativeString& name) {
  const std::string text = NativeToUtf8(name);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    const char32_t code = DecodeUtf8Sequence(text, i, length);
    if (code != '\'' && code != '\\' && Escape(code, length)) return false;
    i += length;
  }
  return true;
}

std::string QuoteName(const NativeString& name) {
  std::string shown;
  AppendQuotedName(name, shown);
  return shown;
}

void AppendQuotedName(NativeStringView name, std::string& shown) {
  // Most names are plain ASCII: they are copied as they are, without decoding.
  bool plain = !name.empty();
  bool quoted = false;
  for (const NativeChar c : name) {
    if (!IsPlain(c)) {
      plain = false;
      break;
    }
    quoted = quoted || c == ' ' || c == '"';
  }
  if (plain) {
    if (quoted) shown += '\'';
    shown.append(name.begin(), name.end());
    if (quoted) shown += '\'';
    return;
  }
  const std::string text = NativeToUtf8(NativeString(name));
  std::string escaped;
  escaped.reserve(text.size());
  bool needs_quotes = text.empty();
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    const char32_t code =
        length == 0 ? static_cast<unsigned char>(text[i]) : DecodeUtf8Sequence(text, i, length);
    if (const auto escape = Escape(code, length)) {
      escaped += *escape;
      needs_quotes = true;
    } else {
      needs_quotes = needs_quotes || code == ' ' || code == '"';
      escaped.append(text, i, length);
    }
    i += std::max<std::size_t>(length, 1);
  }
  if (needs_quotes) shown += '\'';
  shown += escaped;
  if (needs_quotes) shown += '\'';
}

}  // namespace qomdex::present
