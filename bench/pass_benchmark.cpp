// Compares each pass with a bare loop of the same rename calls over the same entries: the
// difference is what listing, sorting, folding and the collision index cost.

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <ostream>

#include "bench/fixture.h"
#include "cli/console_observer.h"
#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "location/location_lists.h"
#include "location/platform.h"

namespace qomdex::bench {
namespace {

template <typename RunPass>
void MeasurePass(benchmark::State& bench, EntryKind kind, RunPass run_pass) {
  const auto count = static_cast<std::size_t>(bench.range(0));
  for (auto _ : bench) {
    bench.PauseTiming();
    auto fixture = std::make_unique<Fixture>(kind, count);
    auto lists = std::make_unique<LocationLists>(Fold);
    lists->OpenDirectory(fixture->path());
    PassState state;
    bench.ResumeTiming();

    PassReport report = run_pass(state, *lists);

    bench.PauseTiming();
    if (report.renamed.size() != count) bench.SkipWithError("the pass did not rename every entry");
    // What the caller does with the report, freeing it included, is not the pass's cost.
    report = {};
    lists.reset();
    fixture.reset();
    bench.ResumeTiming();
  }
  bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}

void MeasureBareLoop(benchmark::State& bench, EntryKind kind) {
  const auto count = static_cast<std::size_t>(bench.range(0));
  for (auto _ : bench) {
    bench.PauseTiming();
    auto fixture = std::make_unique<Fixture>(kind, count);
    bench.ResumeTiming();

    std::error_code error;
    const platform::Directory directory(fixture->path());
    for (const auto& [from, to] : fixture->renames()) platform::Rename(directory, from, to, error);

    bench.PauseTiming();
    fixture.reset();
    bench.ResumeTiming();
  }
  bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}

void FilePass(benchmark::State& bench) {
  MeasurePass(bench, EntryKind::kFile, [](PassState& state, LocationLists& lists) {
    return FileRoutine(state, lists.File1(), lists.File2());
  });
}

// The file pass followed by qomdex-cli's observer, as on a terminal: it writes each rename's line
// as it is made, reads the clock after every entry and draws the progress line at most every
// 100 ms (here into streams that discard it all).
void FilePassObserved(benchmark::State& bench) {
  struct Nothing : std::streambuf {
    int overflow(int c) override { return c; }
  } nothing, no_lines;
  std::ostream discard(&nothing);
  // The lines are written by a thread of their own, so they go to a stream of their own.
  std::ostream discard_lines(&no_lines);
  const std::atomic<int> no_signal{0};
  cli::LineOutput output(discard_lines);
  cli::Progress progress(discard, true);
  cli::ConsoleObserver observer(output, discard, progress, no_signal);
  MeasurePass(bench, EntryKind::kFile, [&](PassState& state, LocationLists& lists) {
    progress.Restart();
    return FileRoutine(state, lists.File1(), lists.File2(), {.observer = &observer});
  });
}

void FileRenameLoop(benchmark::State& bench) { MeasureBareLoop(bench, EntryKind::kFile); }

void FolderPass(benchmark::State& bench) {
  MeasurePass(bench, EntryKind::kFolder, [](PassState& state, LocationLists& lists) {
    return FolderRoutine(state, lists.Dir1(), lists.Dir2());
  });
}

void FolderRenameLoop(benchmark::State& bench) { MeasureBareLoop(bench, EntryKind::kFolder); }

void FileSizes(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMillisecond)->UseRealTime();
  bench->Arg(1'000)->Arg(10'000)->Arg(100'000)->Iterations(5);
}

void FolderSizes(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMillisecond)->UseRealTime()->Arg(10'000)->Iterations(5);
}

BENCHMARK(FilePass)->Apply(FileSizes);
BENCHMARK(FilePassObserved)->Apply(FileSizes);
BENCHMARK(FileRenameLoop)->Apply(FileSizes);
BENCHMARK(FolderPass)->Apply(FolderSizes);
BENCHMARK(FolderRenameLoop)->Apply(FolderSizes);

}  // namespace
}  // namespace qomdex::bench

BENCHMARK_MAIN();
