// Reading a whole file into a buffer sized from the file's own size, when that size is right,
// out of date, or not given at all.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "dialogue/files.h"
#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace dlg::test {
namespace {

// Reports a chosen size, or a file that is no regular file (as a pipe is).
struct SizeCase {
  const char* name;
  std::size_t size;
  long long reported;  // -1: the truth
  bool regular = true;
};
void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class SizeLies : public FailingFileOps {
 public:
  explicit SizeLies(const SizeCase& c) : c_(c) {}
  int Fstat(int fd, struct stat& st) override {
    const int r = FailingFileOps::Fstat(fd, st);
    if (c_.reported >= 0) st.st_size = c_.reported;
    if (!c_.regular) st.st_mode = (st.st_mode & ~S_IFMT) | S_IFIFO;
    return r;
  }
  const SizeCase& c_;
};

const SizeCase kCases[] = {
    {"Empty", 0, -1},      {"OneByte", 1, -1},    {"ABlockAndOne", 65537, -1},
    {"Grown", 200000, 10}, {"Shrunk", 100, 1000}, {"NoSize", 200000, 0, false},
};

class ReadAllTest : public testing::TestWithParam<SizeCase> {};

TEST_P(ReadAllTest, ReadsExactlyTheFileWhateverItsSizeSays) {
  TempDir dir;
  std::string bytes(GetParam().size, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 % 251);
  SizeLies ops(GetParam());
  std::string read(300000, 'x');  // a reused buffer, longer than every file here
  ASSERT_TRUE(Files(ops).ReadAll(dir.Put("a.dlg", bytes), read));
  EXPECT_TRUE(read == bytes) << read.size() << " bytes read of " << bytes.size();
  EXPECT_EQ(ops.Calls(OpKind::Close), 1);
}
INSTANTIATE_TEST_SUITE_P(Sizes, ReadAllTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg::test
