#pragma once

#include <cstddef>

#include "engine/pass_options.h"
#include "engine/pass_state.h"
#include "location/native_name.h"

namespace qomdex {

// The characters cut from the start of a name: digits, space, underscore and dash for files;
// folders also lose dots. A file's extension dot is never cut.
enum class StripSet { kFile, kFolder };

// Returns true when the character belongs to the set. Only the ten ASCII digits count as digits.
bool IsInStripSet(NativeChar c, StripSet set);

// Cuts the longest leading run of set members from name into state.NewName, sets
// state.NameChanged when anything was cut and leaves state.CharPos on the first kept character.
void Clean(PassState& state, const NativeString& name, StripSet set);

// As Clean, but a name that `leave_out` (when set) names keeps itself: state.NewName is the name
// and state.NameChanged false, as for a name with nothing to cut.
void Clean(PassState& state, const NativeString& name, StripSet set, const LeaveOut& leave_out);

// Returns the number as a copy suffix writes it: a blank, then its decimal digits (3 gives " 3").
NativeString NumberText(std::size_t number);

}  // namespace qomdex
