// A taken file name keeps its base and its last extension around the copy suffix; a taken folder
// name ends in the suffix after the cleaned path.

#include "engine/file_routine.h"
#include "engine/folder_routine.h"
#include "engine/name_cleaning.h"
#include "fuzz/fuzz_input.h"
#include "location/join_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qomdex;
  if (size < 2) return 0;
  PassState state;
  state.CopyCount = data[0];
  state.ItemIndex = data[1];
  state.NewName = fuzz::Name(data + 2, size - 2);
  const NativeString& name = state.NewName;

  BuildSuffixedName(state);
  const NativeString& suffixed = state.SuffixedName;
  const std::size_t last_dot = name.rfind('.');
  const bool has_extension = last_dot != NativeString::npos && last_dot > 0;
  const NativeString base = has_extension ? name.substr(0, last_dot) : name;
  const NativeString extension = has_extension ? name.substr(last_dot + 1) : NativeString();
  fuzz::Require(state.DotPos == base.size());
  fuzz::Require(suffixed == base + " copy (" + NumberText(state.CopyCount) + ")." + extension);

  const std::filesystem::path folder = SuffixedFolderPath(state, "/d");
  fuzz::Require(folder.native() ==
                JoinPath("/d", name).native() + " Copy (" + NumberText(state.ItemIndex) + ")");
  return 0;
}
