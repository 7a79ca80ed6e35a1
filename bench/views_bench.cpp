// The lists of a view of the whole conversation over 100,000 records, from the bytes, each beside
// a memchr line count of the same bytes in the same run (counter `ratio`). Each list is measured
// as a window shows it: the rows listed and the text made only for a screenful of them.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench_data.h"
#include "check/views.h"

namespace {

const std::string& Dialogue() {
  static const std::string bytes = dlg::bench::GeneratedDialogue(100000, 5);
  return bytes;
}

template <class List>
void Beside(benchmark::State& state, List&& list) {
  const std::string& bytes = Dialogue();
  dlg::bench::Ratio ratio;
  std::size_t rows = 0;
  for (auto _ : state) {
    ratio.Time([&] { rows = list(dlg::ReadConversation(bytes)); });
    state.PauseTiming();
    ratio.TimeReference([&] { dlg::bench::MemchrPass(bytes); });
    state.ResumeTiming();
  }
  ratio.Report(state);
  state.counters["rows"] = static_cast<double>(rows);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

// Rows a window shows at once.
constexpr std::size_t kShown = 50;

void BM_ReadConversation(benchmark::State& state) {
  Beside(state, [](const dlg::Conversation& c) { return c.records.size(); });
}
BENCHMARK(BM_ReadConversation)->Unit(benchmark::kMillisecond);

// Row i is record i under c.records[i].group: only the texts shown are made.
void BM_OutlineShown(benchmark::State& state) {
  Beside(state, [](const dlg::Conversation& c) {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < std::min(kShown, c.records.size()); ++i)
      bytes += dlg::check::OutlineText(c, static_cast<int>(i)).size();
    benchmark::DoNotOptimize(bytes);
    return c.records.size();
  });
}
BENCHMARK(BM_OutlineShown)->Unit(benchmark::kMillisecond);

// Every check run, the messages made only for the rows shown.
void BM_ProblemsShown(benchmark::State& state) {
  Beside(state, [](const dlg::Conversation& c) {
    const std::vector<dlg::check::Problem> problems = dlg::check::FindProblems(c);
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < std::min(kShown, problems.size()); ++i)
      bytes += dlg::check::ProblemText(c, problems[i]).size();
    benchmark::DoNotOptimize(bytes);
    return problems.size();
  });
}
BENCHMARK(BM_ProblemsShown)->Unit(benchmark::kMillisecond);

// /0: a text in every reply; /1: a text in no record.
void BM_FindShown(benchmark::State& state) {
  const char* needle = state.range(0) == 0 ? "COIN FOR" : "quicksilver";
  Beside(state, [needle](const dlg::Conversation& c) {
    const std::vector<dlg::check::FoundAt> found = dlg::check::FindRecords(c, needle);
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < std::min(kShown, found.size()); ++i)
      bytes += dlg::check::FoundText(c, found[i]).size();
    benchmark::DoNotOptimize(bytes);
    return found.size();
  });
}
BENCHMARK(BM_FindShown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
