#include "ui/form/cut_text_tooltip.h"

namespace qomdex::form {

std::u16string CutTextTooltip(std::initializer_list<DrawnText> texts) {
  std::u16string tooltip;
  for (const DrawnText& drawn : texts) {
    if (!drawn.cut) continue;
    if (!tooltip.empty()) tooltip += u'\n';
    tooltip += drawn.text;
  }
  return tooltip;
}

}  // namespace qomdex::form
