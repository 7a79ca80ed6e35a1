#pragma once
// What the benchmarks share: a generated dialogue of many records (about 100 bytes each) in
// ascending number order, the record count from DLG_BENCH_RECORDS, and the yardsticks that each
// command is measured against in the same run (a memchr line count, a crash-safe write of the
// same bytes), with the counters `ref_ms` and `ratio` that tools/bench.sh tabulates.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "commands/platform.h"
#include "dialogue/record.h"
#include "fileio/files.h"

namespace dlg::bench {

// DLG_BENCH_RECORDS, 100,000 when unset; tools/bench.sh runs 10,000, 100,000 and 1,000,000.
inline int Records() {
  const char* env = std::getenv("DLG_BENCH_RECORDS");
  const int n = env != nullptr ? std::atoi(env) : 0;
  return n > 0 ? n : 100000;
}

// An NPC line every `groupSize` records, the records between them its responses.
inline std::string GeneratedDialogue(int records, int groupSize) {
  std::string out;
  out.reserve(static_cast<std::size_t>(records) * 104);
  for (int i = 1; i <= records; ++i) {
    const bool npc = (i - 1) % groupSize == 0;
    // Built whole rather than assigned field by field: g++ 12 at -O2 takes the assignment of a
    // short literal for an overlapping copy (-Wrestrict).
    const DialogueRecord r{std::to_string(i),
                           npc ? "The ferry leaves at dusk, and not a moment later, stranger."
                               : "Then I had better find the coin for it before the bell rings.",
                           (i % 3 == 0) ? "Then I had better hurry." : "",
                           (i % 5 == 0) ? "8" : "",
                           npc ? "" : "pc.money_get() >= 10",
                           npc ? "" : std::to_string(i + groupSize),
                           npc ? "" : "pc.money_adj(-10)"};
    out += FormatRecordLine(r);
  }
  return out;
}

// `npcs` NPC lines ten apart, each with replies leading on one line, two lines on, and to the end.
inline std::string BranchingDialogue(int npcs) {
  std::string out;
  for (int k = 1; k <= npcs; ++k) {
    const int n = k * 10;
    const auto to = [&](int ahead) {
      return std::to_string(k + ahead <= npcs ? n + ahead * 10 : 0);
    };
    out += FormatRecordLine({std::to_string(n),
                             "Line " + std::to_string(k) + " of the smith's long tale.", "", "", "",
                             "", ""});
    out += FormatRecordLine({std::to_string(n + 1), "Go on.", "", "", "", to(1), ""});
    out += FormatRecordLine({std::to_string(n + 2), "Skip ahead.", "", "9", "", to(2), ""});
    out += FormatRecordLine({std::to_string(n + 3), "Farewell.", "", "", "flag", "0", ""});
  }
  return out;
}

// `npcs` NPC lines a hundred apart, each with `replies` replies: to the lines that follow it in
// turn, or to lines drawn at random (a fixed seed). The dense shapes a map must stay quick on.
inline std::string DenseDialogue(int npcs, int replies, bool random) {
  std::string out;
  unsigned seed = 7;
  for (int k = 1; k <= npcs; ++k) {
    out += FormatRecordLine({std::to_string(k * 100),
                             "Line " + std::to_string(k) + " of a long talk.", "", "", "", "", ""});
    for (int j = 1; j <= replies; ++j) {
      seed = seed * 1103515245u + 12345u;
      const int to = random ? static_cast<int>(seed >> 8) % npcs + 1 : (k + j - 1) % npcs + 1;
      out += FormatRecordLine({std::to_string(k * 100 + j), "Reply " + std::to_string(j) + ".", "",
                               "", "", std::to_string(to * 100), ""});
    }
  }
  return out;
}

// Answers Yes to every question (so "Save" writes, "Unload File" unloads and a working copy
// left behind is taken up), `input` to every input box, and shows nothing.
class YesPlatform : public Platform {
 public:
  std::string input;
  MsgAnswer MessageBox(const std::string&, const std::string&, MsgButtons buttons,
                       MsgIcon) override {
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
  }
  std::string InputBox(const std::string&, const std::string&) override { return input; }
  void EndProgram() override { ended = true; }
  bool ended = false;
};

// The plainest pass over the bytes, the yardstick of the readers.
inline std::size_t MemchrLines(const std::string& bytes) {
  std::size_t lines = 0;
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  while ((p = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr) {
    ++lines;
    ++p;
  }
  return lines;
}

inline double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The processor time of the process, the kernel's on its behalf included.
inline double CpuNow() {
  timespec ts{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Flushed to disk, so that the write-back of these bytes does not fall into a timed command.
inline void PutFlushed(const std::string& file, const std::string& bytes) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const bool ok = fd >= 0 &&
                  ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                  ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!ok) std::abort();
}

inline void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 || ::fsync(fd) != 0) std::abort();
  ::close(fd);
}

