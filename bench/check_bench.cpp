// dlgcheck's speed: every check over 100,000 records against a memchr line count of the same
// bytes, and the map of a 500-line dialogue laid out and drawn.

#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "check/checks.h"
#include "map/map.h"

namespace {

// A conversation of `lines` records: NPC lines ten apart, each with three replies leading on
// one line, two lines on, and to the end.
std::string Branching(int lines) {
  std::string out;
  const int npcs = lines / 4;
  for (int k = 1; k <= npcs; ++k) {
    const int n = k * 10;
    const auto to = [&](int ahead) {
      return std::to_string(k + ahead <= npcs ? n + ahead * 10 : 0);
    };
    out += dlg::FormatRecordLine(
        {std::to_string(n),
         "Line " + std::to_string(k) + " of the smith's long tale, and then some.", "", "", "", "",
         ""});
    out += dlg::FormatRecordLine({std::to_string(n + 1), "Go on.", "", "", "", to(1), ""});
    out += dlg::FormatRecordLine(
        {std::to_string(n + 2), "Skip ahead.", "Skip, please.", "9", "", to(2), ""});
    out += dlg::FormatRecordLine({std::to_string(n + 3), "Farewell.", "", "", "flag", "0", ""});
  }
  return out;
}

// 100,000 records: a clean conversation (range 0), or one where every reply leads to another
// reply and so has a finding of its own (range 1).
const std::string& Dialogue(int64_t flagged) {
  static const std::string clean = Branching(100000);
  static const std::string everyReply = dlg::bench::GeneratedDialogue(100000, 5);
  return flagged ? everyReply : clean;
}

void BM_MemchrLineCount(benchmark::State& state) {
  const std::string& bytes = Dialogue(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(dlg::bench::MemchrLines(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_MemchrLineCount)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CheckDialogue(benchmark::State& state) {
  const std::string& bytes = Dialogue(state.range(0));
  std::size_t findings = 0;
  for (auto _ : state) {
    findings = dlg::check::RunChecks(dlg::ReadConversation(bytes)).size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = static_cast<double>(findings);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_CheckDialogue)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Map500Lines(benchmark::State& state) {
  const std::string bytes = Branching(500);
  const std::string dot = dlg::map::MapDot(dlg::ReadConversation(bytes));
  for (auto _ : state) {
    std::string image, error;
    if (!dlg::map::DrawMap(dot, dlg::map::MapFormat::Svg, image, error))
      state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(image.size());
  }
}
BENCHMARK(BM_Map500Lines)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
