#include "commands/copy_for_views.h"

#include "commands/boxes.h"
#include "fileio/files.h"

namespace dlg {

CopyForViews ReadCopyForViews(FileOps& ops, const std::string& path) {
  CopyForViews copy;
  Files files(ops);
  if (const FileResult r = files.ReadAll(path, copy.bytes); !r) {
    copy.bytes.clear();
    copy.error = FileErrorText(r.failure);
  }
  return copy;
}

}  // namespace dlg
