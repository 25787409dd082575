#include "engine/fold.h"

#include <algorithm>
#include <type_traits>

#include "engine/upper_case.h"
#include "location/text_encoding.h"

namespace qomdex {

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
  return UpperCase(NativeToUtf16(NativeString(begin, end)));
}

}  // namespace qomdex
