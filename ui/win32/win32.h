#pragma once

// <windows.h> as every file of the Win32 view includes it, with the common controls and themes
// after it (they need it first): the wide-character API, and the calls of Windows 10
// (per-monitor DPI) declared.
#ifndef NOMINMAX
#define NOMINMAX
#endif
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>
// clang-format on

#include <string>

namespace qomdex::win32 {

// Returns the form's text as the wide-character API takes it.
inline std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }

// Returns ASCII text as the wide-character API takes it.
inline std::wstring Wide(const char* text) {
  return {text, text + std::char_traits<char>::length(text)};
}

}  // namespace qomdex::win32
