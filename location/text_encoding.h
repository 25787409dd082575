#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "location/native_name.h"

namespace qomdex {

// Returns the length of the well-formed UTF-8 sequence that starts at `i` (1 to 4), or 0 when the
// byte there does not start one (a stray continuation byte, an overlong form, a surrogate, a
// value past U+10FFFF, or a sequence cut short). Requires i < text.size().
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

// Returns the code point of the well-formed sequence of `length` bytes at `i`.
char32_t DecodeUtf8Sequence(std::string_view text, std::size_t i, std::size_t length);

// Returns UTF-8 text as UTF-16, with U+FFFD for each byte that is not part of a well-formed
// sequence. One replacement per byte, not per broken sequence (ICU's u_strFromUTF8WithSub gives
// one per sequence): so the number of replacements is fixed by the bytes alone, and two names
// that differ only in their bad bytes still differ after decoding wherever they differ in length.
std::u16string DecodeUtf8(std::string_view bytes);

// Appends the UTF-8 bytes of `code`; a surrogate gets the three bytes it would have.
void AppendUtf8(char32_t code, std::string& bytes);

// The functions below depend on the system; each has its own file per system
// (native_posix.cpp, native_windows.cpp).

// Returns a name as UTF-16: decoded by DecodeUtf8 on POSIX, unchanged on Windows.
std::u16string NativeToUtf16(const NativeString& name);

// Returns a name as UTF-8 bytes: unchanged on POSIX; on Windows encoded from UTF-16, where an
// unpaired surrogate, which no text holds, keeps the three bytes it would have (and so never
// passes for text).
std::string NativeToUtf8(const NativeString& name);

// Returns UTF-8 text as a name: unchanged on POSIX; on Windows decoded to UTF-16 with U+FFFD for
// each byte that is not part of a well-formed sequence.
NativeString NativeFromUtf8(std::string_view utf8);

// Returns text the system or the C++ library wrote, such as a failure's reason, as UTF-16: decoded
// as UTF-8 on POSIX; on Windows, where it is in the system's code page (plain ASCII in practice),
// each byte as the Latin-1 character of its value, so no byte can fail a message.
std::u16string SystemTextToUtf16(const std::string& text);

// Returns the same text as SystemTextToUtf16 does, in UTF-8: unchanged on POSIX; on Windows each
// byte as the Latin-1 character of its value.
std::string SystemTextToUtf8(const std::string& text);

}  // namespace qomdex
