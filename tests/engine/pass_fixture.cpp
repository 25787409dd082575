#include "tests/engine/pass_fixture.h"

#include "engine/fold.h"
#include "engine/pass.h"
#include "location/directory_list.h"
#include "location/file_list.h"
#include "tests/support/utf8_names.h"

namespace qomdex::testing {

namespace {

// Runs a pass as qomdex-cli does: over one listing read just before, which is also the pass's
// record of the names taken.
template <typename List>
PassReport RunOverListing(EntryKind kind, PassState& state, const std::filesystem::path& directory,
                          const PassOptions& options) {
  List listing(Fold);
  listing.SetPath(directory);
  return RunPass(kind, state, listing, listing, options);
}

}  // namespace

PassReport RunFilePass(PassState& state, const std::filesystem::path& directory,
                       const PassOptions& options) {
  return RunOverListing<FileList>(EntryKind::kFile, state, directory, options);
}

PassReport RunFolderPass(PassState& state, const std::filesystem::path& directory,
                         const PassOptions& options) {
  return RunOverListing<DirectoryList>(EntryKind::kFolder, state, directory, options);
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
