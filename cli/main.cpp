#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
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

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGINT, OnInterrupt);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const qomdex::cli::Console console{.show_progress = QOMDEX_ISATTY(2) != 0,
                                     .interrupted = &interrupted};
  return qomdex::cli::Run(args, std::cout, std::cerr, console);
}
