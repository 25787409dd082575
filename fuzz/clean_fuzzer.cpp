// Cleaning cuts only a leading run of the set: the result is a suffix of the name and does not
// itself start with a member of the set.

#include "engine/name_cleaning.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qomdex;
  const NativeString name = fuzz::Name(data, size);
  for (StripSet set : {StripSet::kFile, StripSet::kFolder}) {
    PassState state;
    Clean(state, name, set);
    const NativeString& cleaned = state.NewName;
    fuzz::Require(name.ends_with(cleaned));
    fuzz::Require(state.NameChanged == (cleaned.size() < name.size()));
    fuzz::Require(state.CharPos == name.size() - cleaned.size() + 1);
    fuzz::Require(cleaned.empty() || !IsInStripSet(cleaned.front(), set));
  }
  return 0;
}
