#include "cli/quoting.h"

#include <cstdio>
#include <optional>

namespace qomdex::cli {
namespace {

#ifdef _WIN32
// Returns the name as UTF-8, except that an unpaired surrogate, which no text holds, keeps the
// three bytes it would have and so shows as escapes instead of failing the conversion.
std::string Bytes(const std::filesystem::path& name) {
  const std::wstring& text = name.native();
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00u);
    }
    const auto put = [&](char32_t bits) { bytes.push_back(static_cast<char>(bits)); };
    if (code < 0x80) {
      put(code);
    } else if (code < 0x800) {
      put(0xC0 | (code >> 6)), put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      put(0xE0 | (code >> 12)), put(0x80 | ((code >> 6) & 0x3F)), put(0x80 | (code & 0x3F));
    } else {
      put(0xF0 | (code >> 18)), put(0x80 | ((code >> 12) & 0x3F));
      put(0x80 | ((code >> 6) & 0x3F)), put(0x80 | (code & 0x3F));
    }
  }
  return bytes;
}
#else
std::string Bytes(const std::filesystem::path& name) { return name.native(); }
#endif

// Returns the length of the well-formed UTF-8 sequence at i, or 0.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead == 0xE0)
    length = 3, low = 0xA0;
  else if (lead == 0xED)
    length = 3, high = 0x9F;
  else if (lead >= 0xE1 && lead <= 0xEF)
    length = 3;
  else if (lead == 0xF0)
    length = 4, low = 0x90;
  else if (lead == 0xF4)
    length = 4, high = 0x8F;
  else if (lead >= 0xF1 && lead <= 0xF3)
    length = 4;
  else
    return 0;
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

std::string HexEscape(unsigned char byte) {
  char buffer[5];
  std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
  return buffer;
}

// Returns the escape for a byte that cannot stand as it is on a line, or nothing.
std::optional<std::string> Escape(unsigned char byte, bool starts_valid_text) {
  if (!starts_valid_text) return HexEscape(byte);
  switch (byte) {
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\r': return "\\r";
#ifndef _WIN32
    // A Windows path is full of backslashes, and no Windows name holds one.
    case '\\': return "\\\\";
#endif
    case '\'': return "\\'";
    default: break;
  }
  if (byte < 0x20 || byte == 0x7F) return HexEscape(byte);
  return std::nullopt;
}

}  // namespace

std::string QuoteName(const std::filesystem::path& name) {
  const std::string text = Bytes(name);
  std::string shown;
  bool needs_quotes = text.empty();
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    const auto byte = static_cast<unsigned char>(text[i]);
    if (const auto escape = Escape(byte, length > 0)) {
      shown += *escape;
      needs_quotes = true;
      ++i;
      continue;
    }
    needs_quotes = needs_quotes || byte == ' ' || byte == '"';
    shown.append(text, i, length);
    i += length;
  }
  return needs_quotes ? "'" + shown + "'" : shown;
}

}  // namespace qomdex::cli
