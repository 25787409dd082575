#include "engine/name_cleaning.h"

#include <string>

namespace qomdex {

bool IsInStripSet(NativeChar c, StripSet set) {
  if (c >= '0' && c <= '9') return true;
  if (c == ' ' || c == '_' || c == '-') return true;
  return set == StripSet::kFolder && c == '.';
}

void Clean(PassState& state, const NativeString& name, StripSet set) {
  state.CharPos = 1;
  state.NameChanged = false;
  while (state.CharPos <= name.size() && IsInStripSet(name[state.CharPos - 1], set)) {
    state.NameChanged = true;
    ++state.CharPos;
  }
  state.NewName.assign(name, state.CharPos - 1);  // reuses the buffer of the last name
}

void Clean(PassState& state, const NativeString& name, StripSet set, const LeaveOut& leave_out) {
  Clean(state, name, set);
  if (!state.NameChanged || !leave_out || !leave_out(name)) return;
  state.NewName = name;
  state.NameChanged = false;
}

NativeString NumberText(std::size_t number) {
  const std::string digits = std::to_string(number);
  NativeString text(1, NativeChar{' '});
  text.append(digits.begin(), digits.end());
  return text;
}

}  // namespace qomdex
