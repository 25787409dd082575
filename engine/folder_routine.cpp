#include "engine/folder_routine.h"

#include "engine/fold.h"
#include "engine/name_cleaning.h"
#include "engine/rename_step.h"
#include "engine/taken_names.h"
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

PassReport FolderRoutine(PassState& state, DirectoryList& dir1, DirectoryList& dir2,
                         const PassOptions& options) {
  // The directory is opened once; the mirror is read and every entry renamed through it.
  PassDirectory directory(dir1.path(), options);
  directory.ExpectRenames(dir1.count());
  if (!options.mirror_is_fresh) dir2.Refresh(directory.handle());
  std::u16string fold, target_fold;  // buffers reused from entry to entry
  TakenNames taken = IndexTakenNames(dir2, /*full_paths=*/true, dir1.count(), options);

  PassReport report;
  MakeRoomForRenames(dir1, options, report);
  // Returns false when the pass must stop.
  const auto treat = [&](const std::filesystem::path& current) {
    state.FolderName = LastComponent(current);
    state.SlashPos = current.native().size() - state.FolderName.size() + 1;
    Clean(state, state.FolderName, StripSet::kFolder);

    const std::filesystem::path cleaned = JoinPath(dir1.path(), state.NewName);
    FoldInto(cleaned.native(), state.CandidatePath);
    state.CheckIndex = taken.size();
    state.NameTaken = taken.Count(state.CandidatePath) > 0;
    if (!state.NameChanged) return true;
    if (state.NewName.empty()) {
      RecordKept({current, PassReport::KeptReason::kWouldBeEmpty}, options, report);
      return true;
    }
    const std::filesystem::path target =
        state.NameTaken ? SuffixedFolderPath(state, dir1.path()) : cleaned;
    FoldInto(current.native(), fold);
    if (state.NameTaken) FoldInto(target.native(), target_fold);
    return CarryOut({state.FolderName, LastComponent(target), fold,
                     state.NameTaken ? target_fold : state.CandidatePath,
                     /*indexed_by_full_path=*/true},
                    directory, options, taken, report);
  };
  for (state.ItemIndex = 0; state.ItemIndex < dir1.count(); ++state.ItemIndex) {
    if (!ContinueBefore(options, report)) break;
    if (!treat(dir1.entry(state.ItemIndex)) ||
        !ContinueAfter(state, dir1.count(), dir1.name(state.ItemIndex), options, report)) {
      break;
    }
  }
  RefreshAfterPass(dir1, options, report);
  return report;
}

}  // namespace qomdex
