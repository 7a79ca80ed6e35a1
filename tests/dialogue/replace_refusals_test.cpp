// Targets that a whole-file replacement must refuse rather than swap for a new file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>

#include "dialogue/files.h"
#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace dlg::test {
namespace {

TEST(ReplaceRefusals, UnwritableOrLinkedTargetsKeepTheirBytes) {
  const bool root = ::geteuid() == 0;
  struct Case {
    const char* name;
    mode_t mode;
    bool secondLink;
    int probeError;      // injected into the open that asks for write permission
    std::string reason;  // "" when the file is written
  };
  const Case cases[] = {
      {"hard link", 0644, true, 0,
       "it has 2 hard links, and the other names would keep the old text"},
      // Root may write a read-only file; the replacement then keeps the mode.
      {"read-only", 0444, false, 0, root ? "" : "Permission denied"},
      {"read-only mount", 0644, false, EROFS, "Read-only file system"},
      {"immutable", 0644, false, EPERM, "Operation not permitted"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.Put("a.dlg", "old");
    ::chmod(path.c_str(), c.mode);
    if (c.secondLink) std::filesystem::create_hard_link(path, dir.File("b.dlg"));
    FailingFileOps ops;
    if (c.probeError) ops.FailCall(OpKind::Open, 1, c.probeError);
    FileResult r = Files(ops).ReplaceWhole(path, "new");
    EXPECT_EQ(r.ok, c.reason.empty()) << c.name;
    if (!r) {
      EXPECT_EQ(r.failure.path, path) << c.name;
      EXPECT_EQ(r.failure.operation, "write") << c.name;
      EXPECT_EQ(r.failure.Reason(), c.reason) << c.name;
    }
    EXPECT_EQ(ReadBytes(path), r ? "new" : "old") << c.name;
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, c.mode) << c.name;
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
      names.insert(e.path().filename().string());
    EXPECT_EQ(names.size(), c.secondLink ? 2u : 1u) << c.name;
  }
}

}  // namespace
}  // namespace dlg::test
