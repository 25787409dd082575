#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "cli/cli.h"

namespace {

// The signal that asks the run to stop after its current entry.
std::atomic<int> stop_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

#ifdef _WIN32
#ifndef SIGBREAK
#define SIGBREAK 21
#endif

// Set once the run has ended, so that a console being closed waits for the renames to be
// recorded instead of killing the process when the handler returns.
HANDLE run_ended = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT: stop_signal.store(SIGINT); return TRUE;
    case CTRL_BREAK_EVENT: stop_signal.store(SIGBREAK); return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      stop_signal.store(SIGTERM);
      // Windows ends the process when this returns, and at the latest after five seconds.
      WaitForSingleObject(run_ended, 4500);
      return TRUE;
    default: return FALSE;
  }
}

qomdex::cli::Console SetUpConsole() {
  // Names are printed as UTF-8; the console shows them right only when told so.
  SetConsoleOutputCP(CP_UTF8);
  run_ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
  return {.show_progress = _isatty(2) != 0, .stop_signal = &stop_signal, .terminal_columns = [] {
            CONSOLE_SCREEN_BUFFER_INFO info{};
            if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 0;
            return info.srWindow.Right - info.srWindow.Left + 1;
          }};
}

void EndConsole() { SetEvent(run_ended); }
#else
extern "C" void OnStopSignal(int signal) { stop_signal.store(signal); }

qomdex::cli::Console SetUpConsole() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  // A second signal of the same kind ends the process at once, for a user who will not wait;
  // a write the signal interrupts goes on, so no line is lost to it.
  action.sa_flags = static_cast<int>(SA_RESETHAND | SA_RESTART);
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  // A closed pipe then shows as a failed write, which the run reports, instead of killing it.
  std::signal(SIGPIPE, SIG_IGN);
  return {.show_progress = isatty(2) != 0, .stop_signal = &stop_signal, .terminal_columns = [] {
            winsize size{};
            return ioctl(2, TIOCGWINSZ, &size) == 0 ? static_cast<int>(size.ws_col) : 0;
          }};
}

void EndConsole() {}
#endif

int RunOnConsole(const std::vector<std::string>& args) {
  const int status = qomdex::cli::Run(args, std::cout, std::cerr, SetUpConsole());
  EndConsole();
  return status;
}

// Says that memory ran out before the run could begin: copying the arguments takes some.
int MemoryRanOut() {
  std::fputs("qomdex-cli: memory ran out\n", stderr);
  return qomdex::cli::kExitFailure;
}

}  // namespace

#ifdef _WIN32
// The narrow command line holds only what the ANSI code page can spell, so arguments are taken
// in UTF-16 and handed on as UTF-8.
int wmain(int argc, wchar_t** argv) try {
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
} catch (const std::bad_alloc&) {
  return MemoryRanOut();
}
#else
int main(int argc, char** argv) try {
  return RunOnConsole({argv + 1, argv + argc});
} catch (const std::bad_alloc&) {
  return MemoryRanOut();
}
#endif
