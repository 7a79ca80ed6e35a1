// An NPC line whose male text is one word of 1 MB or 10 MB (no blank to wrap at), and a reply of
// the same size in the response list, in the real editor window (offscreen): Load File until
// the window has painted them, and one typed character with the loss of focus that writes it,
// beside a plain read of the same bytes. The window must answer within 0.3 s at 1 MB and 2 s at
// 10 MB.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <filesystem>
#include <string>

#include "../bench_data.h"
#include "commands/editor.h"
#include "dialogue/files.h"
#include "ui/editor_form.h"
#include "ui/field_boxes.h"

namespace dlg {
namespace {

struct Folder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("dlghugebench-" + std::to_string(::getpid()));
  Folder() { std::filesystem::create_directories(path); }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string Put(const std::string& name, const std::string& bytes) const {
    const std::string file = (path / name).string();
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool ok = fd >= 0 &&
                    ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                    ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!ok) std::abort();
    return file;
  }
};

std::string HugeRecord(std::int64_t size) {
  std::string word(static_cast<std::size_t>(size), 'x');
  for (std::size_t i = 0; i < word.size(); i += 7) word[i] = 'a' + static_cast<char>(i % 26);
  return "{1}{" + word + "}{}{}{}{}{}\r\n{2}{" + word + "}{}{}{}{0}{}\r\n";
}

void BM_PlainRead(benchmark::State& state) {
  Folder folder;
  const std::string file = folder.Put("huge.dlg", HugeRecord(state.range(0)));
  Files files(PosixFileOps());
  std::string bytes;
  for (auto _ : state) benchmark::DoNotOptimize(files.ReadAll(file, bytes));
}

// The window with the huge record loaded; each step is timed until the window has painted.
struct Loaded {
  Folder folder;
  bench::YesPlatform platform;
  Editor ed{platform};
  ui::EditorForm form{ed};
  QPushButton* load = nullptr;
  QPushButton* unload = nullptr;
  ui::FieldTextEdit* male = nullptr;
  QWidget* other = nullptr;  // another field box, to leave the male text to

  explicit Loaded(std::int64_t size) {
    folder.Put("huge.dlg", HugeRecord(size));
    form.Load();
    Dir1_Change(ed, folder.path.string());
    ed.window.File1.fileName = "huge.dlg";
    form.Render();
    form.show();
    QCoreApplication::processEvents();
    load = form.findChild<QPushButton*>(QStringLiteral("Command2"));
    unload = form.findChild<QPushButton*>(QStringLiteral("Command8"));
    male = form.findChild<ui::FieldTextEdit*>(QStringLiteral("txtDialogue"));
    other = form.findChild<QWidget*>(QStringLiteral("txtIntCheck"));
    QApplication::setActiveWindow(&form);
  }
  bool Complete() const { return load && unload && male && other; }
  void Unload() {
    unload->click();
    QCoreApplication::processEvents();
    ed.window.File1.fileName = "huge.dlg";
    form.Render();
  }
};

void BM_LoadHugeField(benchmark::State& state) {
  Loaded w(state.range(0));
  if (!w.Complete()) return state.SkipWithError("the window lacks its controls");
  for (auto _ : state) {
    w.load->click();
    QCoreApplication::processEvents();
    state.PauseTiming();
    if (w.ed.window.txtDialogue.text.size() != static_cast<std::size_t>(state.range(0)))
      state.SkipWithError("the field is not shown whole");
    w.Unload();
    state.ResumeTiming();
  }
}

void BM_TypeIntoHugeField(benchmark::State& state) {
  Loaded w(state.range(0));
  if (!w.Complete()) return state.SkipWithError("the window lacks its controls");
  w.load->click();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    w.male->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QApplication::sendEvent(w.male, &press);
    w.other->setFocus();  // leaving the box writes the line
    QCoreApplication::processEvents();
  }
  std::string copy;
  Files(PosixFileOps()).ReadAll(w.ed.state.WorkingCopyPath(), copy);
  // Every character typed is at the start of the line, written.
  const std::string typed = "{1}{" + std::string(static_cast<std::size_t>(state.iterations()), 'z');
  if (!copy.starts_with(typed + "a")) state.SkipWithError("the typing was not written");
}

constexpr std::int64_t kMB = 1 << 20;
BENCHMARK(BM_PlainRead)->Arg(kMB)->Arg(10 * kMB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHugeField)->Arg(kMB)->Arg(10 * kMB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeIntoHugeField)->Arg(kMB)->Arg(10 * kMB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dlg

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
