#pragma once
// One pass over the dialogue files below a folder, off the caller's thread: each file is read
// whole through the file layer (the loaded file from its working copy, as the editor has it
// now, not from its saved bytes) and handed to a function that makes its rows. The caller takes
// the rows made so far whenever it likes; it is told, once until it takes them, that some wait.

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/file_ops.h"
#include "fileio/worker.h"

namespace dlg::mod {

// A row lists the file's path below the folder, then `text`.
struct Row {
  std::string file;
  std::string number;  // the line to go to; "" for a row that stands for none
  std::string text;
  bool fileBytes = false;  // `text` holds the file's bytes (Windows-1252), not UTF-8
  // Why "Go to:" `number` would show another record than the row's, or "" (in the file's bytes).
  std::string unreachable = {};
};

// What one file came to.
struct FileRows {
  std::vector<Row> rows;
  long found = 0;  // what the rows stand for, counted past any cut in the rows kept
  int errors = 0;
  int warnings = 0;
};

// The file loaded in the editor: read from its working copy.
struct LoadedFile {
  std::string path;
  std::string workingCopy;
};

// What has come of a pass since the last look.
struct Progress {
  std::vector<Row> rows;  // new since the last Take
  std::size_t filesDone = 0;
  std::size_t filesTotal = 0;  // known once the folder is walked
  std::size_t filesWithRows = 0;
  std::size_t unreadable = 0;
  long found = 0;
  int errors = 0;
  int warnings = 0;
  bool finished = false;  // walked and read to the end, or stopped
  bool stopped = false;
  std::string folderError;  // why the folder could not be walked
};

class FolderRun {
 public:
  // Rows of one file: `shown` is its path below the folder, `bytes` what it holds.
  using MakeRows = std::function<FileRows(const std::string& shown, std::string_view bytes)>;
  // Called from the pass's thread when rows wait and were not yet told of, and when the pass has
  // finished (`finished`), told of or not.
  using Notify = std::function<void(bool finished)>;

  explicit FolderRun(Notify notify, FileOps& ops = PosixFileOps());
  ~FolderRun();  // stops the pass and waits for it
  FolderRun(const FolderRun&) = delete;
  FolderRun& operator=(const FolderRun&) = delete;

  // Stops any pass under way (its rows are dropped) and starts one over `folder`.
  void Start(const std::string& folder, const LoadedFile& loaded, MakeRows makeRows);
  // The pass ends after the file it is reading.
  void Stop();
  // The rows made since the last call and the counts so far.
  Progress Take();
  // Waits until the pass has finished (for tests and benchmarks).
  void Settle() { worker_.Settle(); }

  // Rows kept at most in one pass: the counts go on past them.
  static constexpr std::size_t kMostRows = 100000;

 private:
  struct Pass;
  void Run(const std::shared_ptr<Pass>& pass);
  void Publish(const std::shared_ptr<Pass>& pass, const std::function<void(Progress&)>& change);

  Notify notify_;
  FileOps& ops_;
  std::mutex mutex_;
  std::shared_ptr<Pass> current_;  // under mutex_
  Progress progress_;              // under mutex_
  std::size_t rowsKept_ = 0;       // under mutex_
  bool told_ = false;              // under mutex_
  Worker worker_;
};

}  // namespace dlg::mod
