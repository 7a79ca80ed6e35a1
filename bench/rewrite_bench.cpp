// The replace-mode rewrite of one record in the middle of a working copy of DLG_BENCH_RECORDS
// records: the splice in memory beside a memchr line count, and the whole rewrite on disk beside
// a crash-safe write of the same bytes.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench_data.h"
#include "commands/editor.h"
#include "commands/rewrite_working_copy.h"
#include "rewrite_records.h"

namespace dlg {
namespace {

const std::string kMiddle = std::to_string(bench::Records() / 2);

// One folder for the run, holding the dialogue's working copy.
struct Folder : bench::TempFolder {
  std::string bytes = bench::GeneratedDialogue(bench::Records(), 4);
  std::unique_ptr<bench::CrashSafeFloor> floor;
  Folder() : TempFolder("dlgbench-") {
    Put("talk.dlg.bak", bytes);
    floor = std::make_unique<bench::CrashSafeFloor>(path.string(), bytes);
  }
};

Folder& Shared() {
  static Folder folder;
  return folder;
}

void BM_SpliceRecords(benchmark::State& state) {
  Folder& f = Shared();
  RewriteRequest request;
  request.record = {kMiddle, "Edited.", "", "", "", "", ""};
  RewriteSplice splice;
  bench::Ratio ratio;
  for (auto _ : state) {
    state.PauseTiming();
    ratio.TimeReference([&] { bench::MemchrPass(f.bytes); });
    state.ResumeTiming();
    ratio.Time([&] { SpliceRecords(f.bytes, request, splice); });
  }
  ratio.Report(state);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.bytes.size()));
}

void BM_RewriteWorkingCopy(benchmark::State& state) {
  Folder& f = Shared();
  bench::YesPlatform platform;
  Editor ed(platform);
  ed.state.dialoguePath = f.File("talk.dlg");
  ed.window.fileList.fileName = "talk.dlg";
  ed.window.lineNumber.text = kMiddle;
  bench::Ratio ratio;
  int pass = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // A different text each pass, of the same length: each pass has something to write.
    ed.window.maleText.text = (++pass % 2) ? "Edited." : "Edited!";
    f.floor->Quiet(ed.files);
    ratio.TimeReference([&] { f.floor->Write(); });
    state.ResumeTiming();
    ratio.Time([&] { TryRewriteWorkingCopy(ed); });
  }
  ratio.Report(state);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.bytes.size()));
}

BENCHMARK(BM_SpliceRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteWorkingCopy)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dlg

BENCHMARK_MAIN();
