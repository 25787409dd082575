// Measures the Win32 window on one large directory, as the Qt window's benchmark does: the time
// to open the directory in Dir1, then a file pass over it through the command button, each with
// the longest stretch in which the window handled no messages, and the peak working set. Runs
// under wine, headless or on a display.
//
// Usage: qomdex_win32_window_bench DIRECTORY [--no-pass]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/win32/open_in_dir1.h"
#include "ui/win32/win32.h"
// clang-format off
#include <psapi.h>
// clang-format on

namespace {

using Clock = std::chrono::steady_clock;

// A thread timer asks to run every 10 ms; the longest wait between its runs is the longest time
// the window answered nothing.
Clock::time_point last_tick;
Clock::duration longest_gap{};

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  const Clock::time_point now = Clock::now();
  longest_gap = std::max(longest_gap, now - last_tick);
  last_tick = now;
}

void StartWatching() {
  longest_gap = {};
  last_tick = Clock::now();
}

double LongestGapMs() {
  // The stretch still open when the watched work ends counts too.
  const Clock::duration gap = std::max(longest_gap, Clock::now() - last_tick);
  return std::chrono::duration<double, std::milli>(gap).count();
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: qomdex_win32_window_bench DIRECTORY [--no-pass]\n");
    return 2;
  }
  const std::filesystem::path target = std::filesystem::absolute(argv[1]).lexically_normal();
  const bool run_pass = argc < 3 || std::wstring(argv[2]) != L"--no-pass";
  qomdex::win32::qomde window([](const std::wstring& message) {
    std::fwprintf(stderr, L"message: %ls\n", message.substr(0, 200).c_str());
  });
  ShowWindow(window.window(), SW_SHOW);
  SetTimer(nullptr, 0, 10, Tick);

  // The way down is walked first; only the last step, the large directory, is timed.
  if (!qomdex::testing::OpenInDir1(window, target.parent_path())) return 1;
  StartWatching();
  Clock::time_point start = Clock::now();
  if (!qomdex::testing::OpenInDir1(window, target.filename())) return 1;
  const double open_ms = MsSince(start);
  const double open_gap_ms = LongestGapMs();
  const LRESULT files =
      SendMessageW(window.Control(qomdex::form::ControlId::File1), LB_GETCOUNT, 0, 0);
  std::printf("opened %ld files in %.0f ms (longest time without handling messages %.0f ms)\n",
              static_cast<long>(files), open_ms, open_gap_ms);
  if (run_pass) {
    StartWatching();
    start = Clock::now();
    SendMessageW(window.Control(qomdex::form::ControlId::Command1), BM_CLICK, 0, 0);
    std::printf("pass in %.2f s, longest time without handling messages %.0f ms\n",
                MsSince(start) / 1000, LongestGapMs());
  }
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("peak working set %.0f MB\n", static_cast<double>(memory.PeakWorkingSetSize) / 1e6);
  return 0;
}
