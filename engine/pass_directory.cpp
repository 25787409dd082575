#include "engine/pass_directory.h"

namespace qomdex {

PassDirectory::PassDirectory(const std::filesystem::path& path, bool dry_run)
    : handle_(path), dry_run_(dry_run) {}

platform::Identity PassDirectory::Identify(const NativeString& name, std::error_code& error) const {
  if (dry_run_) {
    if (const auto made = made_.find(name); made != made_.end()) {
      error.clear();
      return made->second;
    }
    if (vacated_.contains(name)) {
      error = std::make_error_code(std::errc::no_such_file_or_directory);
      return {};
    }
  }
  return platform::Identify(handle_, name, error);
}

NativeString PassDirectory::Rename(const NativeString& from, const NativeString& to,
                                   const platform::Identity& identity, std::error_code& error,
                                   platform::RenameWitness* witness) {
  if (!dry_run_) return platform::Rename(handle_, from, to, error, witness);
  NativeString given = platform::GivenName(to, error);
  if (error) return {};
  Identify(given, error);
  if (!error) error = platform::NameTakenError();
  if (error != std::errc::no_such_file_or_directory) return {};
  error.clear();
  made_.erase(from);
  vacated_.insert(from);
  vacated_.erase(given);
  made_[given] = identity;
  return given;
}

void PassDirectory::RemoveEmptyEntry(const NativeString& name, std::error_code& error) {
  if (!dry_run_) return platform::RemoveEmptyEntry(handle_, name, error);
  // A dry run cannot tell emptiness without the disk; it reports the removal it would try.
  error.clear();
  made_.erase(name);
  vacated_.insert(name);
}

void PassDirectory::RemoveResidue(const NativeString& name, const platform::Identity& identity,
                                  std::error_code& error) {
  if (!dry_run_) return platform::RemoveResidue(handle_, name, identity, error);
  if (Identify(name, error) != identity && !error) error = platform::NameTakenError();
  if (error) return;
  made_.erase(name);
  vacated_.insert(name);
}

}  // namespace qomdex
