#include "engine/pass_directory.h"

namespace qomdex {
namespace {

// A name's bytes as the dry run's tables key them.
std::string_view Key(const NativeString& name) {
  return {reinterpret_cast<const char*>(name.data()), name.size() * sizeof(NativeChar)};
}

}  // namespace

PassDirectory::PassDirectory(const std::filesystem::path& path, const PassOptions& options)
    : own_handle_(std::in_place, path, options.calls()),
      handle_(*own_handle_),
      dry_run_(options.dry_run) {}

PassDirectory::PassDirectory(const platform::Directory& handle, const PassOptions& options)
    : handle_(handle), dry_run_(options.dry_run) {}

platform::Identity PassDirectory::Identify(const NativeString& name, std::error_code& error) const {
  if (dry_run_) {
    const Pretended pretended = pretended_.Get(Key(name));
    if (pretended == Pretended::kMade) {
      error.clear();
      return made_identity_.Get(Key(name));
    }
    if (pretended == Pretended::kVacated) {
      error = std::make_error_code(std::errc::no_such_file_or_directory);
      return {};
    }
  }
  return handle_.calls().Identify(handle_, name, error);
}

NativeString PassDirectory::Rename(const NativeString& from, const NativeString& to,
                                   const platform::Identity& identity, std::error_code& error,
                                   platform::RenameWitness* witness) {
  if (!dry_run_) return platform::Rename(handle_, from, to, error, witness);
  NativeString given = platform::GivenName(to, error);
  if (error) return {};
  // The refusals come in the order the system gives them: a read-only mount before a taken name,
  // a taken name before the permissions.
  if (!outlook_) outlook_ = platform::ForeseeRenames(handle_);
  error = outlook_->refusal;
  if (error == std::errc::read_only_file_system) return {};
  std::error_code taken;
  Identify(given, taken);
  if (!taken) taken = platform::NameTakenError();
  if (taken != std::errc::no_such_file_or_directory) {
    error = taken;
    return {};
  }
  if (!error) error = platform::ForeseeRename(handle_, *outlook_, from);
  if (error) return {};
  PretendVacated(from);
  PretendMade(given, identity);
  return given;
}

void PassDirectory::PretendVacated(const NativeString& name) {
  pretended_.Update(Key(name), [](Pretended) { return Pretended::kVacated; });
  if (made_identity_.Get(Key(name)) != platform::Identity{}) {
    made_identity_.Update(Key(name),
                          [](const platform::Identity&) { return platform::Identity{}; });
  }
}

void PassDirectory::PretendMade(const NativeString& name, const platform::Identity& identity) {
  pretended_.Update(Key(name), [](Pretended) { return Pretended::kMade; });
  if (identity != platform::Identity{}) {
    made_identity_.Update(Key(name), [&](const platform::Identity&) { return identity; });
  }
}

void PassDirectory::RemoveEmptyEntry(const NativeString& name, std::error_code& error) {
  if (!dry_run_) {
    error = platform::RemoveLosingNothing(handle_, name, nullptr);
    return;
  }
  // A dry run cannot tell emptiness without the disk; it reports the removal it would try.
  error.clear();
  PretendVacated(name);
}

void PassDirectory::RemoveResidue(const NativeString& name, const platform::Identity& identity,
                                  std::error_code& error) {
  if (!dry_run_) {
    error = platform::RemoveLosingNothing(handle_, name, &identity);
    return;
  }
  if (!platform::SameEntry(identity, Identify(name, error)) && !error) {
    error = platform::NameTakenError();
  }
  if (error) return;
  PretendVacated(name);
}

}  // namespace qomdex
