// The hash that Load File and Save take of the bytes they pass anyway, over a dialogue of
// 1,000,000 records, beside a memchr line count of the same bytes: it must stay a small part of
// those commands (under 5 % of Load File and Save at that size).

#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "fileio/file_identity.h"

namespace dlg {
namespace {

const std::string& Bytes() {
  static const std::string bytes = bench::GeneratedDialogue(1000000, 5);
  return bytes;
}

void BM_ContentHash(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(HashOf(Bytes()));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Bytes().size()));
}
BENCHMARK(BM_ContentHash)->Unit(benchmark::kMillisecond);

void BM_MemchrPass(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(bench::MemchrLines(Bytes()));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Bytes().size()));
}
BENCHMARK(BM_MemchrPass)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dlg

BENCHMARK_MAIN();