// A folder of the benchmark's own under the system's temporary folder, gone with its files.
struct TempFolder {
  std::filesystem::path path;
  explicit TempFolder(const std::string& prefix)
      : path(std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string File(const std::string& name) const { return (path / name).string(); }
  // Flushed, so that its write-back does not fall into a timed command.
  std::string Put(const std::string& name, const std::string& bytes) const {
    PutFlushed(File(name), bytes);
    return File(name);
  }
};

// The least that a crash-safe replacement of a file can cost: the same bytes written to a new
// file, flushed, renamed over a file of the same size (whose blocks the kernel then frees), and
// the folder flushed.
class CrashSafeFloor {
 public:
  CrashSafeFloor(std::string folder, const std::string& bytes)
      : folder_(std::move(folder)), bytes_(bytes) {
    PutFlushed(Target(), bytes_);
  }
  ~CrashSafeFloor() { ::unlink(Target().c_str()); }

  // What the last command left to finish in the background (closing the files that its renames
  // replaced, and the journal's record of their freed blocks) is done before the floor is timed:
  // neither is to be paid by the yardstick.
  void Quiet(Files& files) const {
    files.Settle();
    const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::syncfs(fd) != 0) std::abort();
    ::close(fd);
  }

  void Write() const {
    const std::string temp = folder_ + "/floor.tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    bool ok = fd >= 0;
    for (std::size_t done = 0; ok && done < bytes_.size();) {
      const ssize_t n = ::write(fd, bytes_.data() + done, bytes_.size() - done);
      ok = n > 0;
      if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    if (fd >= 0) ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), Target().c_str()) == 0;
    if (!ok) std::abort();
    SyncFolder(folder_);
  }

 private:
  std::string Target() const { return folder_ + "/floor.dlg"; }
  std::string folder_;
  const std::string& bytes_;
};

// A command's time beside its reference, both summed over the same iterations, the reference
// taken between the command's runs so that both see the same load on a shared machine. Beside
// the ratio of the times, `cpu_ratio` is that of the processor times: where other programs take
// the processor away, it is the steadier measure of work done in memory (it leaves out the time
// spent waiting for the disk, so it says nothing of the writing commands).
struct Ratio {
  double command = 0, commandCpu = 0;
  double reference = 0, referenceCpu = 0;

  template <typename Command>
  void Time(Command&& command_) {
    Add(command, commandCpu, command_);
  }
  // Untimed for Google Benchmark: call it where the timing is paused.
  template <typename Reference>
  void TimeReference(Reference&& reference_) {
    Add(reference, referenceCpu, reference_);
  }
  void Report(benchmark::State& state) const {
    const double n = static_cast<double>(state.iterations());
    if (n == 0 || reference <= 0) return;
    state.counters["cmd_ms"] = command / n * 1e3;
    state.counters["ref_ms"] = reference / n * 1e3;
    state.counters["ratio"] = command / reference;
    if (referenceCpu > 0) state.counters["cpu_ratio"] = commandCpu / referenceCpu;
  }

 private:
  template <typename Run>
  static void Add(double& wall, double& processor, Run&& run) {
    const double start = Now(), cpu = CpuNow();
    run();
    processor += CpuNow() - cpu;
    wall += Now() - start;
  }
};

inline void MemchrPass(const std::string& bytes) { benchmark::DoNotOptimize(MemchrLines(bytes)); }

}  // namespace dlg::bench
