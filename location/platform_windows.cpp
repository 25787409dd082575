#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

#include "location/join_path.h"
#include "location/native_calls.h"
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
  if (!path.is_absolute()) return ExtendedPath(fs::absolute(path));
  return LR"(\\?\)" + path.lexically_normal().native();
}

std::wstring EntryPath(const Directory& directory, const NativeString& name) {
  std::wstring path = directory.extended_path();
  if (!IsSeparator(path.back())) path += L'\\';
  return path + name;
}

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Reads what the system knows of an entry without following a link; returns the reason when it
// cannot.
std::error_code Inspect(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& information) {
  const HANDLE handle = CreateFileW(
      path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  const UniqueHandle closer(handle);
  if (!GetFileInformationByHandle(handle, &information)) return LastError();
  return {};
}

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>(std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime);
}

Identity IdentityOf(const BY_HANDLE_FILE_INFORMATION& information, bool numbers_durable) {
  Identity identity;
  identity.device = information.dwVolumeSerialNumber;
  identity.file = std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow;
  identity.size = std::uint64_t{information.nFileSizeHigh} << 32 | information.nFileSizeLow;
  identity.modified = Ticks(information.ftLastWriteTime);
  identity.born = Ticks(information.ftCreationTime);
  const DWORD attributes = information.dwFileAttributes;
  identity.type = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? Identity::Type::kLink
                  : (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0   ? Identity::Type::kFolder
                                                                   : Identity::Type::kFile;
  identity.numbers_durable = numbers_durable;
  return identity;
}

// FAT and exFAT file IDs follow the places of the directory entries, so they change with a
// rename and name other entries after a remount.
bool KeepsNumbersAcrossMounts(HANDLE directory) {
  wchar_t file_system[MAX_PATH + 1] = {};
  if (!GetVolumeInformationByHandleW(directory, nullptr, 0, nullptr, nullptr, nullptr, file_system,
                                     MAX_PATH + 1)) {
    return true;
  }
  const std::wstring_view name(file_system);
  return name != L"FAT" && name != L"FAT32" && name != L"exFAT";
}

bool KeepsNumbersAcrossMounts(const std::wstring& directory) {
  const HANDLE handle = CreateFileW(directory.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return true;
  const UniqueHandle closer(handle);
  return KeepsNumbersAcrossMounts(handle);
}

struct FindCloser {
  void operator()(HANDLE handle) const { FindClose(handle); }
};

}  // namespace

std::error_code RemoveLosingNothing(const Directory& directory, const NativeString& name,
                                    const Identity* identity) {
  const std::wstring path = EntryPath(directory, name);
  BY_HANDLE_FILE_INFORMATION information{};
  if (const std::error_code error = Inspect(path, information)) return error;
  const Identity now = IdentityOf(information, directory.numbers_durable());
  if (identity != nullptr && !SameEntry(*identity, now)) return NameTakenError();
  if (now.type == Identity::Type::kFolder) {
    if (RemoveDirectoryW(path.c_str())) return {};
    const std::error_code error = LastError();
    return error.value() == ERROR_DIR_NOT_EMPTY
               ? std::make_error_code(std::errc::directory_not_empty)
               : error;
  }
  const bool empty_file = now.type == Identity::Type::kFile && now.size == 0;
  if (!empty_file && (identity == nullptr || information.nNumberOfLinks < 2)) {
    return std::make_error_code(std::errc::directory_not_empty);
  }
  return DeleteFileW(path.c_str()) ? std::error_code() : LastError();
}

namespace {

constexpr DWORD kHiddenAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

DirectoryHandle NativeCalls::Open(const fs::path& path) {
  DirectoryHandle handle{-1, ExtendedPath(path), true};
  const DWORD attributes = GetFileAttributesW(handle.extended_path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    throw fs::filesystem_error("cannot open directory", path, LastError());
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    throw fs::filesystem_error("cannot open directory", path,
                               std::error_code(ERROR_DIRECTORY, std::system_category()));
  }
  handle.numbers_durable = KeepsNumbersAcrossMounts(handle.extended_path);
  return handle;
}

// The folder is opened itself, not what a reparse point leads to, and stays open without sharing
// the right to delete, so while it is open no program can move it or put a link in its place.
DirectoryHandle NativeCalls::OpenFolder(const Directory& parent, const NativeString& name) {
  std::wstring extended = EntryPath(parent, name);
  const auto failed = [&](std::error_code error) {
    return fs::filesystem_error("cannot open directory", JoinPath(parent.path(), name), error);
  };
  const HANDLE folder = CreateFileW(
      extended.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (folder == INVALID_HANDLE_VALUE) throw failed(LastError());
  UniqueHandle closer(folder);
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(folder, &information)) throw failed(LastError());
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    throw failed(std::make_error_code(std::errc::too_many_symbolic_link_levels));
  }
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    throw failed(std::make_error_code(std::errc::not_a_directory));
  }
  const bool numbers_durable = KeepsNumbersAcrossMounts(folder);
  return {reinterpret_cast<std::intptr_t>(closer.release()), std::move(extended), numbers_durable};
}

