// The Conversation window's map: Graphviz's layout read back for a view, for a whole map of 100
// and 1,000 NPC lines, and the neighbourhood of a line in a conversation too long for one.

#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "dialogue/conversation.h"
#include "dialogue/record.h"
#include "map/map.h"
#include "map/map_layout.h"

namespace {

void Lay(benchmark::State& state, const std::string& dot) {
  std::size_t nodes = 0;
  for (auto _ : state) {
    dlg::map::MapLayout layout;
    std::string error;
    if (!dlg::map::LayOutMap(dot, layout, error)) state.SkipWithError(error.c_str());
    nodes = layout.nodes.size();
  }
  state.counters["nodes"] = static_cast<double>(nodes);
}

// Range: NPC lines.
void BM_LayOutWholeMap(benchmark::State& state) {
  const std::string bytes = dlg::bench::BranchingDialogue(static_cast<int>(state.range(0)));
  Lay(state, dlg::map::MapDot(dlg::ReadConversation(bytes)));
}
BENCHMARK(BM_LayOutWholeMap)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The neighbourhood of a line in the middle of 25,000 NPC lines: reading, DOT and layout.
void BM_LayOutNeighbourhood(benchmark::State& state) {
  const std::string bytes = dlg::bench::BranchingDialogue(25000);
  std::size_t nodes = 0;
  for (auto _ : state) {
    const dlg::Conversation c = dlg::ReadConversation(bytes);
    dlg::map::MapLayout layout;
    std::string error;
    if (!dlg::map::LayOutMap(dlg::map::MapDotAround(c, 50000), layout, error))
      state.SkipWithError(error.c_str());
    nodes = layout.nodes.size();
  }
  state.counters["nodes"] = static_cast<double>(nodes);
}
BENCHMARK(BM_LayOutNeighbourhood)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
