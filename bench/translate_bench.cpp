// dlg2po and po2dlg beside gettext's own tools over the same PO file: dlg2po's export against
// `msgcat` reading and writing the PO it wrote, po2dlg's import against `msgfmt --check` over the
// translated PO it reads. gettext's tools run as child processes, dlg2po and po2dlg as their
// mains call them; all write their files in a temporary folder. `cpu_ratio` sets the processor
// time of dlg2po and po2dlg beside that of the child.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <sstream>

#include "bench_data.h"
#include "translate/tools_cli.h"

extern char** environ;

namespace {

// Every record with a male and a female wording: about two wordings a record.
std::string TwoWordingDialogue(int records) {
  std::string out;
  for (int i = 1; i <= records; ++i) {
    const bool npc = i % 4 == 1;
    out += dlg::FormatRecordLine(
        {std::to_string(i),
         npc ? "The ferry leaves at dusk, and not a moment later, stranger."
             : "Then I had better find the coin for it before the bell rings.",
         npc ? "The ferry leaves at dusk, my lady, and not a moment later."
             : "Then I had better find the coin, before the bell rings.",
         "", "", npc ? "" : std::to_string(i + 4 - (i - 1) % 4), ""});
  }
  return out;
}

// The program's exit status, -1 when it could not be started; its processor time is added to
// `cpu`. What it says on its standard error (msgfmt's warnings about the header) is dropped.
int RunProgram(std::vector<std::string> args, double& cpu) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) return -1;
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  cpu += seconds(usage.ru_utime) + seconds(usage.ru_stime);
  return WEXITSTATUS(status);
}

struct BenchFiles {
  dlg::bench::TempFolder folder{"dlg-translate-bench-"};
  std::string dlg = folder.Put("tale.dlg", TwoWordingDialogue(dlg::bench::Records()));
  std::string po = folder.File("tale.po");
  std::string filled = folder.File("tale.en.po");
};

BenchFiles& Shared() {
  static BenchFiles files;
  return files;
}

bool Dlg2po(const BenchFiles& f, std::ostream& err) {
  std::ostringstream out;
  return dlg::translate::RunDlg2po({f.dlg, f.po}, out, err) == 0;
}

void BM_Dlg2po(benchmark::State& state) {
  const BenchFiles& f = Shared();
  dlg::bench::Ratio ratio;
  double childCpu = 0;
  std::ostringstream err;
  for (auto _ : state) {
    bool ok = true;
    ratio.Time([&] { ok = Dlg2po(f, err); });
    state.PauseTiming();
    ratio.TimeReference([&] {
      ok = ok && RunProgram({"msgcat", f.po, "-o", f.folder.File("cat.po")}, childCpu) == 0;
    });
    state.ResumeTiming();
    if (!ok) state.SkipWithError(("dlg2po or msgcat failed: " + err.str()).c_str());
  }
  ratio.referenceCpu = childCpu;
  ratio.Report(state);
}
BENCHMARK(BM_Dlg2po)->Unit(benchmark::kMillisecond);

void BM_Po2dlg(benchmark::State& state) {
  const BenchFiles& f = Shared();
  std::ostringstream err;
  // Every entry translated, so that every wording is replaced.
  double childCpu = 0;
  if (!Dlg2po(f, err) || RunProgram({"msgen", f.po, "-o", f.filled}, childCpu) != 0) {
    state.SkipWithError(("dlg2po or msgen failed: " + err.str()).c_str());
    return;
  }
  const std::string translated = f.folder.File("tale.en.dlg");
  dlg::bench::Ratio ratio;
  childCpu = 0;
  for (auto _ : state) {
    bool ok = true;
    ratio.Time([&] {
      std::istringstream in;
      std::ostringstream out;
      ok = dlg::translate::RunPo2dlg({"-t", f.dlg, f.filled, translated}, in, out, err) == 0;
    });
    state.PauseTiming();
    ratio.TimeReference([&] {
      ok = ok && RunProgram({"msgfmt", "--check", f.filled, "-o", f.folder.File("tale.mo")},
                            childCpu) == 0;
    });
    state.ResumeTiming();
    if (!ok) state.SkipWithError(("po2dlg or msgfmt failed: " + err.str()).c_str());
  }
  ratio.referenceCpu = childCpu;
  ratio.Report(state);
}
BENCHMARK(BM_Po2dlg)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
