#pragma once

#include <cstddef>
#include <string>

#include "location/native_name.h"

namespace qomdex {

// The working values of both passes, owned by the window (or one run of qomdex-cli) for its whole
// life. A pass sets each field it needs before use; only CopyCount carries a value from one pass
// to the next, so copy-suffix numbers never repeat within one run of the program. Positions are
// 1-based where they point into a name.
struct PassState {
  std::size_t ItemIndex = 0;     // 0-based position of the entry being treated
  std::size_t CharPos = 0;       // scan position in the name being cleaned
  NativeString NewName;          // the cleaned name
  NativeString SuffixedName;     // the cleaned file name with its copy suffix
  bool NameChanged = false;      // at least one leading character was cut
  bool NameTaken = false;        // the cleaned name is already in use in the directory
  NativeString FolderName;       // last component of the current folder's full path
  std::size_t CopyCount = 0;     // every match found by the file passes since the start
  std::u16string CandidatePath;  // fold of the full path the cleaned folder name would have
  std::size_t DotPos = 0;        // last dot of the cleaned file name, then its base's length
};

}  // namespace qomdex
