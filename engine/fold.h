#pragma once

#include <string>

#include "location/native_name.h"

namespace qomdex {

// Returns the form in which names are compared: spaces trimmed at both ends, normalized to
// Unicode's form C (so canonically equivalent names are one name), then upper-cased in the
// default locale. On POSIX a name is decoded as UTF-8 with U+FFFD standing for each byte that
// is not; the name itself is never changed. Never touches the disk.
std::u16string Fold(const NativeString& name);
// The same, written into `folded`, whose buffer is reused: a pass folds every name it meets.
void FoldInto(NativeStringView name, std::u16string& folded);

}  // namespace qomdex
