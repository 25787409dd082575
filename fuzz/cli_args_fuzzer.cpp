// Any argument list either ends the run with a status, or names a journal to undo and no
// directory, or names at least one directory; every argument after "--" is taken as a directory.

#include <algorithm>
#include <sstream>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/options.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qomdex;
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back().push_back(static_cast<char>(data[i]));
    }
  }
  std::ostringstream out, err;
  const auto parsed = cli::ParseArguments(args, out, err);
  if (const int* status = std::get_if<int>(&parsed)) {
    fuzz::Require(*status == cli::kExitSuccess || *status == cli::kExitUsageOrUnreadable);
    fuzz::Require((*status == cli::kExitSuccess) == err.str().empty());
    return 0;
  }
  const auto& arguments = std::get<cli::Arguments>(parsed);
  fuzz::Require((arguments.undo.has_value() != !arguments.directories.empty()) &&
                out.str().empty() && err.str().empty());
  // The first "--" that is not the value of an option that takes one (--journal FILE, say)
  // ends the options.
  const auto takes_value = [](const std::string& arg) {
    const auto options = cli::Options();
    return std::any_of(options.begin(), options.end(), [&](const cli::OptionEntry& option) {
      return option.argument != nullptr && arg == option.name;
    });
  };
  auto end_of_options = args.begin();
  for (; end_of_options != args.end() && *end_of_options != "--"; ++end_of_options) {
    if (takes_value(*end_of_options) && ++end_of_options == args.end()) break;
  }
  if (end_of_options != args.end()) {
    const auto after = static_cast<std::size_t>(args.end() - end_of_options - 1);
    fuzz::Require(arguments.directories.size() >= after);
  }
  return 0;
}
