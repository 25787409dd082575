#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <memory>
#include <string_view>

#include "location/platform.h"

namespace qomdex::platform {
namespace fs = std::filesystem;

namespace {

std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The extended form (\\?\) lifts the 260-character limit and hands names to the file system
// exactly as given, so an entry whose name ends in a dot or a space (made by another system) can
// still be read and renamed. It takes only absolute paths without "." or "..".
std::wstring ExtendedPath(const fs::path& path) {
  const std::wstring& text = path.native();
  if (text.starts_with(LR"(\\?\)") || text.starts_with(LR"(\\.\)")) return text;
  // A share's path is left as written: the library's normal form merges its leading separators.
  if (text.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + text.substr(2);
  if (!path.is_absolute()) return text;
  return LR"(\\?\)" + path.lexically_normal().native();
}

// Win32 drops the dots and spaces that end a name (a rename to "a." makes "a"); the extended form
// keeps them, so the rule is applied here and every name made is one all Windows programs can
// open. Returns nothing when no name is left.
std::wstring WithoutTrailingDotsAndSpaces(const fs::path& path) {
  std::wstring text = path.native();
  std::size_t name_start = text.size();
  while (name_start > 0 && !IsSeparator(text[name_start - 1])) --name_start;
  while (text.size() > name_start && (text.back() == L'.' || text.back() == L' ')) text.pop_back();
  return text.size() > name_start ? text : std::wstring();
}

bool IsDirectory(const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(ExtendedPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

struct FindCloser {
  void operator()(HANDLE handle) const { FindClose(handle); }
};

constexpr DWORD kHiddenAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::vector<DirectoryEntry> ReadDirectory(const fs::path& directory) {
  std::wstring pattern = ExtendedPath(directory);
  if (!pattern.empty() && !IsSeparator(pattern.back())) pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found{};
  const HANDLE handle = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (handle == INVALID_HANDLE_VALUE) {
    const std::error_code error = LastError();
    // A drive root has no "." entry, so an empty one yields nothing at all.
    if (error.value() == ERROR_FILE_NOT_FOUND && IsDirectory(directory)) return {};
    throw fs::filesystem_error("cannot read directory", directory, error);
  }
  const std::unique_ptr<void, FindCloser> closer(handle);
  std::vector<DirectoryEntry> entries;
  do {
    const std::wstring_view name(found.cFileName);
    if (name == L"." || name == L".." || (found.dwFileAttributes & kHiddenAttributes) != 0) {
      continue;
    }
    entries.push_back(
        {NativeString(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(handle, &found));
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    throw fs::filesystem_error("cannot read directory", directory, LastError());
  }
  return entries;
}

fs::path Rename(const fs::path& from, const fs::path& to, std::error_code& error) {
  const std::wstring target = WithoutTrailingDotsAndSpaces(to);
  if (target.empty()) {
    error.assign(ERROR_INVALID_NAME, std::system_category());
    return {};
  }
  // Without MOVEFILE_REPLACE_EXISTING the call refuses an existing target.
  if (!MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(target).c_str(), 0)) {
    error = LastError();
    return {};
  }
  error.clear();
  return fs::path(target);
}

std::vector<fs::path> ListDrives() {
  std::vector<fs::path> drives{StartLocation()};
  const DWORD mask = GetLogicalDrives();
  for (unsigned bit = 0; bit < 26; ++bit) {
    const auto letter = static_cast<wchar_t>(L'a' + bit);
    if ((mask >> bit & 1u) == 0 || letter == L'c') continue;
    drives.emplace_back(std::wstring{letter, L':', L'\\'});
  }
  return drives;
}

fs::path StartLocation() { return LR"(c:\)"; }

// Hiding on Windows is an attribute, which a rename keeps: no name hides an entry.
bool NameHidesEntry(const NativeString&) { return false; }

}  // namespace qomdex::platform
