// Whole commands on a working copy of 100,000 records (about 10 MB, an NPC line every five
// records), beside the plainest passes over the same bytes: a memchr line count and a file copy.
// Every command should stay under 50 ms, and "Go to:" the last line within ten memchr passes
// (its counter "memchr_passes" says how many it takes).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "commands/editor.h"

namespace dlg {
namespace {

constexpr int kRecords = 100000;
constexpr const char* kLastLine = "100000";
// Left out of the file, so that "Save New Line" has a free number between two listed ones.
constexpr const char* kFreeLine = "50000";

std::string Dialogue() {
  std::string bytes = bench::GeneratedDialogue(kRecords, 5);
  const std::string line = std::string("\r\n{") + kFreeLine + "}";
  const std::size_t start = bytes.find(line) + 2;
  bytes.erase(start, bytes.find("\r\n", start) + 2 - start);
  return bytes;
}

// The run's folder with the dialogue file; `Loaded` gives an editor that has loaded it.
struct Folder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("dlgcmdbench-" + std::to_string(::getpid()));
  std::string bytes = Dialogue();
  bench::YesPlatform platform;

  Folder() {
    std::filesystem::create_directories(path);
    Put("talk.dlg");
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string File(const std::string& name) const { return (path / name).string(); }
  // Flushed to disk, so that the write-back of these bytes does not fall into a timed command.
  void Put(const std::string& name) const {
    const int fd = ::open(File(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool ok = fd >= 0 &&
                    ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                    ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!ok) std::abort();
  }

  // Gone for good: the freeing of its blocks is flushed here, not in the next timed command.
  void Remove(const std::string& name) const {
    std::filesystem::remove(File(name));
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) std::abort();
    ::close(fd);
  }

  std::unique_ptr<Editor> Fresh() {
    auto ed = std::make_unique<Editor>(platform);
    ed->window.File1.path = path.string();
    ed->window.File1.fileName = "talk.dlg";
    return ed;
  }
  std::unique_ptr<Editor> Loaded() {
    auto ed = Fresh();
    Command2_Click(*ed);
    return ed;
  }
};

Folder& Shared() {
  static Folder folder;
  return folder;
}

template <typename Pass>
double SecondsPerPass(int passes, Pass pass) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < passes; ++i) pass();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return took.count() / passes;
}

void SetBytes(benchmark::State& state, const Folder& f) {
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.bytes.size()));
}

void BM_MemchrPass(benchmark::State& state) {
  Folder& f = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(bench::MemchrLines(f.bytes));
  SetBytes(state, f);
}

void BM_CopyFile(benchmark::State& state) {
  Folder& f = Shared();
  for (auto _ : state) {
    std::filesystem::copy_file(f.File("talk.dlg"), f.File("copy.dlg"),
                               std::filesystem::copy_options::overwrite_existing);
  }
  SetBytes(state, f);
}

// First-record read, used-number scan and the working copy: /0 as after an Unload File, which
// took the working copy away; /1 over a working copy that an earlier run left behind.
void BM_LoadFile(benchmark::State& state) {
  Folder& f = Shared();
  const bool stale = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();  // a fresh window; freeing the last one's 100,000 items is not loading
    auto ed = f.Fresh();
    if (!stale) f.Remove("talk.dlg.bak");
    state.ResumeTiming();
    Command2_Click(*ed);
    benchmark::DoNotOptimize(ed->window.lstusednum.Count());
    state.PauseTiming();
    ed.reset();
    state.ResumeTiming();
  }
  SetBytes(state, f);
}

void BM_GoToLastLine(benchmark::State& state) {
  Folder& f = Shared();
  auto ed = f.Loaded();
  ed->window.txtgoline.text = kLastLine;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) Command5_Click(*ed);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (ed->window.txtLineNum.text != kLastLine) state.SkipWithError("the last line was not found");
  const double memchr =
      SecondsPerPass(20, [&] { benchmark::DoNotOptimize(bench::MemchrLines(f.bytes)); });
  state.counters["memchr_passes"] = took.count() / static_cast<double>(state.iterations()) / memchr;
  SetBytes(state, f);
}

// A field box of a record in the middle loses the focus after an edit.
void BM_RewriteOnLeave(benchmark::State& state) {
  Folder& f = Shared();
  auto ed = f.Loaded();
  ed->window.txtgoline.text = "50001";
  Command5_Click(*ed);
  ed->window.txtDialogue.text = "Edited on the way out of the box.";
  for (auto _ : state) FieldBox_LostFocus(*ed);
  SetBytes(state, f);
}

// "Add Line" and "Save New Line" of the free number in the middle. Each pass adds a record, so
// the working copy and the used-number list are put back between passes, untimed.
void BM_SaveNewLine(benchmark::State& state) {
  Folder& f = Shared();
  auto ed = f.Loaded();
  const std::vector<std::string> listed = ed->window.lstusednum.items;
  const std::string lastLineNumber = ed->state.lastLineNumber;
  for (auto _ : state) {
    state.PauseTiming();
    f.Put("talk.dlg.bak");
    ed->window.lstusednum.items = listed;
    ed->state.lastLineNumber = lastLineNumber;
    ed->window.txtaddline.text = kFreeLine;
    state.ResumeTiming();
    cmdaddline_Click(*ed);
    ed->window.txtDialogue.text = "A line that was missing.";
    cmdsaveline_Click(*ed);
  }
  if (ed->window.lstusednum.Count() != static_cast<int>(listed.size()) + 1) {
    state.SkipWithError("the new line was not listed");
  }
  SetBytes(state, f);
}

void BM_Save(benchmark::State& state) {
  Folder& f = Shared();
  auto ed = f.Loaded();
  for (auto _ : state) Commandsave_Click(*ed);
  SetBytes(state, f);
}

BENCHMARK(BM_MemchrPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoToLastLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteOnLeave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNewLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dlg

BENCHMARK_MAIN();
