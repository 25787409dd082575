#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "engine/upper_case.h"

namespace qomdex {
namespace {

// The file system's casing rules in the user's locale, not the linguistic ones: two names the
// fold calls equal are then two names the file system also takes for one.
constexpr DWORD kMapping = LCMAP_UPPERCASE;

}  // namespace

std::u16string Nfc(std::u16string text) {
  if (text.empty()) return text;
  const auto* source = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  if (IsNormalizedString(NormalizationC, source, length)) return text;
  // The first call estimates the length; a second may be needed when the estimate is short.
  int needed = NormalizeString(NormalizationC, source, length, nullptr, 0);
  for (int attempt = 0; needed > 0 && attempt < 4; ++attempt) {
    std::u16string normal(static_cast<std::size_t>(needed), u'\0');
    const int written = NormalizeString(NormalizationC, source, length,
                                        reinterpret_cast<wchar_t*>(normal.data()), needed);
    if (written > 0) {
      normal.resize(static_cast<std::size_t>(written));
      return normal;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    needed = -written;
  }
  // Text that is not valid UTF-16 (an unpaired surrogate) has no normal form; it stays as it is.
  return text;
}

std::u16string UpperCase(const std::u16string& text) {
  if (text.empty()) return text;
  const auto* source = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kMapping, source, length, nullptr, 0,
                                   nullptr, nullptr, 0);
  std::u16string upper(static_cast<std::size_t>(needed > 0 ? needed : 0), u'\0');
  if (needed <= 0 || LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kMapping, source, length,
                                   reinterpret_cast<wchar_t*>(upper.data()), needed, nullptr,
                                   nullptr, 0) != needed) {
    // Mapping text in memory has no other failure; keep the text if it ever does.
    return text;
  }
  return upper;
}

bool AsciiUpperCaseIsPlain() {
  // Asks the mapping itself, so the shortcut in the fold can never disagree with it.
  static const bool plain =
      UpperCase(u"abcdefghijklmnopqrstuvwxyz") == u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  return plain;
}

}  // namespace qomdex
