#include "engine/fold.h"

#include <algorithm>
#include <type_traits>

#include "engine/upper_case.h"

namespace qomdex {
namespace {

#ifndef _WIN32
// Decodes UTF-8 into UTF-16, putting U+FFFD in place of every byte that does not belong to a
// well-formed sequence (overlong forms and surrogates included).
std::u16string DecodeUtf8(const std::string& bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  const auto byte_at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char lead = byte_at(i);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      length = 1, code = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, code = lead & 0x1Fu, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, code = lead & 0x0Fu, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, code = lead & 0x07u, minimum = 0x10000;
    }
    bool well_formed = length > 0 && i + length <= bytes.size();
    for (std::size_t k = 1; well_formed && k < length; ++k) {
      well_formed = (byte_at(i + k) & 0xC0u) == 0x80u;
      code = (code << 6) | (byte_at(i + k) & 0x3Fu);
    }
    well_formed =
        well_formed && code >= minimum && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    if (!well_formed) {
      text.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(code));
    }
    i += length;
  }
  return text;
}
#endif

std::u16string ToUtf16(const NativeString& name) {
#ifdef _WIN32
  return std::u16string(name.begin(), name.end());
#else
  return DecodeUtf8(name);
#endif
}

}  // namespace

std::u16string Fold(const NativeString& name) {
  const std::size_t first = name.find_first_not_of(NativeChar{' '});
  if (first == NativeString::npos) return {};
  const std::size_t last = name.find_last_not_of(NativeChar{' '});
  const auto begin = name.begin() + static_cast<std::ptrdiff_t>(first);
  const auto end = name.begin() + static_cast<std::ptrdiff_t>(last + 1);

  // Most names are ASCII; they fold without a round trip through the case-mapping library.
  const bool ascii = std::all_of(begin, end, [](NativeChar c) {
    return static_cast<std::make_unsigned_t<NativeChar>>(c) < 0x80;
  });
  if (ascii && AsciiUpperCaseIsPlain()) {
    std::u16string folded(static_cast<std::size_t>(end - begin), u'\0');
    std::transform(begin, end, folded.begin(), [](NativeChar c) {
      return static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    });
    return folded;
  }
  return UpperCase(ToUtf16(NativeString(begin, end)));
}

}  // namespace qomdex
