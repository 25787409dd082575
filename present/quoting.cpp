#include "present/quoting.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "location/join_path.h"
#include "location/text_encoding.h"

namespace qomdex::present {
namespace {

struct CodeRange {
  char32_t first;
  char32_t last;
};

// The characters beyond ASCII that show no glyph of their own, or only a blank: Unicode's
// controls (Cc), format characters (Cf), line and paragraph separators (Zl, Zp), default-ignorable
// code points (variation selectors, Hangul fillers, the combining grapheme joiner, ...), the
// spaces other than U+0020 (Zs, but the Ogham space mark, which shows a stroke) and the braille
// blank. Some of them break lines or reverse the text around them. A fixed table (Unicode 15), so
// every platform shows the same without a Unicode library.
constexpr CodeRange kInvisible[] = {
    {0x0080, 0x00A0},   {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x0600, 0x0605},
    {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x0890, 0x0891},
    {0x08E2, 0x08E2},   {0x115F, 0x1160},   {0x17B4, 0x17B5},   {0x180B, 0x180F},
    {0x2000, 0x200F},   {0x2028, 0x202F},   {0x205F, 0x206F},   {0x2800, 0x2800},
    {0x3000, 0x3000},   {0x3164, 0x3164},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},
    {0xFFA0, 0xFFA0},   {0xFFF0, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
    {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

bool IsInvisible(char32_t code) {
  const auto after = std::upper_bound(std::begin(kInvisible), std::end(kInvisible), code,
                                      [](char32_t c, const CodeRange& r) { return c < r.first; });
  return after != std::begin(kInvisible) && code <= std::prev(after)->last;
}

// How a character of a name stands in what a shell reads back as that name.
enum class Role : std::uint8_t {
  kBare,        // as it is, quoted or not
  kQuoted,      // as it is, but inside quotes: bare, the shell would take it for syntax
  kApostrophe,  // the single quote, which single quotes cannot hold
  kEscaped,     // as an escape inside $'...'
};

struct Character {
  Role role;
  bool fits_double_quotes;  // may stand as it is inside "...", where $, `, \ and ! mean something
};

// Returns how the ASCII character `c`, at byte `at` of a name of `size` bytes, stands. The
// characters that call for quotes, and those that may stand in double quotes, are the ones
// coreutils' ls counts, so a name is printed as ls prints it.
Character Ascii(char c, std::size_t at, std::size_t size) {
  switch (c) {
    case '\'': return {Role::kApostrophe, true};
    case ' ': return {Role::kQuoted, true};
    // A comment starts, and a home folder is named, only at the start of a word.
    case '#':
    case '~': return at == 0 ? Character{Role::kQuoted, true} : Character{Role::kBare, false};
    // A brace alone is a word of the shell's grammar.
    case '{':
    case '}': return {size == 1 ? Role::kQuoted : Role::kBare, false};
    // Where a backslash separates a path's parts (Windows), paths are full of them and no name
    // holds one.
    case '\\':
      return IsSeparator(NativeChar{'\\'}) ? Character{Role::kBare, true}
                                           : Character{Role::kQuoted, false};
    case '!':
    case '"':
    case '$':
    case '&':
    case '(':
    case ')':
    case '*':
    case ';':
    case '<':
    case '=':
    case '>':
    case '?':
    case '[':
    case '^':
    case '`':
    case '|': return {Role::kQuoted, false};
    default: break;
  }
  if (c < 0x20 || c == 0x7F) return {Role::kEscaped, false};
  return {Role::kBare, true};
}

// Calls `visit(bytes, character)` for each character of the UTF-8 `text`; a byte that is not
// part of a well-formed sequence counts as a character of its own, to be escaped.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      visit(text.substr(i, 1), Ascii(static_cast<char>(byte), i, text.size()));
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text, i);
    const bool shows = length != 0 && !IsInvisible(DecodeUtf8Sequence(text, i, length));
    const std::size_t taken = std::max<std::size_t>(length, 1);
    visit(text.substr(i, taken),
          shows ? Character{Role::kBare, true} : Character{Role::kEscaped, false});
    i += taken;
  }
}

// Appends the escape that $'...' reads back as `bytes`: a letter for the usual controls, else
// three octal digits per byte, which every shell in every locale reads back as that byte.
void AppendEscape(std::string_view bytes, std::string& shown) {
  constexpr std::string_view kControls = "\a\b\f\n\r\t\v";
  constexpr std::string_view kLetters = "abfnrtv";
  if (const std::size_t at = kControls.find(bytes.front()); bytes.size() == 1 && at != bytes.npos) {
    shown += '\\';
    shown += kLetters[at];
    return;
  }
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    shown += '\\';
    shown += static_cast<char>('0' + (byte >> 6));
    shown += static_cast<char>('0' + ((byte >> 3) & 7));
    shown += static_cast<char>('0' + (byte & 7));
  }
}

}  // namespace

bool ShowsAsItIs(const NativeString& name) {
  const std::string text = NativeToUtf8(name);
  bool escapes = false;
  ForEachCharacter(
      text, [&](std::string_view, Character c) { escapes = escapes || c.role == Role::kEscaped; });
  // Whatever QuoteName does not give bare begins and ends with the same quote mark.
  const bool looks_quoted = text.size() >= 2 && (text.front() == '\'' || text.front() == '"') &&
                            text.back() == text.front();
  return !escapes && !looks_quoted;
}

std::string QuoteName(const NativeString& name) {
  std::string shown;
  AppendQuotedName(name, shown);
  return shown;
}

void AppendQuotedName(NativeStringView name, std::string& shown) {
  // Most names are ASCII that means nothing to a shell: copied as they are, without decoding.
  bool bare = !name.empty();
  for (std::size_t i = 0; bare && i < name.size(); ++i) {
    const auto c = static_cast<std::make_unsigned_t<NativeChar>>(name[i]);
    bare = c < 0x80 && Ascii(static_cast<char>(c), i, name.size()).role == Role::kBare;
  }
  if (bare) {
    shown.append(name.begin(), name.end());
    return;
  }
  const std::string text = NativeToUtf8(NativeString(name));
  bool quotes = text.empty();
  bool apostrophe = false;
  bool fits_double_quotes = true;
  ForEachCharacter(text, [&](std::string_view, Character c) {
    quotes = quotes || c.role != Role::kBare;
    apostrophe = apostrophe || c.role == Role::kApostrophe;
    fits_double_quotes = fits_double_quotes && c.fits_double_quotes;
  });
  if (!quotes) {
    shown += text;
    return;
  }
  // A single quote is most often an apostrophe; where nothing else in the name means anything
  // inside double quotes, those read better than 'it'\''s'.
  if (apostrophe && fits_double_quotes) {
    shown += '"';
    shown += text;
    shown += '"';
    return;
  }
  shown += '\'';
  bool escaping = false;  // inside $'...' rather than '...'
  ForEachCharacter(text, [&](std::string_view bytes, Character c) {
    switch (c.role) {
      case Role::kEscaped:
        if (!escaping) shown += "'$'";
        escaping = true;
        AppendEscape(bytes, shown);
        return;
      case Role::kApostrophe:
        // Ends the quotes, adds an escaped quote, and opens plain quotes again.
        shown += "'\\''";
        escaping = false;
        return;
      case Role::kBare:
      case Role::kQuoted:
        if (escaping) shown += "''";
        escaping = false;
        shown += bytes;
        return;
    }
  });
  shown += '\'';
}

}  // namespace qomdex::present
