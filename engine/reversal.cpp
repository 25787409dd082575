#include "engine/reversal.h"

#include "engine/rename_step.h"
#include "location/join_path.h"

namespace qomdex {
namespace {

bool Holds(const PassDirectory& directory, const NativeString& name,
           const platform::Identity& identity) {
  std::error_code error;
  return directory.Identify(name, error) == identity && !error;
}

}  // namespace

PassDirectory* Reversal::Open(const std::filesystem::path& directory) {
  auto [found, first] = directories_.try_emplace(directory);
  if (first) {
    try {
      found->second.emplace(directory, options_.dry_run);
    } catch (const std::filesystem::filesystem_error& error) {
      RecordFailure({PassReport::FailureKind::kUnreadableDirectory, directory, {}, error.code()},
                    options_, report_);
    }
  }
  return found->second ? &*found->second : nullptr;
}

void Reversal::Remove(PassDirectory& directory, const NativeString& name,
                      const platform::Identity& identity) {
  std::error_code error;
  directory.RemoveResidue(name, identity, error);
  if (error) {
    RecordFailure({PassReport::FailureKind::kLeftover, JoinPath(directory.path(), name), {}, error},
                  options_, report_);
  } else {
    RecordRemoved(JoinPath(directory.path(), name), options_, report_);
  }
}

void Reversal::PutBack(const std::filesystem::path& path, const NativeString& new_name,
                       const NativeString& old_name, const platform::Identity& identity) {
  PassDirectory* directory = Open(path);
  if (directory == nullptr) return;
  std::error_code error;
  const platform::Identity now = directory->Identify(new_name, error);
  if (!error && now == identity) {
    const NativeString given = directory->Rename(new_name, old_name, identity, error);
    if (!error) {
      RecordRenamed(path, new_name, given, identity, options_, report_);
    } else if (error == std::errc::file_exists && Holds(*directory, old_name, identity)) {
      Remove(*directory, new_name, identity);
    } else {
      RecordFailure({PassReport::FailureKind::kRename, JoinPath(path, new_name),
                     JoinPath(path, old_name), error},
                    options_, report_);
    }
    return;
  }
  // The rename was never made, or has been put back already.
  if (Holds(*directory, old_name, identity)) return;
  if (error != std::errc::no_such_file_or_directory) error.clear();
  RecordFailure({PassReport::FailureKind::kNotRenamedEntry, JoinPath(path, new_name),
                 JoinPath(path, old_name), error},
                options_, report_);
}

void Reversal::RemoveUnrecordedPlaceholder(const std::filesystem::path& path,
                                           const NativeString& name,
                                           const platform::Identity& entry) {
  PassDirectory* directory = Open(path);
  if (directory == nullptr) return;
  std::error_code error;
  const platform::Identity now = directory->Identify(name, error);
  // Nothing there, or the rename went through after all: nothing was left behind.
  if (error || now == entry) return;
  directory->RemoveEmptyEntry(name, error);
  // Anything but an empty entry is another program's, and stays.
  if (!error) RecordRemoved(JoinPath(path, name), options_, report_);
}

void Reversal::RemovePlaceholder(const std::filesystem::path& path, const NativeString& name,
                                 const platform::Identity& identity) {
  PassDirectory* directory = Open(path);
  if (directory != nullptr && Holds(*directory, name, identity)) {
    Remove(*directory, name, identity);
  }
}

}  // namespace qomdex
