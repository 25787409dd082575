#pragma once

#include <string>

namespace qomdex {

// Returns the text upper-cased in the default locale: by ICU's full case mapping (one letter may
// become several, as 'ß' becomes "SS"), or on Windows by the system's one-to-one mapping.
std::u16string UpperCase(const std::u16string& text);

// Returns true when upper-casing ASCII text in the default locale is plain 'a'-'z' to 'A'-'Z'
// (false in Turkish and Azeri, where 'i' becomes a dotted capital).
bool AsciiUpperCaseIsPlain();

}  // namespace qomdex
