#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace qomdex::form {

// One text a view drew in a row of a list or of the preview, and whether it had to cut the text
// short ("…") to fit its room.
struct DrawnText {
  std::u16string_view text;
  bool cut = false;
};

// Returns the tooltip of a row a view drew: the whole of each text it cut short, one a line, in
// the order given; empty, and then no tooltip shows, when it cut none, since a tooltip that
// repeats what shows whole only gets in the way.
std::u16string CutTextTooltip(std::initializer_list<DrawnText> texts);

}  // namespace qomdex::form
