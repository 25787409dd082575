#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "location/system_calls.h"

namespace qomdex::platform {

// The system's own calls, which SystemCalls::Native() hands out; defined once for each system, in
// platform_posix.cpp and platform_windows.cpp. Each does what its SystemCalls declaration says.
class NativeCalls final : public SystemCalls {
 public:
  DirectoryHandle Open(const std::filesystem::path& path) override;
  DirectoryHandle OpenFolder(const Directory& parent, const NativeString& name) override;
  std::vector<DirectoryEntry> ReadDirectory(const Directory& directory) override;
  Identity Identify(const Directory& directory, const NativeString& name,
                    std::error_code& error) override;
  Identity IdentifyDirectory(const Directory& directory, std::error_code& error) override;
  std::error_code RenameNoReplace(const Directory& directory, const NativeString& from,
                                  const NativeString& to) override;
  std::error_code Link(const Directory& directory, const NativeString& from,
                       const NativeString& to) override;
  std::error_code RenameReplacing(const Directory& directory, const NativeString& from,
                                  const NativeString& to) override;
  Placeholder Reserve(const Directory& directory, const NativeString& name, bool folder,
                      std::error_code& error) override;
  std::error_code RenameOverPlaceholder(const Directory& directory, const NativeString& from,
                                        const NativeString& to,
                                        const Placeholder& placeholder) override;
  std::error_code Append(const AppendFile& file, std::string_view bytes) override;
  std::error_code Sync(const AppendFile& file) noexcept override;
};

}  // namespace qomdex::platform
