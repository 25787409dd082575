#include "engine/file_routine.h"

#include "engine/fold.h"
#include "engine/name_cleaning.h"
#include "engine/rename_step.h"
#include "engine/taken_names.h"

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

PassReport FileRoutine(PassState& state, FileList& file1, FileList& file2,
                       const PassOptions& options) {
  // The directory is opened once; the mirror is read and every entry renamed through it.
  PassDirectory directory(file1.path(), options);
  directory.ExpectRenames(file1.count());
  if (!options.mirror_is_fresh) file2.Refresh(directory.handle());
  // Folds are written into buffers reused from entry to entry.
  std::u16string fold, new_fold, suffixed_fold;
  TakenNames taken = IndexTakenNames(file2, /*full_paths=*/false, file1.count(), options);

  PassReport report;
  MakeRoomForRenames(file1, options, report);
  // Returns false when the pass must stop.
  const auto treat = [&](const NativeString& name) {
    Clean(state, name, StripSet::kFile);
    FoldInto(state.NewName, new_fold);
    // The check compares with every listed name and then once more with the empty name.
    const std::size_t matches = taken.Count(new_fold) + (new_fold.empty() ? 1 : 0);
    state.CheckIndex = taken.size();
    state.NameTaken = matches > 0;
    state.CopyCount += matches;
    if (!state.NameChanged) return true;

    if (state.NameTaken) {
      BuildSuffixedName(state);
      FoldInto(state.SuffixedName, suffixed_fold);
    }
    FoldInto(name, fold);
    return CarryOut({name, state.NameTaken ? state.SuffixedName : state.NewName, fold,
                     state.NameTaken ? suffixed_fold : new_fold},
                    directory, options, taken, report);
  };
  for (state.ItemIndex = 0; state.ItemIndex < file1.count(); ++state.ItemIndex) {
    if (!ContinueBefore(options, report)) break;
    const NativeString& name = file1.entry(state.ItemIndex);
    if (!treat(name) || !ContinueAfter(state, file1.count(), name, options, report)) break;
  }
  RefreshAfterPass(file1, options, report);
  return report;
}

}  // namespace qomdex
