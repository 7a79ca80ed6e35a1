// Reading a whole file into a buffer sized from the file's own size, when that size is right,
// out of date, or not given at all.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "dialogue/files.h"
#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace dlg::test {
namespace {

// Reports a chosen size, or a file that is no regular file (as a pipe is).
class SizeLies : public FailingFileOps {
 public:
  long long size = -1;  // -1: the truth
  bool regular = true;
  int Fstat(int fd, struct stat& st) override {
    int r = FailingFileOps::Fstat(fd, st);
    if (size >= 0) st.st_size = size;
    if (!regular) st.st_mode = (st.st_mode & ~S_IFMT) | S_IFIFO;
    return r;
  }
};

std::string Pattern(std::size_t size) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i * 31 % 251);
  return s;
}

TEST(ReadAllTest, ReadsExactlyTheFileWhateverItsSizeSays) {
  const struct {
    const char* name;
    std::size_t size;
    long long reported;
    bool regular;
  } kCases[] = {
      {"empty", 0, -1, true},
      {"one byte", 1, -1, true},
      {"a block and one", 65537, -1, true},
      {"grew since the size was taken", 200000, 10, true},
      {"shrank since", 100, 1000, true},
      {"no size given", 200000, 0, false},
  };
  TempDir dir;
  for (const auto& c : kCases) {
    const std::string bytes = Pattern(c.size);
    const std::string path = dir.Put("a.dlg", bytes);
    SizeLies ops;
    ops.size = c.reported;
    ops.regular = c.regular;
    std::string read(300000, 'x');  // a reused buffer, longer than every file here
    ASSERT_TRUE(Files(ops).ReadAll(path, read)) << c.name;
    EXPECT_EQ(read.size(), bytes.size()) << c.name;
    EXPECT_TRUE(read == bytes) << c.name;
    EXPECT_EQ(ops.Calls(OpKind::Close), 1) << c.name;
  }
}

TEST(ReadAllTest, AFailedSizeOrReadIsReportedAndClosesTheFile) {
  const OpKind kKinds[] = {OpKind::Fstat, OpKind::Read};
  TempDir dir;
  const std::string path = dir.Put("a.dlg", Pattern(1000));
  for (OpKind kind : kKinds) {
    FailingFileOps ops;
    ops.FailCall(kind, 1, EIO);
    std::string read = "stale";
    FileResult r = Files(ops).ReadAll(path, read);
    ASSERT_FALSE(r) << OpName(kind);
    EXPECT_EQ(r.failure.path, path) << OpName(kind);
    EXPECT_EQ(r.failure.operation, "read") << OpName(kind);
    EXPECT_EQ(r.failure.error, EIO) << OpName(kind);
    EXPECT_EQ(read, "") << OpName(kind);
    EXPECT_EQ(ops.Calls(OpKind::Close), 1) << OpName(kind);
  }
}

}  // namespace
}  // namespace dlg::test
