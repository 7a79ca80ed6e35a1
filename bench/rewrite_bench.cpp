// The replace-mode rewrite of one record in a working copy of 100,000 records (about 10 MB),
// beside a plain file copy of the same file: the rewrite should stay within three copies.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_data.h"
#include "commands/editor.h"
#include "support/rewrite_records.h"

namespace dlg {
namespace {

constexpr int kRecords = 100000;

std::string Dialogue() {
  std::string out;
  for (int i = 1; i <= kRecords; ++i) {
    const bool npc = i % 4 == 1;
    out += FormatRecordLine({std::to_string(i),
                             npc ? "The ferry leaves at dusk, and not a moment later, stranger."
                                 : "Then I had better find the coin before the bell rings.",
                             i % 3 == 0 ? "Then I had better hurry." : "", i % 5 == 0 ? "8" : "",
                             npc ? "" : "pc.money_get() >= 10", npc ? "" : std::to_string(i + 4),
                             npc ? "" : "pc.money_adj(-10)"});
  }
  return out;
}

// One folder for the run, holding the dialogue's working copy.
struct Folder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("dlgbench-" + std::to_string(::getpid()));
  std::string bytes = Dialogue();
  Folder() {
    std::filesystem::create_directories(path);
    std::ofstream(path / "talk.dlg.bak", std::ios::binary) << bytes;
  }
  ~Folder() { std::filesystem::remove_all(path); }
  std::string File(const char* name) const { return (path / name).string(); }
};

Folder& Shared() {
  static Folder folder;
  return folder;
}

void BM_CopyFile(benchmark::State& state) {
  Folder& f = Shared();
  for (auto _ : state) {
    std::filesystem::copy_file(f.File("talk.dlg.bak"), f.File("copy.dlg"),
                               std::filesystem::copy_options::overwrite_existing);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.bytes.size()));
}

void BM_RewriteRecords(benchmark::State& state) {
  Folder& f = Shared();
  RewriteRequest request;
  request.record = {"50000", "Edited.", "", "", "", "", ""};
  for (auto _ : state) benchmark::DoNotOptimize(RewriteRecords(f.bytes, request));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.bytes.size()));
}

void BM_RewriteWorkingCopy(benchmark::State& state) {
  Folder& f = Shared();
  bench::YesPlatform platform;
  Editor ed(platform);
  ed.state.dialoguePath = f.File("talk.dlg");
  ed.window.File1.fileName = "talk.dlg";
  ed.window.txtLineNum.text = "50000";
  ed.window.txtDialogue.text = "Edited.";
  for (auto _ : state) RewriteWorkingCopy(ed);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.bytes.size()));
}

BENCHMARK(BM_CopyFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteWorkingCopy)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dlg

BENCHMARK_MAIN();