std::vector<DirectoryEntry> NativeCalls::ReadDirectory(const Directory& directory) {
  const std::wstring pattern = EntryPath(directory, L"*");
  WIN32_FIND_DATAW found{};
  const HANDLE handle = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (handle == INVALID_HANDLE_VALUE) {
    const std::error_code error = LastError();
    // A drive root has no "." entry, so an empty one yields nothing at all.
    if (error.value() == ERROR_FILE_NOT_FOUND) return {};
    throw fs::filesystem_error("cannot read directory", directory.path(), error);
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
  if (const std::error_code error = LastError(); error.value() != ERROR_NO_MORE_FILES) {
    throw fs::filesystem_error("cannot read directory", directory.path(), error);
  }
  return entries;
}

Identity NativeCalls::Identify(const Directory& directory, const NativeString& name,
                               std::error_code& error) {
  BY_HANDLE_FILE_INFORMATION information{};
  error = Inspect(EntryPath(directory, name), information);
  return error ? Identity() : IdentityOf(information, directory.numbers_durable());
}

// The extended path takes "." as a name, so the directory is looked at by its own path.
Identity NativeCalls::IdentifyDirectory(const Directory& directory, std::error_code& error) {
  BY_HANDLE_FILE_INFORMATION information{};
  error = Inspect(directory.extended_path(), information);
  return error ? Identity() : IdentityOf(information, directory.numbers_durable());
}

// Windows' own rename refuses an existing target on every file system, so it is the whole of the
// never-replacing rename.
std::error_code NativeCalls::RenameNoReplace(const Directory& directory, const NativeString& from,
                                             const NativeString& to) {
  if (MoveFileExW(EntryPath(directory, from).c_str(), EntryPath(directory, to).c_str(), 0)) {
    return {};
  }
  return LastError();
}

std::error_code NativeCalls::Link(const Directory&, const NativeString&, const NativeString&) {
  return std::make_error_code(std::errc::not_supported);
}

std::error_code NativeCalls::RenameReplacing(const Directory&, const NativeString&,
                                             const NativeString&) {
  return std::make_error_code(std::errc::not_supported);
}

Placeholder NativeCalls::Reserve(const Directory&, const NativeString&, bool,
                                 std::error_code& error) {
  error = std::make_error_code(std::errc::not_supported);
  return {};
}

// Nothing is held open: no placeholder is ever made here.
Placeholder::~Placeholder() = default;

std::error_code NativeCalls::RenameOverPlaceholder(const Directory&, const NativeString&,
                                                   const NativeString&, const Placeholder&) {
  return std::make_error_code(std::errc::not_supported);
}

std::error_code NativeCalls::Append(const AppendFile& file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(Handle(file.handle()), bytes.data(), size, &written, nullptr)) {
      return LastError();
    }
    if (written == 0) return std::make_error_code(std::errc::no_space_on_device);
    bytes.remove_prefix(written);
  }
  return {};
}

std::error_code NativeCalls::Sync(const AppendFile& file) noexcept {
  if (FlushFileBuffers(Handle(file.handle()))) return {};
  return LastError();
}

SystemCalls& SystemCalls::Native() {
  static NativeCalls calls;
  return calls;
}

Directory::~Directory() {
  if (handle_.system != -1) CloseHandle(Handle(handle_.system));
}

const std::int64_t kTicksPerSecond = 10'000'000;

std::int64_t CurrentTime() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return Ticks(now);
}

std::error_code NameTakenError() { return {ERROR_ALREADY_EXISTS, std::system_category()}; }

bool IsMissingDirectory(const std::error_code& error) {
  if (error.category() != std::system_category()) {
    return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
  }
  // ERROR_DIRECTORY: the path names a file.
  return error.value() == ERROR_FILE_NOT_FOUND || error.value() == ERROR_PATH_NOT_FOUND ||
         error.value() == ERROR_DIRECTORY;
}

// Win32 drops the dots and spaces that end a name (a rename to "a." makes "a"); the extended form
// keeps them, so the rule is applied here and every name made is one all Windows programs can
// open.
NativeString GivenName(const NativeString& name, std::error_code& error) {
  NativeString given = name;
  while (!given.empty() && (given.back() == L'.' || given.back() == L' ')) given.pop_back();
  if (given.empty()) {
    error.assign(ERROR_INVALID_NAME, std::system_category());
  } else {
    error.clear();
  }
  return given;
}

// No step of Windows' rename can be left behind, so the witness hears nothing.
// Windows says before a rename neither that its volume is read-only (the drive's flag does not
// cover every medium) nor what an access list allows; a dry run there foresees none of it.
RenameOutlook ForeseeRenames(const Directory&) { return {}; }

std::error_code ForeseeRename(const Directory&, const RenameOutlook&, const NativeString&) {
  return {};
}

