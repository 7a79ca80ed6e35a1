// The readers against the plainest passes over the same bytes: one NPC line with all the other
// DLG_BENCH_RECORDS records as its responses, shown (ratio over the reader pass, which reads
// every field into one reused buffer), and the used-number scan (ratio over a memchr line count).

#include <benchmark/benchmark.h>

#include <memory>

#include "bench_data.h"
#include "commands/editor.h"
#include "commands/lookup.h"
#include "commands/number_offers.h"
#include "commands/open_file.h"
#include "dialogue/record_reader.h"
#include "reference_readers.h"

namespace {

const std::string& Dialogue() {
  // One NPC line followed by all the others as its responses: GatherResponses reads everything.
  static const std::string bytes =
      dlg::bench::GeneratedDialogue(dlg::bench::Records(), dlg::bench::Records());
  return bytes;
}

// Every field of every record through ScanField into one reused buffer: the reading that
// showing the responses cannot do without.
std::size_t ReaderPass(const std::string& bytes) {
  dlg::CharSource src(std::string_view{bytes});
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
  return fields;
}

// As a lookup shows a line: the view of the line shown before is cleared, and the line read
// from the bytes in memory. /1: the lists held the responses shown before (a lookup after a
// lookup); /0: a fresh editor whose lists have never held anything (the first line shown).
void BM_ShowNpcLineWithAllReplies(benchmark::State& state) {
  const std::string& bytes = Dialogue();
  dlg::bench::YesPlatform platform;
  dlg::bench::Ratio ratio;
  auto ed = std::make_unique<dlg::Editor>(platform);
  for (auto _ : state) {
    state.PauseTiming();
    if (state.range(0) == 0) {
      ed.reset();  // freeing the last window's lists is not showing this one
      ed = std::make_unique<dlg::Editor>(platform);
    }
    ratio.TimeReference([&] { benchmark::DoNotOptimize(ReaderPass(bytes)); });
    state.ResumeTiming();
    ratio.Time([&] {
      dlg::ClearLineView(*ed);
      dlg::CharSource src(std::string_view{bytes});
      dlg::Char ch = dlg::kNoChar;
      dlg::FirstRecordRead(src, ch, ed->state, ed->window);
    });
  }
  if (ed->window.replies.Count() < dlg::bench::Records() - 1) {
    state.SkipWithError("not every response was listed");
  }
  ratio.Report(state);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ShowNpcLineWithAllReplies)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReaderPass(benchmark::State& state) {
  const std::string& bytes = Dialogue();
  for (auto _ : state) benchmark::DoNotOptimize(ReaderPass(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReaderPass)->Unit(benchmark::kMillisecond);

void BM_UsedNumberScan(benchmark::State& state) {
  const std::string& bytes = Dialogue();
  dlg::bench::YesPlatform platform;
  dlg::bench::Ratio ratio;
  for (auto _ : state) {
    state.PauseTiming();
    auto ed = std::make_unique<dlg::Editor>(platform);
    ratio.TimeReference([&] { dlg::bench::MemchrPass(bytes); });
    state.ResumeTiming();
    ratio.Time([&] {
      dlg::CharSource src(std::string_view{bytes});
      dlg::UsedNumberScan(src, ed->state, ed->window);
    });
    state.PauseTiming();
    ed.reset();
    state.ResumeTiming();
  }
  ratio.Report(state);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_UsedNumberScan)->Unit(benchmark::kMillisecond);

// What the window offers as a number is typed: the list of the jump box's completer (Arg 0),
// read at its first focus after a write, and the next free number of "Add Line" with an empty
// box (Arg 1), both beside a memchr pass.
void BM_NumberOffers(benchmark::State& state) {
  const std::string& bytes = Dialogue();
  dlg::bench::YesPlatform platform;
  dlg::Editor ed(platform);
  dlg::CharSource src(std::string_view{bytes});
  dlg::UsedNumberScan(src, ed.state, ed.window);
  dlg::JumpTargets targets;
  dlg::bench::Ratio ratio;
  for (auto _ : state) {
    state.PauseTiming();
    ratio.TimeReference([&] { dlg::bench::MemchrPass(bytes); });
    state.ResumeTiming();
    ratio.Time([&] {
      if (state.range(0) == 0) {
        dlg::ListJumpTargets(bytes, targets);
      } else {
        benchmark::DoNotOptimize(dlg::NextFreeNumber(bytes, ed.window.usedNumbers.items, "1"));
      }
    });
  }
  ratio.Report(state);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_NumberOffers)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MemchrLineCount(benchmark::State& state) {
  const std::string& bytes = Dialogue();
  for (auto _ : state) benchmark::DoNotOptimize(dlg::bench::MemchrLines(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_MemchrLineCount)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
