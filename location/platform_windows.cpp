#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <memory>

#include "location/platform.h"

namespace qomdex::platform {
namespace fs = std::filesystem;

namespace {

std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

// Paths past MAX_PATH need the extended-length prefix, which also turns off the system's own
// path rewriting; the paths handed here are already absolute and normal.
std::wstring ExtendedPath(const fs::path& path) {
  const std::wstring& text = path.native();
  if (text.size() < MAX_PATH || text.starts_with(LR"(\\?\)")) return text;
  if (text.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + text.substr(2);
  return LR"(\\?\)" + text;
}

constexpr DWORD kHiddenAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::vector<DirectoryEntry> ReadDirectory(const fs::path& directory) {
  std::wstring pattern = directory.native();
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found{};
  const HANDLE handle = FindFirstFileExW(ExtendedPath(pattern).c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (handle == INVALID_HANDLE_VALUE) {
    throw fs::filesystem_error("cannot read directory", directory, LastError());
  }
  std::unique_ptr<void, BOOL (*)(HANDLE)> closer(handle, FindClose);
  std::vector<DirectoryEntry> entries;
  do {
    const std::wstring_view name(found.cFileName);
    if (name == L"." || name == L".." || (found.dwFileAttributes & kHiddenAttributes) != 0)
      continue;
    entries.push_back(
        {std::wstring(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(handle, &found));
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    throw fs::filesystem_error("cannot read directory", directory, LastError());
  }
  return entries;
}

void Rename(const fs::path& from, const fs::path& to) {
  // Without MOVEFILE_REPLACE_EXISTING the call refuses an existing target.
  if (!MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), 0)) {
    throw fs::filesystem_error("cannot rename", from, to, LastError());
  }
}

std::vector<fs::path> ListDrives() {
  std::vector<fs::path> drives{StartLocation()};
  const DWORD mask = GetLogicalDrives();
  for (wchar_t letter = L'a'; letter <= L'z'; ++letter) {
    if ((mask & (1u << (letter - L'a'))) == 0 || letter == L'c') continue;
    drives.emplace_back(std::wstring{letter, L':', L'\\'});
  }
  return drives;
}

fs::path StartLocation() { return LR"(c:\)"; }

// Hiding on Windows is an attribute, which a rename keeps: no name hides an entry.
bool NameHidesEntry(const NativeString&) { return false; }

}  // namespace qomdex::platform
