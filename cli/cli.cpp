#include "cli/cli.h"

#include <filesystem>

#include "cli/arguments.h"
#include "cli/progress.h"
#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "location/join_path.h"
#include "location/location_lists.h"
#include "location/quoting.h"

namespace qomdex::cli {
namespace {

std::string QuotedLastComponent(const std::filesystem::path& path) {
  return QuoteName(std::filesystem::path(LastComponent(path)));
}

const char* Words(PassReport::KeptReason reason) {
  switch (reason) {
    case PassReport::KeptReason::kWouldHide: return "its new name would hide it";
    case PassReport::KeptReason::kWouldBeEmpty: return "its new name would be empty";
  }
  return "";
}

void Print(const PassReport& report, std::ostream& out, std::ostream& err) {
  for (const auto& renamed : report.renamed) {
    out << QuotedLastComponent(renamed.from) << " -> " << QuotedLastComponent(renamed.to) << '\n';
  }
  for (const auto& kept : report.kept) {
    err << kProgramName << ": kept " << QuotedLastComponent(kept.path) << ": " << Words(kept.reason)
        << '\n';
  }
  for (const auto& failure : report.failures) {
    switch (failure.kind) {
      case PassReport::FailureKind::kUnreadableDirectory:
        err << kProgramName << ": cannot read directory " << QuoteName(failure.path) << ": "
            << failure.error.message() << '\n';
        break;
      case PassReport::FailureKind::kRename:
        err << kProgramName << ": cannot rename " << QuotedLastComponent(failure.path) << " to "
            << QuotedLastComponent(failure.target) << ": " << failure.error.message() << '\n';
        break;
    }
  }
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const Console& console) {
  const auto parsed = ParseArguments(args, out, err);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const Arguments& arguments = std::get<Arguments>(parsed);

  static const std::atomic<bool> kNeverInterrupted{false};
  Progress progress(err, console.show_progress,
                    console.interrupted ? *console.interrupted : kNeverInterrupted);
  const bool observed = console.show_progress || console.interrupted != nullptr;
  const PassOptions pass_options{.dry_run = arguments.dry_run,
                                 .observer = observed ? &progress : nullptr};

  PassState state;
  LocationLists lists(Fold);
  bool unreadable = false;
  bool failed = false;
  for (const std::filesystem::path& directory : arguments.directories) {
    if (console.interrupted && console.interrupted->load()) break;
    if (arguments.directories.size() > 1) out << QuoteName(directory) << ":\n";
    try {
      lists.OpenDirectory(directory);
      progress.Restart();
      const PassReport report =
          arguments.folders ? FolderRoutine(state, lists.Dir1(), lists.Dir2(), pass_options)
                            : FileRoutine(state, lists.File1(), lists.File2(), pass_options);
      progress.Restart();
      Print(report, out, err);
      failed = failed || !report.failures.empty();
    } catch (const std::filesystem::filesystem_error& error) {
      err << kProgramName << ": cannot read directory " << QuoteName(directory) << ": "
          << error.code().message() << '\n';
      unreadable = true;
    }
  }
  if (console.interrupted && console.interrupted->load()) {
    err << kProgramName << ": interrupted; the renames above were made\n";
    return kExitInterrupted;
  }
  if (unreadable) return kExitUsageOrUnreadable;
  return failed ? kExitRenameFailed : kExitSuccess;
}

}  // namespace qomdex::cli
