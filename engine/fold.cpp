#include "engine/fold.h"

#include <algorithm>
#include <type_traits>

#include "engine/upper_case.h"
#include "location/text_encoding.h"

namespace qomdex {

std::u16string Fold(const NativeString& name) {
  std::u16string folded;
  FoldInto(name, folded);
  return folded;
}

void FoldInto(NativeStringView name, std::u16string& folded) {
  folded.clear();
  const std::size_t first = name.find_first_not_of(NativeChar{' '});
  if (first == NativeStringView::npos) return;
  const std::size_t last = name.find_last_not_of(NativeChar{' '});
  const NativeStringView trimmed = name.substr(first, last + 1 - first);

  // Most names are ASCII; they fold without a round trip through the case-mapping library.
  const bool ascii = std::all_of(trimmed.begin(), trimmed.end(), [](NativeChar c) {
    return static_cast<std::make_unsigned_t<NativeChar>>(c) < 0x80;
  });
  if (ascii && AsciiUpperCaseIsPlain()) {
    folded.resize(trimmed.size());
    std::transform(trimmed.begin(), trimmed.end(), folded.begin(), [](NativeChar c) {
      return static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    });
    return;
  }
  // Canonically equivalent names (an accent precomposed or combined) are one name to every reader.
  folded = UpperCase(Nfc(NativeToUtf16(NativeString(trimmed))));
}

}  // namespace qomdex
