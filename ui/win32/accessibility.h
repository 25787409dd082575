#pragma once

#include <string>

#include "ui/win32/win32.h"

namespace qomdex::win32 {

// Gives a control the name and description a screen reader says of it, through the system's
// accessibility annotations. Needs COM on the calling thread; without it, or where the system
// keeps no annotations, the control keeps what it says by itself. Never fails.
void Annotate(HWND control, const std::wstring& name, const std::wstring& description);

}  // namespace qomdex::win32
