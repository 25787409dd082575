#include "cli/folder_walk.h"

#include "cli/cli.h"
#include "engine/fold.h"
#include "engine/pass.h"
#include "location/join_path.h"
#include "location/platform.h"
#include "present/outcome_words.h"
#include "present/quoting.h"

namespace qomdex::cli {
namespace {

using platform::Identity;
using present::QuoteName;

}  // namespace

void FolderWalk::HeadedObserver::WriteHeader(bool before_message) {
  if (!pending_) return;
  pending_ = false;
  progress_.Clear();
  output_.Line(header_, false);
  // A message goes to the error stream at once; written out now, the header shows above it on a
  // terminal that shows both streams.
  if (before_message) output_.Flush();
}

void FolderWalk::HeadedObserver::Renamed(const std::filesystem::path& directory,
                                         NativeStringView from, NativeStringView to) {
  WriteHeader(false);
  console_.Renamed(directory, from, to);
}

void FolderWalk::HeadedObserver::Kept(const PassReport::Kept& kept) {
  WriteHeader(true);
  console_.Kept(kept);
}

void FolderWalk::HeadedObserver::Failed(const PassReport::Failure& failure) {
  WriteHeader(true);
  console_.Failed(failure);
}

void FolderWalk::HeadedObserver::Removed(const std::filesystem::path& path) {
  WriteHeader(true);
  console_.Removed(path);
}

FolderWalk::FolderWalk(PassState& state, const PassOptions& options, ConsoleObserver& console,
                       LineOutput& output, Progress& progress, std::ostream& err)
    : state_(state),
      observer_(console, output, progress),
      options_(options),
      progress_(progress),
      err_(err) {
  options_.observer = &observer_;
}

bool FolderWalk::Run(const std::vector<std::filesystem::path>& roots,
                     const WalkSettings& settings) {
  pass_ = settings.pass;
  for (auto root = roots.rbegin(); root != roots.rend(); ++root) {
    stack_.push_back({*root, nullptr, {}, 0});
  }
  found_ = unlisted_ = roots.size();
  // The progress line waits its half second once for the whole walk, not for each folder.
  progress_.Restart();
  while (!stack_.empty() && !observer_.StopRequested()) {
    if (stack_.back().listing != 0) {
      // Only the folder pass leaves a listed folder here, once everything below it is treated.
      Pending folder = std::move(stack_.back());
      stack_.pop_back();
      Treat(folder);
      continue;
    }
    --unlisted_;
    if (!Enter(stack_.back())) {
      stack_.pop_back();
      continue;
    }
    const std::filesystem::path parent = stack_.back().path;
    const std::shared_ptr<const platform::Directory> parent_open = stack_.back().open;
    const std::size_t depth = stack_.back().depth;
    const std::shared_ptr<const std::vector<NativeString>> subfolders = std::move(subfolders_);
    if (pass_ == EntryKind::kFile) {
      Pending folder = std::move(stack_.back());
      stack_.pop_back();
      Treat(folder);
    }
    if (settings.max_depth && depth >= *settings.max_depth) continue;
    // Pushed last first, so they come off the stack in the listing's order.
    for (auto name = subfolders->rbegin(); name != subfolders->rend(); ++name) {
      stack_.push_back({JoinPath(parent, *name), parent_open, *name, depth + 1});
    }
    found_ += subfolders->size();
    unlisted_ += subfolders->size();
  }
  progress_.Clear();
  return unreadable_;
}

bool FolderWalk::Enter(Pending& folder) {
  const bool given = folder.parent == nullptr;
  std::error_code error;
  Identity identity;
  try {
    // A directory given is entered as named, through a link if it is one; a folder below it is
    // opened from its parent and never through a link.
    folder.open = given ? std::make_shared<const platform::Directory>(
                              NormalizeDirectoryPath(folder.path), options_.calls())
                        : std::make_shared<const platform::Directory>(*folder.parent, folder.name);
    folder.parent = nullptr;
    identity = folder.open->calls().IdentifyDirectory(*folder.open, error);
    // Where the system cannot look at a directory given its numbers stay unknown, and only its
    // subfolders are told apart.
    if (given) error.clear();
  } catch (const std::filesystem::filesystem_error& failure) {
    error = failure.code();
  }
  if (!given && error == std::errc::too_many_symbolic_link_levels) {
    --found_;
    return false;
  }
  if (error) {
    ++handled_;
    Unreadable(folder.path, error);
    return false;
  }
  if (identity.type == Identity::Type::kFolder &&
      !entered_.emplace(identity.device, identity.file).second) {
    --found_;
    if (given) {
      progress_.Clear();
      err_ << kProgramName << ": skipped " << QuoteName(folder.path)
           << ": it was treated already\n";
    }
    return false;
  }
  subfolders_ = List(folder);
  if (subfolders_ == nullptr) {
    ++handled_;
    return false;
  }
  return true;
}

void FolderWalk::Treat(Pending& folder) {
  ++handled_;
  // The folder pass comes back to a folder after the folders below it; it is read afresh then.
  if (folder.listing != listings_ && List(folder) == nullptr) return;
  progress_.Folder(handled_, found_, unlisted_ == 0);
  observer_.Start(QuoteName(folder.path) + ":");
  // The listing was read just now: it is also the pass's record of the names taken.
  EntryList listing(pass_, Fold);
  listing.Restore(folder.entries);
  RunPass(pass_, state_, *folder.open, listing, options_);
}

std::shared_ptr<const std::vector<NativeString>> FolderWalk::List(Pending& folder) {
  EntryList folders(EntryKind::kFolder, Fold);
  EntryList::State files;
  try {
    folders.ShowOpen(*folder.open, &files);
  } catch (const std::filesystem::filesystem_error& failure) {
    Unreadable(folder.path, failure.code());
    return nullptr;
  }
  folder.listing = ++listings_;
  folder.entries = pass_ == EntryKind::kFolder ? folders.state() : std::move(files);
  return folders.state().names;
}

void FolderWalk::Unreadable(const std::filesystem::path& path, const std::error_code& error) {
  progress_.Clear();
  err_ << kProgramName << ": " << present::UnreadableText(present::Voice::kConsole, path, error)
       << '\n';
  unreadable_ = true;
}

}  // namespace qomdex::cli
