#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/console_observer.h"
#include "cli/line_output.h"
#include "cli/progress.h"
#include "engine/pass_options.h"
#include "engine/pass_state.h"
#include "location/entry_list.h"
#include "location/platform.h"

namespace qomdex::cli {

// How far and with which pass a run walks the folders below its directories (--recursive).
struct WalkSettings {
  EntryKind pass = EntryKind::kFile;
  std::optional<std::size_t> max_depth;  // levels entered below each directory; none: all
};

// Runs a pass on each directory given and on every folder below it that a listing shows (hidden
// folders and links to folders are not entered), depth-first in the listing's order. Each folder
// is opened from its parent's open handle and never through a link, so whatever takes a folder's
// name during the walk, nothing outside the tree is entered. A folder is listed before it is
// treated and is treated once, whatever way it is reached: folders are told apart by their
// numbers (device and inode), so a loop of mounts or a folder moved under the walk is not walked
// twice. The file pass treats a folder before the folders below it; the folder pass treats them
// first, so no folder is renamed while the walk still needs it, and a dry run walks the same
// names as the real run. One PassState serves the whole walk, so copy numbers carry on from
// folder to folder.
class FolderWalk {
 public:
  // Everything is lent by the run for the walk's length; `options` are the run's pass options,
  // whose system calls the walk opens and reads folders through.
  FolderWalk(PassState& state, const PassOptions& options, ConsoleObserver& console,
             LineOutput& output, Progress& progress, std::ostream& err);
  FolderWalk(const FolderWalk&) = delete;
  FolderWalk& operator=(const FolderWalk&) = delete;

  // Walks the roots in the order given. Each folder's lines follow a "FOLDER:" line, written
  // only for a folder something is said about. Stops after the current entry once the console
  // asks. A folder that cannot be read is reported on `err` and the walk goes on. Touches the
  // disk unless a dry run; returns true when any folder could not be read.
  bool Run(const std::vector<std::filesystem::path>& roots, const WalkSettings& settings);

 private:
  // Tells the console of each outcome, after the current folder's "FOLDER:" line the first
  // time anything is said about the folder.
  class HeadedObserver final : public PassObserver {
   public:
    HeadedObserver(ConsoleObserver& console, LineOutput& output, Progress& progress)
        : console_(console), output_(output), progress_(progress) {}
    // Holds back the line for the folder about to be treated.
    void Start(std::string header) {
      header_ = std::move(header);
      pending_ = true;
    }
    bool StopRequested() override { return console_.StopRequested(); }
    bool EntryDone(std::size_t done, std::size_t total, const NativeString& name) override {
      return console_.EntryDone(done, total, name);
    }
    void Renamed(const std::filesystem::path& directory, NativeStringView from,
                 NativeStringView to) override;
    void Kept(const PassReport::Kept& kept) override;
    void Failed(const PassReport::Failure& failure) override;
    void Removed(const std::filesystem::path& path) override;

   private:
    void WriteHeader(bool before_message);

    ConsoleObserver& console_;
    LineOutput& output_;
    Progress& progress_;
    std::string header_;
    bool pending_ = false;
  };

  struct Pending {
    std::filesystem::path path;  // as given, then each name joined to its parent's path
    // The open folder it is opened from, until it is entered; none for a directory given.
    std::shared_ptr<const platform::Directory> parent;
    NativeString name;  // in its parent; empty for a directory given
    std::size_t depth;  // levels below its directory
    // Once entered: the folder open, the listing number that read it, and its entries of the
    // pass's kind as read then.
    std::shared_ptr<const platform::Directory> open = nullptr;
    std::size_t listing = 0;
    EntryList::State entries = {};
  };

  // Makes sure the folder is one to treat, opens and lists it, filling subfolders_; returns false
  // when it is skipped or cannot be read (then reported).
  bool Enter(Pending& folder);
  // Runs the pass on a listed folder, listing it again if another was listed since.
  void Treat(Pending& folder);
  void Unreadable(const std::filesystem::path& path, const std::error_code& error);
  // Reads the open folder, keeping its entries of the pass's kind in `folder`; returns the names
  // of its subfolders, or null when it cannot be read (then reported).
  std::shared_ptr<const std::vector<NativeString>> List(Pending& folder);

  PassState& state_;
  HeadedObserver observer_;
  PassOptions options_;
  Progress& progress_;
  std::ostream& err_;
  EntryKind pass_ = EntryKind::kFile;
  std::vector<Pending> stack_;
  std::shared_ptr<const std::vector<NativeString>> subfolders_;
  std::set<std::pair<std::uint64_t, std::uint64_t>> entered_;  // device and inode
  std::size_t listings_ = 0;  // listings made, so a folder knows whether others came since
  std::size_t found_ = 0;     // folders found to treat so far
  std::size_t unlisted_ = 0;  // of those, not yet listed
  std::size_t handled_ = 0;   // of those, treated, being treated, or unreadable
  bool unreadable_ = false;
};

}  // namespace qomdex::cli
