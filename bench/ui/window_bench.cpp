// "Load File" clicked in the real editor window (offscreen), until the window has laid out and
// painted the result, for DLG_BENCH_RECORDS records beside 1,000 (the part that does not grow).
// Beside it the crash-safe write of the same bytes (`ratio`), and the memory that the first load
// added (`mem_mb`) over what it may add (`mem_ratio`, at most 1): 1.3 times the file's size and
// 40 bytes a listed number.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "../bench_data.h"
#include "commands/browse.h"
#include "commands/editor.h"
#include "ui/editor_form.h"
#include "ui/list_view.h"

namespace dlg {
namespace {

// The memory that the editor and the window hold: what the allocator has handed out and not
// taken back, whatever pages it keeps for later.
double HeldBytes() {
  const struct mallinfo2 heap = ::mallinfo2();
  return static_cast<double>(heap.uordblks + heap.hblkhd);
}

void BM_LoadFileInWindow(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const bench::TempFolder folder("dlgwinbench-");
  const std::string bytes = bench::GeneratedDialogue(records, 5);
  const double fileSize = static_cast<double>(bytes.size());
  folder.Put("talk.dlg", bytes);
  const bench::CrashSafeFloor floor(folder.path.string(), bytes);
  bench::YesPlatform platform;
  Editor ed(platform);
  ui::EditorForm form(ed);
  form.Load();
  ChangeFolder(ed, folder.path.string());
  ed.window.fileList.fileName = "talk.dlg";
  form.Render();
  form.show();
  QCoreApplication::processEvents();
  auto* load = form.findChild<QPushButton*>(QStringLiteral("Command2"));
  auto* unload = form.findChild<QPushButton*>(QStringLiteral("Command8"));
  auto* listed = form.findChild<ui::ListView*>(QStringLiteral("lstusednum"));
  if (load == nullptr || unload == nullptr || listed == nullptr) {
    state.SkipWithError("the window lacks Load File, Unload File or the used-number list");
    return;
  }
  bench::Ratio ratio;
  double grown = -1;
  for (auto _ : state) {
    state.PauseTiming();
    floor.Quiet(ed.files);
    ratio.TimeReference([&] { floor.Write(); });
    const double before = HeldBytes();
    state.ResumeTiming();
    ratio.Time([&] {
      load->click();
      QCoreApplication::processEvents();  // laid out and painted
    });
    state.PauseTiming();
    // The first load, which maps the read buffer.
    if (grown < 0) grown = HeldBytes() - before;
    if (listed->rowCount() != records) state.SkipWithError("the list is not full");
    unload->click();
    QCoreApplication::processEvents();
    ed.window.fileList.fileName = "talk.dlg";
    form.Render();
    state.ResumeTiming();
  }
  ratio.Report(state);
  state.counters["mem_mb"] = grown / 1e6;
  state.counters["mem_ratio"] = grown / (1.3 * fileSize + 40.0 * records);
  state.SetItemsProcessed(state.iterations() * records);
}
BENCHMARK(BM_LoadFileInWindow)->Arg(1000)->Arg(bench::Records())->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dlg
