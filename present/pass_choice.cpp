#include "present/pass_choice.h"

#include "engine/file_routine.h"
#include "engine/folder_routine.h"

namespace qomdex::present {

PassReport RunPass(PassKind kind, PassState& state, LocationLists& lists,
                   const PassOptions& options) {
  if (kind == PassKind::kFolders) return FolderRoutine(state, lists.Dir1(), lists.Dir2(), options);
  return FileRoutine(state, lists.File1(), lists.File2(), options);
}

}  // namespace qomdex::present
