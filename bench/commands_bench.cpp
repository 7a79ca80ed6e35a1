// Whole commands on a generated working copy of DLG_BENCH_RECORDS records (an NPC line every five
// records), each beside its yardstick measured in the same run: the lookups beside a memchr line
// count of the same bytes, the writing commands beside a crash-safe write of the same bytes
// (CrashSafeFloor). The counter `ratio` is the command's time over its yardstick.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "commands/add_line.h"
#include "commands/edit_response.h"
#include "commands/editor.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/rewrite_working_copy.h"
#include "commands/save_close.h"
#include "commands/undo.h"

namespace dlg {
namespace {

// The last record, and a number left out in the middle so that "Save New Line" has a free
// number between two listed ones.
const std::string kLastLine = std::to_string(bench::Records());
const std::string kFreeLine = std::to_string(bench::Records() / 2);

std::string Dialogue() {
  std::string bytes = bench::GeneratedDialogue(bench::Records(), 5);
  const std::string line = "\r\n{" + kFreeLine + "}";
  const std::size_t start = bytes.find(line) + 2;
  bytes.erase(start, bytes.find("\r\n", start) + 2 - start);
  return bytes;
}

// The run's folder with the dialogue file; `Loaded` gives an editor that has loaded it.
struct Folder : bench::TempFolder {
  std::string bytes = Dialogue();
  bench::YesPlatform platform;
  std::unique_ptr<bench::CrashSafeFloor> floor;

  Folder() : TempFolder("dlgcmdbench-") {
    Put("talk.dlg");
    floor = std::make_unique<bench::CrashSafeFloor>(path.string(), bytes);
  }
  using TempFolder::Put;
  void Put(const std::string& name) const { Put(name, bytes); }

  // Gone for good: the freeing of its blocks is flushed here, not in the next timed command.
  void Remove(const std::string& name) const {
    std::filesystem::remove(File(name));
    bench::SyncFolder(path.string());
  }
  // The working copy an editor left, and the copies that Load File kept aside from it.
  void RemoveCopies() const {
    for (const auto& e : std::filesystem::directory_iterator(path)) {
      if (e.path().filename().string().starts_with("talk.dlg.bak")) std::filesystem::remove(e);
    }
    bench::SyncFolder(path.string());
  }

  std::unique_ptr<Editor> Fresh() {
    auto ed = std::make_unique<Editor>(platform);
    ed->window.fileList.path = path.string();
    ed->window.fileList.fileName = "talk.dlg";
    return ed;
  }
  std::unique_ptr<Editor> Loaded() {
    RemoveCopies();
    auto ed = Fresh();
    LoadFile(*ed);
    return ed;
  }
  void Floor() const { floor->Write(); }
  // The floor, timed as the reference once `ed`'s background work is done.
  void FloorAfter(Editor& ed, bench::Ratio& ratio) const {
    floor->Quiet(ed.files);
    ratio.TimeReference([&] { Floor(); });
  }
  void Memchr() const { bench::MemchrPass(bytes); }
};

Folder& Shared() {
  static Folder folder;
  return folder;
}

void SetBytes(benchmark::State& state, const Folder& f) {
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.bytes.size()));
}

void BM_MemchrPass(benchmark::State& state) {
  Folder& f = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(bench::MemchrLines(f.bytes));
  SetBytes(state, f);
}

void BM_CrashSafeFloor(benchmark::State& state) {
  Folder& f = Shared();
  for (auto _ : state) f.Floor();
  SetBytes(state, f);
}

// First-record read, used-number scan and the working copy: /0 as after an Unload File, which
// took the working copy away; /1 over a working copy with unsaved edits that an earlier run left
// behind, taken up.
void BM_LoadFile(benchmark::State& state) {
  Folder& f = Shared();
  const bool stale = state.range(0) != 0;
  std::string edited = f.bytes;
  edited[edited.find("{2}{") + 4] ^= 1;
  bench::Ratio ratio;
  for (auto _ : state) {
    state.PauseTiming();  // a fresh window; freeing the last one's items is not loading
    auto ed = f.Fresh();
    f.RemoveCopies();
    if (stale) f.Put("talk.dlg.bak", edited);
    f.FloorAfter(*ed, ratio);
    state.ResumeTiming();
    ratio.Time([&] { LoadFile(*ed); });
    state.PauseTiming();
    if (ed->window.usedNumbers.Count() != bench::Records() - 1) {
      state.SkipWithError("not every number was listed");
    }
    ed.reset();
    state.ResumeTiming();
  }
  ratio.Report(state);
  SetBytes(state, f);
}

// A lookup of the last line; `aim` puts the target where the command takes it from, without an
// edit of the line shown (which the command would write first). /1: the working copy is as the
// last lookup read it; /0: it is read again, as after an edit.
void Lookup(benchmark::State& state, const std::function<void(Editor&)>& aim,
            void (*command)(Editor&)) {
  Folder& f = Shared();
  auto ed = f.Loaded();
  bench::Ratio ratio;
  for (auto _ : state) {
    state.PauseTiming();
    aim(*ed);
    if (state.range(0) == 0) ed->buffers.cache.Forget();
    ratio.TimeReference([&] { f.Memchr(); });
    state.ResumeTiming();
    ratio.Time([&] { command(*ed); });
  }
  if (ed->window.lineNumber.text != kLastLine) state.SkipWithError("the last line was not shown");
  ratio.Report(state);
  SetBytes(state, f);
}

