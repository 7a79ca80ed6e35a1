// The reader against the plainest possible pass over the same bytes: counting lines with memchr.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "bench_data.h"
#include "commands/editor.h"
#include "dialogue/record_reader.h"

namespace {

const std::string& Dialogue() {
  // One NPC line followed by all the others as its responses: GatherResponses reads everything.
  static const std::string bytes = dlg::bench::GeneratedDialogue(100000, 100000);
  return bytes;
}

void BM_GatherResponsesPass(benchmark::State& state) {
  const std::string& bytes = Dialogue();
  dlg::bench::YesPlatform platform;
  for (auto _ : state) {
    state.PauseTiming();  // building and freeing the window's lists is not reading
    auto ed = std::make_unique<dlg::Editor>(platform);
    dlg::CharSource src(bytes);
    state.ResumeTiming();
    dlg::Char ch = dlg::kNoChar;
    dlg::FirstRecordRead(src, ch, ed->state, ed->window);
    benchmark::DoNotOptimize(ed->window.lstresponses.Count());
    state.PauseTiming();
    ed.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_GatherResponsesPass)->Unit(benchmark::kMillisecond);

// The reading alone: every field of every record through ScanField into one reused buffer, the
// work GatherResponses does before it fills the lists.
void BM_ReaderPass(benchmark::State& state) {
  const std::string& bytes = Dialogue();
  for (auto _ : state) {
    dlg::CharSource src(bytes);
    dlg::Char ch = src.Read();  // the first record's opener
    std::string field;
    std::size_t fields = 0;
    while (ch != dlg::kNoChar && !src.AtEnd()) {
      field.clear();
      if (src.ReadThrough('}', field) == dlg::kNoChar) break;
      for (int i = 0; i < 6; ++i) {
        field.clear();
        if (!dlg::ScanField(src, ch, field)) break;
      }
      fields += 7;
      if (!dlg::SkipToNextRecord(src, ch)) break;
    }
    benchmark::DoNotOptimize(fields);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReaderPass)->Unit(benchmark::kMillisecond);

void BM_UsedNumberScan(benchmark::State& state) {
  const std::string& bytes = Dialogue();
  dlg::bench::YesPlatform platform;
  for (auto _ : state) {
    dlg::Editor ed(platform);
    dlg::CharSource src(bytes);
    dlg::UsedNumberScan(src, ed.state, ed.window);
    benchmark::DoNotOptimize(ed.window.lstusednum.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_UsedNumberScan)->Unit(benchmark::kMillisecond);

void BM_MemchrLineCount(benchmark::State& state) {
  const std::string& bytes = Dialogue();
  for (auto _ : state) {
    const std::size_t lines = dlg::bench::MemchrLines(bytes);
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_MemchrLineCount)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
