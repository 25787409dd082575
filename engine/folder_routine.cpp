#include "engine/folder_routine.h"

#include "engine/fold.h"
#include "engine/name_cleaning.h"
#include "location/join_path.h"

namespace qomdex {

std::filesystem::path SuffixedFolderPath(const PassState& state,
                                         const std::filesystem::path& directory) {
  static constexpr std::string_view kOpen = " Copy (";
  NativeString suffixed = JoinPath(directory, state.NewName).native();
  suffixed.append(kOpen.begin(), kOpen.end());
  suffixed += NumberText(state.ItemIndex);
  suffixed += NativeChar{')'};
  return std::filesystem::path(std::move(suffixed));
}

PlannedStep FolderPlanner::Decide(std::size_t position, const NativeString& name,
                                  const std::filesystem::path& directory, const TakenNames& taken) {
  state_.ItemIndex = position;
  state_.FolderName = name;
  Clean(state_, state_.FolderName, StripSet::kFolder, leave_out_);
  const std::filesystem::path cleaned = JoinPath(directory, state_.NewName);
  FoldInto(cleaned.native(), state_.CandidatePath);
  state_.NameTaken = taken.Count(state_.CandidatePath) > 0;
  if (!state_.NameChanged) return {};
  if (state_.NewName.empty()) return {PlannedStep::Action::kKeepWouldBeEmpty, nullptr, {}};
  if (!state_.NameTaken) {
    new_name_ = LastComponent(cleaned);
    return {PlannedStep::Action::kRename, &new_name_, state_.CandidatePath};
  }
  const std::filesystem::path target = SuffixedFolderPath(state_, directory);
  new_name_ = LastComponent(target);
  FoldInto(target.native(), target_fold_);
  return {PlannedStep::Action::kRename, &new_name_, target_fold_};
}

PassReport FolderRoutine(PassState& state, DirectoryList& dir1, DirectoryList& dir2,
                         const PassOptions& options) {
  PassReport report = RunPass(EntryKind::kFolder, state, dir1, dir2, options);
  RefreshAfterPass(dir1, options, report);
  return report;
}

}  // namespace qomdex
