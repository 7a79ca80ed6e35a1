// "Load File" clicked in the real editor window (offscreen), until the window has laid out and
// painted the result: for 100,000 records the used-number list must be full within 300 ms. The
// list keeps rows of one height, so the time grows with the rows converted, not with any layout
// of each row; the 1,000-record run beside it shows the part that does not grow.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "../bench_data.h"
#include "commands/editor.h"
#include "ui/editor_form.h"
#include "ui/list_view.h"

namespace dlg {
namespace {

struct Folder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("dlgwinbench-" + std::to_string(::getpid()));
  Folder() { std::filesystem::create_directories(path); }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  // Flushed, so that its write-back does not fall into a timed load.
  void Put(const std::string& name, const std::string& bytes) const {
    const std::string file = (path / name).string();
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool ok = fd >= 0 &&
                    ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                    ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!ok) std::abort();
  }
};

void BM_LoadFileInWindow(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  Folder folder;
  folder.Put("talk.dlg", bench::GeneratedDialogue(records, 5));
  bench::YesPlatform platform;
  Editor ed(platform);
  ui::EditorForm form(ed);
  form.Load();
  Dir1_Change(ed, folder.path.string());
  ed.window.File1.fileName = "talk.dlg";
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
  for (auto _ : state) {
    load->click();
    QCoreApplication::processEvents();  // laid out and painted
    state.PauseTiming();
    if (listed->rowCount() != records) state.SkipWithError("the list is not full");
    unload->click();
    QCoreApplication::processEvents();
    ed.window.File1.fileName = "talk.dlg";
    form.Render();
    state.ResumeTiming();
  }
  state.counters["uniform_rows"] = listed->uniformItemSizes() ? 1 : 0;
  state.SetItemsProcessed(state.iterations() * records);
}
BENCHMARK(BM_LoadFileInWindow)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
