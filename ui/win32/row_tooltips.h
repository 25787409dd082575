#pragma once

#include <functional>
#include <string>

#include "ui/win32/win32.h"

namespace qomdex::win32 {

// A tooltip over one control whose rows each have their own: each time it shows, it asks for the
// text of the row under the pointer (none shows for an empty one), and a move onto another row
// asks anew. The owner of the control passes on the tooltip's notifications (OnNotify).
class RowTooltips {
 public:
  // Returns the row under a point of the control's client area, or -1 for none.
  using RowAt = std::function<LRESULT(POINT at)>;
  // Returns the tooltip of a row; empty for none.
  using TextOf = std::function<std::wstring(LRESULT row)>;

  // Adds the tooltip to `control`, whose notifications go to `owner`.
  RowTooltips(HWND owner, HWND control, RowAt row_at, TextOf text_of);
  // Takes the tooltip away; the control must still exist.
  ~RowTooltips();
  RowTooltips(const RowTooltips&) = delete;
  RowTooltips& operator=(const RowTooltips&) = delete;

  // Gives the tooltip its text when `header` is its request for it; returns true then. Throws
  // nothing.
  bool OnNotify(NMHDR& header);

 private:
  static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR id, DWORD_PTR self);

  HWND control_;
  HWND tooltip_;
  RowAt row_at_;
  TextOf text_of_;
  std::wstring text_;  // what the tooltip shows, kept while it shows
  LRESULT row_ = -1;   // the row under the pointer when the tooltip last asked
};

}  // namespace qomdex::win32
