#include "tests/engine/pass_fixture.h"

#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "location/location_lists.h"
#include "tests/support/utf8_names.h"

namespace qomdex::testing {

PassReport RunFilePass(PassState& state, const std::filesystem::path& directory,
                       const PassOptions& options) {
  LocationLists lists(Fold);
  lists.OpenDirectory(directory);
  return FileRoutine(state, lists.File1(), lists.File2(), options);
}

PassReport RunFolderPass(PassState& state, const std::filesystem::path& directory,
                         const PassOptions& options) {
  LocationLists lists(Fold);
  lists.OpenDirectory(directory);
  return FolderRoutine(state, lists.Dir1(), lists.Dir2(), options);
}

std::vector<std::string> RenamedTo(const PassReport& report) {
  std::vector<std::string> names;
  for (const auto& renamed : report.renamed) names.push_back(Utf8(NativeString(renamed.to)));
  return names;
}

std::vector<std::string> FailedNames(const PassReport& report) {
  std::vector<std::string> names;
  for (const auto& failure : report.failures) names.push_back(Utf8(failure.path.filename()));
  return names;
}

}  // namespace qomdex::testing
