#pragma once

#include <filesystem>
#include <system_error>

#include "location/platform.h"

namespace qomdex::testing {

// The system's own calls, but for one that fails as a broken disk would: the `nth` (from 1) of
// the calls of one kind, with `error`. A listing or an opening that fails throws, as the
// system's own does.
class FailingCalls : public platform::SystemCallsWrapper {
 public:
  enum class Call { kOpenFolder, kReadDirectory, kIdentify, kAppend };
  FailingCalls(Call call, int nth,
               std::error_code error = std::make_error_code(std::errc::io_error))
      : SystemCallsWrapper(platform::SystemCalls::Native()),
        call_(call),
        nth_(nth),
        error_(error) {}

  platform::DirectoryHandle OpenFolder(const platform::Directory& parent,
                                       const NativeString& name) override {
    if (Fails(Call::kOpenFolder)) {
      throw std::filesystem::filesystem_error("open", parent.path() / name, error_);
    }
    return SystemCallsWrapper::OpenFolder(parent, name);
  }
  std::vector<platform::DirectoryEntry> ReadDirectory(
      const platform::Directory& directory) override {
    if (Fails(Call::kReadDirectory)) {
      throw std::filesystem::filesystem_error("read", directory.path(), error_);
    }
    return SystemCallsWrapper::ReadDirectory(directory);
  }
  platform::Identity Identify(const platform::Directory& directory, const NativeString& name,
                              std::error_code& error) override {
    if (!Fails(Call::kIdentify)) return SystemCallsWrapper::Identify(directory, name, error);
    error = error_;
    return {};
  }
  std::error_code Append(const platform::AppendFile& file, std::string_view bytes) override {
    return Fails(Call::kAppend) ? error_ : SystemCallsWrapper::Append(file, bytes);
  }

 private:
  bool Fails(Call call) { return call == call_ && ++seen_ == nth_; }

  Call call_;
  int nth_;
  std::error_code error_;
  int seen_ = 0;
};

}  // namespace qomdex::testing