NativeString Rename(const Directory& directory, const NativeString& from, const NativeString& to,
                    std::error_code& error, RenameWitness*) {
  NativeString given = GivenName(to, error);
  if (!error) error = directory.calls().RenameNoReplace(directory, from, given);
  return error ? NativeString() : given;
}

FileContent ReadRegularFile(const fs::path& path) {
  const HANDLE handle =
      CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    throw fs::filesystem_error("cannot read file", path, LastError());
  const struct Closer {
    HANDLE handle;
    ~Closer() { CloseHandle(handle); }
  } closer{handle};
  FileContent file;
  file.owned_by_user = true;
  BY_HANDLE_FILE_INFORMATION information{};
  LARGE_INTEGER size{};
  // A pipe or a console is no disk file; backup semantics open a folder, to be told apart here.
  if (GetFileType(handle) != FILE_TYPE_DISK) return file;
  if (!GetFileInformationByHandle(handle, &information) || !GetFileSizeEx(handle, &size))
    throw fs::filesystem_error("cannot read file", path, LastError());
  file.regular = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  if (!file.regular) return file;
  file.bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t have = 0;
  while (have < file.bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(file.bytes.size() - have, 1 << 30));
    DWORD got = 0;
    if (!ReadFile(handle, file.bytes.data() + have, want, &got, nullptr))
      throw fs::filesystem_error("cannot read file", path, LastError());
    if (got == 0) break;  // cut shorter since it was opened
    have += got;
  }
  file.bytes.resize(have);
  return file;
}

AppendFile::AppendFile(const fs::path& path)
    : handle_(reinterpret_cast<std::intptr_t>(
          CreateFileW(ExtendedPath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr))) {
  const HANDLE file = Handle(handle_);
  BY_HANDLE_FILE_INFORMATION information{};
  if (file == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(file, &information)) {
    const std::error_code error = LastError();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    throw fs::filesystem_error("cannot create file", path, error);
  }
  identity_ = IdentityOf(information, true);
}

AppendFile::AppendFile(const fs::path& path, Existing)
    : handle_(reinterpret_cast<std::intptr_t>(
          CreateFileW(ExtendedPath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
  const HANDLE file = Handle(handle_);
  BY_HANDLE_FILE_INFORMATION information{};
  const bool opened = file != INVALID_HANDLE_VALUE;
  if (!opened || !GetFileInformationByHandle(file, &information) ||
      GetFileType(file) != FILE_TYPE_DISK ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    const std::error_code error =
        opened ? std::make_error_code(std::errc::invalid_argument) : LastError();
    if (opened) CloseHandle(file);
    throw fs::filesystem_error("cannot open file", path, error);
  }
  identity_ = IdentityOf(information, true);
}

AppendFile::~AppendFile() { CloseHandle(Handle(handle_)); }

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

fs::path FolderToOpen(const fs::path& given) {
  // Windows' own normalisation resolves "." and ".." and makes a relative path whole.
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) throw fs::filesystem_error("cannot open", given, LastError());
    if (length < full.size()) {
      full.resize(length);
      break;
    }
    full.resize(length);
  }
  const DWORD attributes = GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    throw fs::filesystem_error("cannot open", given, LastError());
  }
  // A folder reads without a trailing separator, as Dir1 gives its paths; a root keeps its own.
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  std::wstring text =
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? full : fs::path(full).parent_path().native();
  // Drive texts are lower case ("c:\"), so the drive list finds the folder's drive.
  if (text.size() >= 2 && text[1] == L':' && text[0] >= L'A' && text[0] <= L'Z') {
    text[0] = static_cast<wchar_t>(text[0] - L'A' + L'a');
  }
  return text;
}

// Hiding on Windows is an attribute, which a rename keeps: no name hides an entry.
bool NameHidesEntry(const NativeString&) { return false; }

// Win32 takes these names for devices in every directory, whatever follows the first dot and
// with the spaces before it ignored; only the extended form reaches an entry so named, so no
// ordinary program could open, rename or delete it.
bool NameIsDevice(const NativeString& name) {
  std::wstring_view stem(name);
  stem = stem.substr(0, stem.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
  // Compares with a device name in upper case; only ASCII letters have a case here.
  const auto same = [](std::wstring_view text, std::wstring_view device) {
    return std::equal(text.begin(), text.end(), device.begin(), device.end(),
                      [](wchar_t c, wchar_t upper) {
                        return c == upper || (c >= L'a' && c <= L'z' && c - L'a' + L'A' == upper);
                      });
  };
  for (const std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
    if (same(stem, device)) return true;
  }
  if (stem.size() != 4 || !(same(stem.substr(0, 3), L"COM") || same(stem.substr(0, 3), L"LPT"))) {
    return false;
  }
  // The superscript digits are the ones Latin-1 has: U+00B9, U+00B2, U+00B3.
  const wchar_t number = stem[3];
  return (number >= L'1' && number <= L'9') || number == L'\u00B9' || number == L'\u00B2' ||
         number == L'\u00B3';
}

}  // namespace qomdex::platform
