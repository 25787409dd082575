#pragma once

#include <string>

namespace qomdex {

// Returns the text in Unicode's normalization form C (precomposed), in which canonically
// equivalent texts ('e' and U+0301, or U+00E9) are one text: by ICU, or on Windows by the system.
// Text that is already in form C, as nearly every name is, comes back at the cost of one scan.
std::u16string Nfc(std::u16string text);

// Returns the text upper-cased in the default locale: by ICU's full case mapping (one letter may
// become several, as 'ß' becomes "SS"), or on Windows by the system's one-to-one mapping.
std::u16string UpperCase(const std::u16string& text);

// Returns true when upper-casing ASCII text in the default locale is plain 'a'-'z' to 'A'-'Z'
// (false in Turkish and Azeri, where 'i' becomes a dotted capital).
bool AsciiUpperCaseIsPlain();

}  // namespace qomdex