void BM_GoToLastLine(benchmark::State& state) {
  Lookup(
      state, [](Editor& ed) { ed.window.goToNumber.text = kLastLine; }, GoToTypedLine);
}

void BM_RespondToLastLine(benchmark::State& state) {
  Lookup(
      state,
      [](Editor& ed) {
        EditorWindow& w = ed.window;
        w.replyTargets.items = {kLastLine};
        w.replies.items = {"reply"};
        w.replies.selected = 0;
      },
      Respond);
}

void BM_JumpToLastLine(benchmark::State& state) {
  // The reply five records up leads to the last line.
  const std::string from = std::to_string(bench::Records() - 5);
  Lookup(
      state,
      [&](Editor& ed) {
        GoToLine(ed, from, {true, false, MessageSet::Standard});
      },
      FollowJump);
}

void BM_EditLastResponse(benchmark::State& state) {
  Lookup(
      state,
      [](Editor& ed) {
        EditorWindow& w = ed.window;
        w.replyNumbers.items = {kLastLine};
        w.replies.items = {"reply"};
        w.replies.selected = 0;
      },
      EditResponse);
}

// A field box of a record in the middle loses the focus after an edit; the text changes at
// every pass (keeping its length), so that every pass has something to write.
void BM_RewriteOnLeave(benchmark::State& state) {
  Folder& f = Shared();
  auto ed = f.Loaded();
  ed->window.goToNumber.text = std::to_string(bench::Records() / 2 + 1);
  GoToTypedLine(*ed);
  bench::Ratio ratio;
  int pass = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ed->window.maleText.text = (++pass % 2) ? "Edited on the way out." : "Edited once again.....";
    f.FloorAfter(*ed, ratio);
    state.ResumeTiming();
    ratio.Time([&] { LeaveFieldBox(*ed); });
  }
  ratio.Report(state);
  SetBytes(state, f);
}

// Undo (/0) or Redo (/1) of an edit of a record in the middle, made once before the passes; the
// other of the two puts it back between passes, untimed.
void BM_UndoRedoEdit(benchmark::State& state) {
  Folder& f = Shared();
  const bool redo = state.range(0) != 0;
  auto ed = f.Loaded();
  ed->window.goToNumber.text = std::to_string(bench::Records() / 2 + 1);
  GoToTypedLine(*ed);
  const std::string before = ed->window.maleText.text;
  ed->window.maleText.text = "Edited, to be undone and done again.";
  LeaveFieldBox(*ed);
  bench::Ratio ratio;
  for (auto _ : state) {
    state.PauseTiming();
    if (redo) Undo(*ed);
    f.FloorAfter(*ed, ratio);
    state.ResumeTiming();
    ratio.Time([&] { redo ? Redo(*ed) : Undo(*ed); });
    state.PauseTiming();
    if ((ed->window.maleText.text == before) == redo) state.SkipWithError("the step was not taken");
    if (!redo) Redo(*ed);
    state.ResumeTiming();
  }
  ratio.Report(state);
  SetBytes(state, f);
}

// "Add Line" and "Save New Line" of the free number in the middle. Each pass adds a record, which
// Undo takes out again between passes, untimed: the working copy stays the editor's own, as when
// a user adds lines one after the other.
void BM_SaveNewLine(benchmark::State& state) {
  Folder& f = Shared();
  auto ed = f.Loaded();
  const ItemList listed = ed->window.usedNumbers.items;
  const std::string lastLineNumber = ed->state.lastLineNumber;
  bench::Ratio ratio;
  for (auto _ : state) {
    state.PauseTiming();
    ed->window.usedNumbers.items = listed;
    ed->state.lastLineNumber = lastLineNumber;
    ed->window.newLineNumber.text = kFreeLine;
    f.FloorAfter(*ed, ratio);
    state.ResumeTiming();
    ratio.Time([&] {
      AddLine(*ed);
      ed->window.maleText.text = "A line that was missing.";
      SaveNewLine(*ed);
    });
    state.PauseTiming();
    if (ed->window.usedNumbers.Count() != static_cast<int>(listed.size()) + 1) {
      state.SkipWithError("the new line was not listed");
    }
    Undo(*ed);
    state.ResumeTiming();
  }
  ratio.Report(state);
  SetBytes(state, f);
}

void Saving(benchmark::State& state, void (*command)(Editor&)) {
  Folder& f = Shared();
  auto ed = f.Loaded();
  bench::Ratio ratio;
  for (auto _ : state) {
    state.PauseTiming();
    f.FloorAfter(*ed, ratio);
    state.ResumeTiming();
    ratio.Time([&] { command(*ed); });
  }
  ratio.Report(state);
  SetBytes(state, f);
}

void BM_Save(benchmark::State& state) { Saving(state, Save); }

void BM_SaveAs(benchmark::State& state) {
  Shared().platform.input = "copy";
  Saving(state, SaveAs);
}

BENCHMARK(BM_MemchrPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrashSafeFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoToLastLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RespondToLastLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpToLastLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditLastResponse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteOnLeave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNewLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dlg

BENCHMARK_MAIN();
