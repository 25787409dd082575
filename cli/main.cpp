#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#define QOMDEX_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define QOMDEX_ISATTY(fd) isatty(fd)
#endif

#include "cli/cli.h"

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void OnInterrupt(int) { interrupted.store(true); }

int RunOnConsole(const std::vector<std::string>& args) {
  std::signal(SIGINT, OnInterrupt);
  const qomdex::cli::Console console{.show_progress = QOMDEX_ISATTY(2) != 0,
                                     .interrupted = &interrupted};
  return qomdex::cli::Run(args, std::cout, std::cerr, console);
}

}  // namespace

#ifdef _WIN32
// The narrow command line holds only what the ANSI code page can spell, so arguments are taken
// in UTF-16 and handed on as UTF-8.
int wmain(int argc, wchar_t** argv) {
  // Names are printed as UTF-8; the console shows them right only when told so.
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    try {
      const std::u8string text = std::filesystem::path(argv[i]).u8string();
      args.emplace_back(text.begin(), text.end());
    } catch (const std::filesystem::filesystem_error&) {
      std::cerr << qomdex::cli::kProgramName << ": argument " << i << " is not valid text\n";
      return qomdex::cli::kExitUsageOrUnreadable;
    }
  }
  return RunOnConsole(args);
}
#else
int main(int argc, char** argv) { return RunOnConsole({argv + 1, argv + argc}); }
#endif
