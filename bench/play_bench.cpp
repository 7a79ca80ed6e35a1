// The play's speed. A choice at 1,000,000 records, played again from a line near the end of the
// file (the worst start: its record is looked for from the top), beside a memchr line count of
// the same bytes (goal: within 4 times). The replay of a 50-choice play after an edit at 100,000
// records: the working copy read from disk, its records read and the choices played again, as the
// Play window does after each write (goal: within 100 ms).

#include <benchmark/benchmark.h>

#include <map>

#include "bench_data.h"
#include "dialogue/conversation.h"
#include "fileio/file_ops.h"
#include "play/play.h"

namespace {

using dlg::bench::BranchingDialogue;

// Lines ten apart with four records each: `records` / 4 lines.
const std::string& Dialogue(int records) {
  static std::map<int, std::string> made;
  std::string& bytes = made[records];
  if (bytes.empty()) bytes = BranchingDialogue(records / 4);
  return bytes;
}

void BM_ChoiceAtMillion(benchmark::State& state) {
  const std::string& bytes = Dialogue(1000000);
  const dlg::Conversation c = dlg::ReadConversation(std::string_view(bytes));
  dlg::play::Setup setup;
  setup.from = std::to_string((1000000 / 4 - 2) * 10);  // two lines before the last
  const std::vector<dlg::play::Choice> choice = {{std::to_string((1000000 / 4 - 2) * 10 + 1)}};
  dlg::bench::Ratio ratio;
  std::size_t entries = 0;
  for (auto _ : state) {
    ratio.Time([&] { entries = dlg::play::PlayConversation(c, setup, choice).transcript.size(); });
    state.PauseTiming();
    ratio.TimeReference([&] { dlg::bench::MemchrPass(bytes); });
    state.ResumeTiming();
  }
  ratio.Report(state);
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_ChoiceAtMillion)->Unit(benchmark::kMillisecond);

void BM_ReplayAfterEdit(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  dlg::bench::TempFolder folder("play_bench");
  const std::string path = folder.Put("big.dlg.bak", Dialogue(records));
  std::vector<dlg::play::Choice> choices;
  for (int k = 1; k <= 50; ++k) choices.push_back({std::to_string(k * 10 + 1)});
  dlg::Files files(dlg::PosixFileOps());
  std::size_t entries = 0;
  for (auto _ : state) {
    std::string bytes;
    if (!files.ReadAll(path, bytes)) std::abort();
    const dlg::Conversation c = dlg::ReadConversation(std::string_view(bytes));
    entries = dlg::play::PlayConversation(c, {}, choices).transcript.size();
  }
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_ReplayAfterEdit)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
