#include "tests/support/utf8_names.h"

#include "location/text_encoding.h"

namespace qomdex::testing {

NativeString Native(std::string_view utf8) { return NativeFromUtf8(utf8); }

std::string Utf8(const NativeString& name) { return NativeToUtf8(name); }

}  // namespace qomdex::testing
