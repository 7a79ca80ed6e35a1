// Filling the used-number list of the editor window: a file of 100,000 records must show its
// numbers well under 300 ms, the window painted included.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "commands/editor.h"
#include "support/scripted_platform.h"
#include "ui/editor_form.h"

namespace {

dlg::ItemList Numbers(int count, int offset) {
  dlg::ItemList numbers;
  numbers.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) numbers.push_back(std::to_string(i + offset));
  return numbers;
}

void BM_FillUsedNumbers(benchmark::State& state) {
  dlg::test::ScriptedPlatform platform;
  dlg::Editor ed(platform);
  dlg::ui::EditorForm form(ed);
  form.show();
  QCoreApplication::processEvents();
  const int count = static_cast<int>(state.range(0));
  // Two different files in turn, so that every render has a whole list to replace.
  const dlg::ItemList lists[] = {Numbers(count, 0), Numbers(count, 1)};
  int turn = 0;
  for (auto _ : state) {
    ed.window.usedNumbers.items = lists[turn ^= 1];
    form.Render();
    QCoreApplication::processEvents();  // the list is laid out and painted
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_FillUsedNumbers)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
