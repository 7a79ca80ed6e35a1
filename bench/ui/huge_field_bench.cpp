// An NPC line with one field of 1 MB or 10 MB (one word without a blank to wrap at, or words) in
// the real editor window (offscreen): the male text with a reply of the same size in the response
// list, or one of the single-line flags boxes. Load File until the window has painted them, and one
// typed character with the loss of focus that writes it, beside a plain read of the same bytes. The
// window must answer within 0.3 s at 1 MB and 2 s at 10 MB.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <filesystem>
#include <string>

#include "../bench_data.h"
#include "commands/browse.h"
#include "commands/editor.h"
#include "fileio/files.h"
#include "ui/editor_form.h"
#include "ui/field_boxes.h"

namespace dlg {
namespace {

// The box that holds the huge field: the second argument of each benchmark.
enum Box : std::int64_t { kMale, kFlags1, kFlags2 };
constexpr const char* kBoxNames[] = {"txtDialogue", "txtFlags1", "txtflags2"};
constexpr const char* kOtherBoxes[] = {"txtIntCheck", "txtIntCheck", "txtIntCheck"};

// What the huge field holds: the third argument of each benchmark.
enum Text : std::int64_t { kOneWord, kWords };

// One word, or words of 1 to 11 letters between single blanks.
std::string HugeText(std::int64_t size, std::int64_t text) {
  std::string word(static_cast<std::size_t>(size), 'x');
  for (std::size_t i = 0; i < word.size(); i += 7) word[i] = 'a' + static_cast<char>(i % 26);
  if (text == kWords) {
    for (std::size_t i = 1, gap = 2; i + 1 < word.size(); i += gap, gap = 2 + (i * 7) % 11)
      word[i] = ' ';
  }
  return word;
}

std::string HugeRecord(std::int64_t size, std::int64_t box, std::int64_t text) {
  const std::string word = HugeText(size, text);
  if (box == kFlags1) return "{1}{Hello}{}{}{" + word + "}{}{}\r\n";
  if (box == kFlags2) return "{1}{Hello}{}{}{}{}{" + word + "}\r\n";
  return "{1}{" + word + "}{}{}{}{}{}\r\n{2}{" + word + "}{}{}{}{0}{}\r\n";
}

TextBox& ModelBox(Editor& ed, std::int64_t box) {
  if (box == kFlags1) return ed.window.conditionFlags;
  if (box == kFlags2) return ed.window.executionFlags;
  return ed.window.maleText;
}

void BM_PlainRead(benchmark::State& state) {
  const bench::TempFolder folder("dlghugebench-");
  const std::string file = folder.Put("huge.dlg", HugeRecord(state.range(0), kMale, kOneWord));
  Files files(PosixFileOps());
  std::string bytes;
  for (auto _ : state) benchmark::DoNotOptimize(files.ReadAll(file, bytes));
}

// The window with the huge record loaded; each step is timed until the window has painted.
struct Loaded {
  const bench::TempFolder folder{"dlghugebench-"};
  bench::YesPlatform platform;
  Editor ed{platform};
  ui::EditorForm form{ed};
  QPushButton* load = nullptr;
  QPushButton* unload = nullptr;
  QWidget* huge = nullptr;   // the box of the huge field
  QWidget* other = nullptr;  // another field box, to leave the huge one to

  Loaded(std::int64_t size, std::int64_t box, std::int64_t text) {
    folder.Put("huge.dlg", HugeRecord(size, box, text));
    form.Load();
    ChangeFolder(ed, folder.path.string());
    ed.window.fileList.fileName = "huge.dlg";
    form.Render();
    form.show();
    QCoreApplication::processEvents();
    load = form.findChild<QPushButton*>(QStringLiteral("Command2"));
    unload = form.findChild<QPushButton*>(QStringLiteral("Command8"));
    huge = form.findChild<QWidget*>(QString::fromLatin1(kBoxNames[box]));
    other = form.findChild<QWidget*>(QString::fromLatin1(kOtherBoxes[box]));
    QApplication::setActiveWindow(&form);
  }
  bool Complete() const { return load && unload && huge && other; }
  void Unload() {
    unload->click();
    QCoreApplication::processEvents();
    ed.window.fileList.fileName = "huge.dlg";
    form.Render();
  }
};

void BM_LoadHugeField(benchmark::State& state) {
  Loaded w(state.range(0), state.range(1), state.range(2));
  if (!w.Complete()) return state.SkipWithError("the window lacks its controls");
  for (auto _ : state) {
    w.load->click();
    QCoreApplication::processEvents();
    state.PauseTiming();
    if (ModelBox(w.ed, state.range(1)).text.size() != static_cast<std::size_t>(state.range(0)))
      state.SkipWithError("the field is not shown whole");
    w.Unload();
    state.ResumeTiming();
  }
}

// The male text takes the typing at its start, a single-line box at its end (where a user adds
// to a list of flags).
void BM_TypeIntoHugeField(benchmark::State& state) {
  const std::int64_t box = state.range(1);
  Loaded w(state.range(0), box, state.range(2));
  if (!w.Complete()) return state.SkipWithError("the window lacks its controls");
  w.load->click();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    w.huge->setFocus();
    QWidget* keyboard = QApplication::focusWidget();  // where the keys go
    if (box != kMale) {
      QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
      QApplication::sendEvent(keyboard, &end);
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QApplication::sendEvent(keyboard, &press);
    w.other->setFocus();  // leaving the box writes the line
    QCoreApplication::processEvents();
  }
  std::string copy;
  Files(PosixFileOps()).ReadAll(w.ed.state.WorkingCopyPath(), copy);
  // Every character typed is in the line, written.
  const std::string typed(static_cast<std::size_t>(state.iterations()), 'z');
  const std::string word = HugeText(state.range(0), state.range(2));
  const std::string expected = box == kMale     ? "{1}{" + typed + word + "}"
                               : box == kFlags1 ? "{1}{Hello}{}{}{" + word + typed + "}{}{}\r\n"
                                                : "{1}{Hello}{}{}{}{}{" + word + typed + "}\r\n";
  if (!copy.starts_with(expected)) state.SkipWithError("the typing was not written");
}

constexpr std::int64_t kMB = 1 << 20;
BENCHMARK(BM_PlainRead)->Arg(kMB)->Arg(10 * kMB)->Unit(benchmark::kMillisecond);
void HugeFieldArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"bytes", "box", "words"});
  for (std::int64_t text : {kOneWord, kWords}) {
    for (std::int64_t box : {kMale, kFlags1, kFlags2}) {
      for (std::int64_t size : {kMB, 10 * kMB}) b->Args({size, box, text});
    }
  }
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_LoadHugeField)->Apply(HugeFieldArgs);
BENCHMARK(BM_TypeIntoHugeField)->Apply(HugeFieldArgs);

}  // namespace
}  // namespace dlg
