// Targets that a whole-file replacement must refuse rather than swap for a new file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "dialogue/files.h"
#include "support/temp_dir.h"

namespace dlg::test {
namespace {

struct Refusal {
  const char* name;
  mode_t mode;
  bool secondLink;
  std::string reason;  // "" when the file is written
};
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

const Refusal kCases[] = {
    {"HardLink", 0644, true, "it has 2 hard links, and the other names would keep the old text"},
    // Root may write a read-only file; the replacement then keeps the mode.
    {"ReadOnly", 0444, false, ::geteuid() == 0 ? "" : "Permission denied"},
};

class ReplaceRefusals : public testing::TestWithParam<Refusal> {};

TEST_P(ReplaceRefusals, KeepTheOldBytesAndMode) {
  const Refusal& c = GetParam();
  TempDir dir;
  const std::string path = dir.Put("a.dlg", "old");
  ::chmod(path.c_str(), c.mode);
  if (c.secondLink) std::filesystem::create_hard_link(path, dir.File("b.dlg"));
  FileResult r = Files(PosixFileOps()).ReplaceWhole(path, "new");
  EXPECT_EQ(r ? "" : r.failure.operation + ": " + r.failure.Reason(),
            c.reason.empty() ? "" : "write: " + c.reason);
  EXPECT_EQ(ReadBytes(path), r ? "new" : "old");
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, c.mode);
  auto entries = std::filesystem::directory_iterator(dir.Path());
  EXPECT_EQ(std::distance(begin(entries), end(entries)), c.secondLink ? 2 : 1);
}
INSTANTIATE_TEST_SUITE_P(Targets, ReplaceRefusals, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg::test
