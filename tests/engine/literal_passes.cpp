#include "tests/engine/literal_passes.h"

#include <algorithm>

#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "engine/name_cleaning.h"
#include "location/join_path.h"
#include "location/platform.h"

namespace qomdex::testing {
namespace {

namespace fs = std::filesystem;

// The shown entries of one kind, in the lists' order: by fold, ties by the exact name.
std::vector<NativeString> Listing(const platform::Directory& directory, bool folders) {
  std::vector<std::pair<std::u16string, NativeString>> keyed;
  for (const auto& entry : platform::SystemCalls::Native().ReadDirectory(directory)) {
    if (entry.is_directory == folders) keyed.emplace_back(Fold(entry.name), entry.name);
  }
  std::sort(keyed.begin(), keyed.end());
  std::vector<NativeString> names;
  for (const auto& [key, name] : keyed) names.push_back(name);
  return names;
}

void Rename(const platform::Directory& directory, const fs::path& from, const fs::path& to,
            PassReport& report) {
  if (platform::NameHidesEntry(LastComponent(to))) {
    report.kept.push_back({from, PassReport::KeptReason::kWouldHide});
    return;
  }
  if (platform::NameIsDevice(LastComponent(to))) {
    report.kept.push_back({from, PassReport::KeptReason::kDeviceName});
    return;
  }
  std::error_code error;
  platform::Rename(directory, LastComponent(from), LastComponent(to), error);
  if (error) {
    report.failures.push_back({PassReport::FailureKind::kRename, from, to, error});
  } else {
    report.renamed.Add(from.parent_path(), LastComponent(from), LastComponent(to), {}, 0);
  }
}

}  // namespace

PassReport LiteralFileRoutine(PassState& state, const fs::path& directory) {
  const fs::path path = NormalizeDirectoryPath(directory);
  const platform::Directory handle(path);
  const std::vector<NativeString> file1 = Listing(handle, false);
  PassReport report;
  for (state.ItemIndex = 0; state.ItemIndex < file1.size(); ++state.ItemIndex) {
    const NativeString& name = file1[state.ItemIndex];
    Clean(state, name, StripSet::kFile);
    std::vector<NativeString> file2 = Listing(handle, false);
    file2.emplace_back();  // the check ends with the empty name
    state.NameTaken = false;
    for (const NativeString& entry : file2) {
      if (Fold(entry) == Fold(state.NewName)) {
        state.NameTaken = true;
        ++state.CopyCount;
      }
    }
    if (!state.NameChanged) continue;
    NativeString new_name = state.NewName;
    if (state.NameTaken) {
      BuildSuffixedName(state);
      new_name = state.SuffixedName;
    }
    Rename(handle, JoinPath(path, name), JoinPath(path, new_name), report);
  }
  return report;
}

PassReport LiteralFolderRoutine(PassState& state, const fs::path& directory) {
  const fs::path path = NormalizeDirectoryPath(directory);
  const platform::Directory handle(path);
  const std::vector<NativeString> dir1 = Listing(handle, true);
  PassReport report;
  for (state.ItemIndex = 0; state.ItemIndex < dir1.size(); ++state.ItemIndex) {
    const fs::path current = JoinPath(path, dir1[state.ItemIndex]);
    Clean(state, dir1[state.ItemIndex], StripSet::kFolder);
    state.NameTaken = false;
    for (const NativeString& entry : Listing(handle, true)) {
      if (Fold(JoinPath(path, entry).native()) == Fold(JoinPath(path, state.NewName).native())) {
        state.NameTaken = true;
      }
    }
    if (!state.NameChanged) continue;
    if (state.NewName.empty()) {
      report.kept.push_back({current, PassReport::KeptReason::kWouldBeEmpty});
      continue;
    }
    Rename(handle, current,
           state.NameTaken ? SuffixedFolderPath(state, path) : JoinPath(path, state.NewName),
           report);
  }
  return report;
}

}  // namespace qomdex::testing
