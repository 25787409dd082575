#include "cli/folder_walk.h"

#include "cli/cli.h"
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

FolderWalk::FolderWalk(LocationLists& lists, PassState& state, const PassOptions& options,
                       ConsoleObserver& console, LineOutput& output, Progress& progress,
                       std::ostream& err)
    : lists_(lists),
      state_(state),
      observer_(console, output, progress),
      options_(options),
      progress_(progress),
      err_(err) {
  options_.observer = &observer_;
}

bool FolderWalk::Run(const std::vector<std::filesystem::path>& roots,
                     const WalkSettings& settings) {
  pass_ = settings.pass;
  for (auto root = roots.rbegin(); root != roots.rend(); ++root) stack_.push_back({*root, 0, 0});
  found_ = unlisted_ = roots.size();
  // The progress line waits its half second once for the whole walk, not for each folder.
  progress_.Restart();
  while (!stack_.empty() && !observer_.StopRequested()) {
    if (stack_.back().listing != 0) {
      // Only the folder pass leaves a listed folder here, once everything below it is treated.
      const Pending folder = std::move(stack_.back());
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
    const std::size_t depth = stack_.back().depth;
    if (pass_ == EntryKind::kFile) {
      const Pending folder = std::move(stack_.back());
      stack_.pop_back();
      Treat(folder);
    }
    if (settings.max_depth && depth >= *settings.max_depth) continue;
    // Pushed last first, so they come off the stack in the lists' order.
    for (auto name = subfolders_.rbegin(); name != subfolders_.rend(); ++name) {
      stack_.push_back({JoinPath(parent, *name), name->size(), depth + 1});
    }
    found_ += subfolders_.size();
    unlisted_ += subfolders_.size();
  }
  progress_.Clear();
  return unreadable_;
}

bool FolderWalk::Enter(Pending& folder) {
  std::error_code error;
  Identity identity;
  try {
    if (folder.name_length == 0) {
      // A directory given is entered as named, through a link if it is one. Where the system
      // cannot look at it its numbers stay unknown and only its subfolders are told apart.
      const platform::Directory directory(folder.path);
      identity = directory.calls().IdentifyDirectory(directory, error);
      if (error) identity = {};
      error.clear();
    } else {
      // Looked at in its parent without following a link, just before it is entered.
      const NativeString& path = folder.path.native();
      const std::size_t parent_length = path.size() - folder.name_length;
      const platform::Directory parent(path.substr(0, parent_length));
      identity = parent.calls().Identify(parent, path.substr(parent_length), error);
      if (!error && identity.type == Identity::Type::kLink) {
        --found_;
        return false;
      }
      if (!error && identity.type != Identity::Type::kFolder) {
        error = std::make_error_code(std::errc::not_a_directory);
      }
    }
  } catch (const std::filesystem::filesystem_error& failure) {
    error = failure.code();
  }
  if (error) {
    ++handled_;
    Unreadable(folder.path, error);
    return false;
  }
  if (identity.type == Identity::Type::kFolder &&
      !entered_.emplace(identity.device, identity.file).second) {
    --found_;
    if (folder.name_length == 0) {
      progress_.Clear();
      err_ << kProgramName << ": skipped " << QuoteName(folder.path)
           << ": it was treated already\n";
    }
    return false;
  }
  if (!List(folder.path)) {
    ++handled_;
    return false;
  }
  folder.listing = listings_;
  const DirectoryList& subfolders = lists_.Dir1();
  subfolders_.clear();
  for (std::size_t i = 0; i < subfolders.count(); ++i) subfolders_.push_back(subfolders.name(i));
  return true;
}

void FolderWalk::Treat(const Pending& folder) {
  ++handled_;
  // The folder pass comes back to a folder after the folders below it; it is read afresh then.
  if (folder.listing != listings_ && !List(folder.path)) return;
  progress_.Folder(handled_, found_, unlisted_ == 0);
  observer_.Start(QuoteName(folder.path) + ":");
  try {
    // The listing was read just now: it is also the pass's record of the names taken.
    EntryList& listing = lists_.Visible(pass_);
    RunPass(pass_, state_, listing, listing, options_);
  } catch (const std::filesystem::filesystem_error& failure) {
    Unreadable(folder.path, failure.code());
  }
}

bool FolderWalk::List(const std::filesystem::path& path) {
  try {
    lists_.OpenDirectory(path);
  } catch (const std::filesystem::filesystem_error& failure) {
    // The lists stay where they were, so the count of listings still says where they stand.
    Unreadable(path, failure.code());
    return false;
  }
  ++listings_;
  return true;
}

void FolderWalk::Unreadable(const std::filesystem::path& path, const std::error_code& error) {
  progress_.Clear();
  err_ << kProgramName << ": " << present::UnreadableText(present::Voice::kConsole, path, error)
       << '\n';
  unreadable_ = true;
}

}  // namespace qomdex::cli
