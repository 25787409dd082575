#pragma once

#include <string>
#include <string_view>

#include "location/native_name.h"

namespace qomdex::testing {

// Tests write names as UTF-8 literals. These convert them to and from the system's own form:
// unchanged bytes on POSIX, UTF-16 on Windows.
NativeString Native(std::string_view utf8);
std::string Utf8(const NativeString& name);

}  // namespace qomdex::testing
