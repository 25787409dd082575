#include "engine/file_routine.h"

#include "engine/fold.h"
#include "engine/name_cleaning.h"

namespace qomdex {
namespace {

NativeString Ascii(const char* text) {
  const std::string_view view(text);
  return NativeString(view.begin(), view.end());
}

}  // namespace

void BuildSuffixedName(PassState& state) {
  const NativeString& name = state.NewName;
  state.DotPos = name.size();
  while (state.DotPos > 0 && name[state.DotPos - 1] != '.') --state.DotPos;
  state.DotPos = state.DotPos < 2 ? name.size() : state.DotPos - 1;
  const std::size_t extension_start = std::min(state.DotPos + 1, name.size());
  state.SuffixedName = name.substr(0, state.DotPos) + Ascii(" copy (") +
                       NumberText(state.CopyCount) + Ascii(").") + name.substr(extension_start);
}

PlannedStep FilePlanner::Decide(std::size_t position, const NativeString& name,
                                const std::filesystem::path& /*directory*/,
                                const TakenNames& taken) {
  state_.ItemIndex = position;
  Clean(state_, name, StripSet::kFile, leave_out_);
  FoldInto(state_.NewName, new_fold_);
  // The check compares with every listed name and then once more with the empty name.
  const std::size_t matches = taken.Count(new_fold_) + (new_fold_.empty() ? 1 : 0);
  state_.NameTaken = matches > 0;
  state_.CopyCount += matches;
  if (!state_.NameChanged) return {};
  if (!state_.NameTaken) return {PlannedStep::Action::kRename, &state_.NewName, new_fold_};
  BuildSuffixedName(state_);
  FoldInto(state_.SuffixedName, suffixed_fold_);
  return {PlannedStep::Action::kRename, &state_.SuffixedName, suffixed_fold_};
}

PassReport FileRoutine(PassState& state, FileList& file1, FileList& file2,
                       const PassOptions& options) {
  PassReport report = RunPass(EntryKind::kFile, state, file1, file2, options);
  RefreshAfterPass(file1, options, report);
  return report;
}

}  // namespace qomdex
