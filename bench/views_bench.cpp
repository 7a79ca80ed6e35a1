// The lists of a view of the whole conversation over 100,000 records, from the bytes, each beside
// a memchr line count of the same bytes in the same run (counter `ratio`).

#include <benchmark/benchmark.h>

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
    ratio.Time([&] { rows = list(dlg::check::ReadConversation(bytes)); });
    state.PauseTiming();
    ratio.TimeReference([&] { dlg::bench::MemchrPass(bytes); });
    state.ResumeTiming();
  }
  ratio.Report(state);
  state.counters["rows"] = static_cast<double>(rows);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_Outline(benchmark::State& state) {
  Beside(state, [](const dlg::check::Conversation& c) { return dlg::check::Outline(c).size(); });
}
BENCHMARK(BM_Outline)->Unit(benchmark::kMillisecond);

void BM_Problems(benchmark::State& state) {
  Beside(state, [](const dlg::check::Conversation& c) {
    std::size_t n = 0;
    for (const dlg::check::Finding& f : dlg::check::RunChecks(c))
      n += dlg::check::ProblemRow(f).empty() ? 0 : 1;
    return n;
  });
}
BENCHMARK(BM_Problems)->Unit(benchmark::kMillisecond);

// /0: a text in every reply; /1: a text in no record.
void BM_Find(benchmark::State& state) {
  const char* needle = state.range(0) == 0 ? "COIN FOR" : "quicksilver";
  Beside(state, [needle](const dlg::check::Conversation& c) {
    return dlg::check::FindText(c, needle).size();
  });
}
BENCHMARK(BM_Find)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
