#include <unicode/uloc.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>

#include <new>
#include <string_view>

#include "engine/upper_case.h"

namespace qomdex {
namespace {

// Returns ICU's default locale. ICU sets it on first use and, should memory run out just then,
// reads through a null pointer; setting it here first turns that into std::bad_alloc, thrown
// again until the locale is set.
const char* DefaultLocale() {
  static const bool set = [] {
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault(nullptr, &status);
    if (U_FAILURE(status)) throw std::bad_alloc();
    return true;
  }();
  static_cast<void>(set);
  return uloc_getDefault();
}

}  // namespace

std::u16string Nfc(std::u16string text) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
  const auto length = static_cast<int32_t>(text.size());
  if (U_FAILURE(status) || unorm2_spanQuickCheckYes(nfc, text.data(), length, &status) == length) {
    return text;
  }
  std::u16string normal(text.size(), u'\0');
  for (;;) {
    status = U_ZERO_ERROR;
    const int32_t written = unorm2_normalize(nfc, text.data(), length, normal.data(),
                                             static_cast<int32_t>(normal.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      normal.resize(static_cast<std::size_t>(written));
      continue;
    }
    // Normalizing valid UTF-16 in memory has no other failure; keep the text if it ever does.
    if (U_FAILURE(status)) return text;
    normal.resize(static_cast<std::size_t>(written));
    return normal;
  }
}

std::u16string UpperCase(const std::u16string& text) {
  std::u16string upper(text.size(), u'\0');
  for (;;) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_strToUpper(upper.data(), static_cast<int32_t>(upper.size()), text.data(),
                     static_cast<int32_t>(text.size()), DefaultLocale(), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      upper.resize(static_cast<std::size_t>(length));
      continue;
    }
    // A fold made without its upper case would take names apart that are one.
    if (status == U_MEMORY_ALLOCATION_ERROR) throw std::bad_alloc();
    // Upper-casing valid UTF-16 in memory has no other failure; keep the text if it ever does.
    if (U_FAILURE(status)) return text;
    upper.resize(static_cast<std::size_t>(length));
    return upper;
  }
}

bool AsciiUpperCaseIsPlain() {
  static const bool plain = [] {
    char language[ULOC_LANG_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLanguage(DefaultLocale(), language, ULOC_LANG_CAPACITY, &status);
    const std::string_view code(language);
    return code != "tr" && code != "az";
  }();
  return plain;
}

}  // namespace qomdex
