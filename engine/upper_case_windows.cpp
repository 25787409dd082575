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
