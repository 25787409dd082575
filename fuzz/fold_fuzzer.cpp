// The fold ignores spaces at both ends and never keeps one there, whatever bytes a name holds.

#include "engine/fold.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qomdex;
  const NativeString name = fuzz::Name(data, size);
  const std::u16string folded = Fold(name);
  fuzz::Require(folded.empty() || (folded.front() != u' ' && folded.back() != u' '));
  fuzz::Require(Fold(" " + name + "  ") == folded);
  return 0;
}
