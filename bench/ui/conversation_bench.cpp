// The Conversation window (offscreen) catching up with an edit written by the editor: from the
// write until the outline, findings and map show it (`ms`), and the longest time the window's
// thread was busy meanwhile, the longest any event had to wait (`longest_wait_ms`). The map of
// 100 NPC lines should be redrawn within 200 ms, that of 1,000 and every dense one within 2 s;
// for 1,000,000
// records no event should wait longer than 50 ms.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdlib>
#include <string>

#include "../bench_data.h"
#include "commands/browse.h"
#include "commands/editor.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/rewrite_working_copy.h"
#include "support/temp_dir.h"
#include "ui/conversation_window.h"
#include "ui/editor_form.h"

namespace dlg {
namespace {

void CatchUp(benchmark::State& state, const std::string& bytes) {
  const bench::TempFolder folder("dlgconvbench-");
  folder.Put("talk.dlg", bytes);
  bench::YesPlatform platform;
  Editor ed(platform);
  ui::EditorForm form(ed);
  form.Load();
  ChangeFolder(ed, folder.path.string());
  ed.window.fileList.fileName = "talk.dlg";
  LoadFile(ed);
  form.Render();
  form.show();
  form.ShowConversation(false);
  ui::ConversationWindow* window = form.conversationWindow();
  // A timer due every 5 ms: how late it comes is how long the window's thread kept events waiting.
  double longest = 0;
  QElapsedTimer since;
  QTimer probe;
  probe.setInterval(5);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    longest = std::max(longest, static_cast<double>(since.nsecsElapsed()) / 1e6 - 5);
    since.restart();
  });
  auto settle = [&] {
    since.start();
    probe.start();
    while (window->Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();  // painted
    probe.stop();
  };
  settle();
  // The first record's line.
  GoToPickedLine(ed, bytes.substr(1, bytes.find('}') - 1));
  form.Render();
  settle();
  longest = 0;
  int n = 0;
  const std::string before = test::ReadBytes(ed.state.WorkingCopyPath());
  for (auto _ : state) {
    // An edit of the NPC line shown, written as the box is left.
    ed.window.maleText.text = "The ferry leaves at dusk " + std::to_string(++n) + ".";
    LeaveFieldBox(ed);
    form.Render();
    settle();
  }
  if (test::ReadBytes(ed.state.WorkingCopyPath()) == before)
    state.SkipWithError("nothing was written");
  state.counters["longest_wait_ms"] = longest;
}

void BM_MapRedrawnAfterAnEdit(benchmark::State& state) {
  CatchUp(state, bench::BranchingDialogue(static_cast<int>(state.range(0))));
}
// NPC lines.
BENCHMARK(BM_MapRedrawnAfterAnEdit)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Dense conversations: NPC lines, replies to each, and whether they lead to random lines. Their
// whole maps would take Graphviz tens of seconds; the window shows a part within its budget.
void BM_DenseMapAfterAnEdit(benchmark::State& state) {
  CatchUp(state, bench::DenseDialogue(static_cast<int>(state.range(0)),
                                      static_cast<int>(state.range(1)), state.range(2) != 0));
}
BENCHMARK(BM_DenseMapAfterAnEdit)
    ->Args({1000, 10, 0})
    ->Args({1000, 10, 1})
    ->Args({300, 30, 0})
    ->Args({100, 30, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_HugeConversationAfterAnEdit(benchmark::State& state) {
  // Groups of five: an NPC line and four replies, each leading five records on.
  CatchUp(state, bench::GeneratedDialogue(
                     std::getenv("DLG_BENCH_RECORDS") ? bench::Records() : 1000000, 5));
}
BENCHMARK(BM_HugeConversationAfterAnEdit)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace dlg
