#include "mod/folder_run.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <utility>

#include "fileio/dialogue_folder.h"
#include "fileio/files.h"
#include "fileio/paths.h"

namespace dlg::mod {

struct FolderRun::Pass {
  std::string folder;
  LoadedFile loaded;
  MakeRows makeRows;
  std::atomic<bool> stop{false};
};

FolderRun::FolderRun(Notify notify, FileOps& ops) : notify_(std::move(notify)), ops_(ops) {}

FolderRun::~FolderRun() {
  std::lock_guard lock(mutex_);
  if (current_) current_->stop = true;
  notify_ = nullptr;  // the caller may be going too
}

void FolderRun::Start(const std::string& folder, const LoadedFile& loaded, MakeRows makeRows) {
  auto pass = std::make_shared<Pass>();
  pass->folder = folder;
  pass->loaded = loaded;
  pass->makeRows = std::move(makeRows);
  {
    std::lock_guard lock(mutex_);
    if (current_) current_->stop = true;
    current_ = pass;
    progress_ = {};
    rowsKept_ = 0;
    told_ = false;
  }
  // Without a thread to be had the pass runs here: slow, but it runs.
  if (!worker_.Post([this, pass] { Run(pass); })) Run(pass);
}

void FolderRun::Stop() {
  std::lock_guard lock(mutex_);
  if (current_) current_->stop = true;
}

Progress FolderRun::Take() {
  std::lock_guard lock(mutex_);
  Progress out = progress_;
  out.rows = std::move(progress_.rows);
  progress_.rows.clear();
  told_ = false;
  return out;
}

void FolderRun::Publish(const std::shared_ptr<Pass>& pass,
                        const std::function<void(Progress&)>& change) {
  std::lock_guard lock(mutex_);
  if (pass != current_) return;  // a newer pass has begun: this one's rows are dropped
  change(progress_);
  if ((!told_ || progress_.finished) && notify_) {
    told_ = true;
    notify_(progress_.finished);
  }
}

void FolderRun::Run(const std::shared_ptr<Pass>& pass) {
  std::vector<FoundFile> found = DialoguesBelow(ops_, pass->folder);
  // The folder itself could not be listed: there is nothing to go through.
  if (found.size() == 1 && !found[0].listed && found[0].path == pass->folder) {
    Publish(pass, [&](Progress& p) {
      p.folderError = found[0].listed.failure.Reason();
      p.finished = true;
    });
    return;
  }
  Publish(pass, [&](Progress& p) { p.filesTotal = found.size(); });
  const std::size_t below = JoinPath(pass->folder, "").size();
  Files reader(ops_);
  std::string bytes;
  for (const FoundFile& file : found) {
    if (pass->stop) break;
    const std::string& path = file.path;
    const std::string shown = path.substr(std::min(below, path.size()));
    const bool loaded = !pass->loaded.path.empty() && path == pass->loaded.path;
    FileRows made;
    bool unreadable = true;
    if (!file.listed) {
      made.rows.push_back({shown, "", "/: cannot be read: " + file.listed.failure.Reason()});
    } else if (FileResult r = reader.ReadAll(loaded ? pass->loaded.workingCopy : path, bytes); !r) {
      made.rows.push_back({shown, "", ": cannot be read: " + r.failure.Reason()});
    } else {
      try {
        made = pass->makeRows(shown, bytes);
        unreadable = false;
      } catch (const std::bad_alloc&) {  // its rows need more memory than there is
        made = {};
        made.rows.push_back({shown, "", ": cannot be read: " + std::string(std::strerror(ENOMEM))});
        bytes = std::string();
      }
    }
    Publish(pass, [&](Progress& p) {
      ++p.filesDone;
      if (unreadable) ++p.unreadable;
      if (!unreadable && !made.rows.empty()) ++p.filesWithRows;
      p.found += made.found;
      p.errors += made.errors;
      p.warnings += made.warnings;
      const std::size_t room = kMostRows - std::min(kMostRows, rowsKept_);
      const std::size_t kept = std::min(room, made.rows.size());
      rowsKept_ += kept;
      std::move(made.rows.begin(), made.rows.begin() + static_cast<std::ptrdiff_t>(kept),
                std::back_inserter(p.rows));
    });
  }
  Publish(pass, [&](Progress& p) {
    p.finished = true;
    p.stopped = pass->stop;
  });
}

}  // namespace dlg::mod
