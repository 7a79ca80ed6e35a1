// The file layer's contract, over the real file system and with every write cut to 3 bytes
// (which the writer must make up by looping): replacement keeps mode and owner, and a failure
// names the file, the operation and the reason. Links and refusing file systems: hostile_fs.sh.

#include "dialogue/files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <set>

#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace dlg::test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

class FilesContract : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) failing.ShortWrite(1, 3, true);
  }
  TempDir dir;
  FailingFileOps failing;
  Files files{failing};
};

// Owners are given away only where the tests run as root; a changed owner also tests that
// the set-id bits survive the change of owner.
TEST_P(FilesContract, ReplaceWholeKeepsModeAndOwnerAndLeavesNoTemp) {
  const bool root = ::geteuid() == 0;
  std::string bytes(70000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 256);
  for (mode_t mode : {0600, 0640, 0755, 04750, 02755}) {
    const std::string path = dir.Put("kept.dlg", "old");
    const uid_t owner = root ? 1000 + mode : ::geteuid();
    ASSERT_EQ(root ? ::chown(path.c_str(), owner, owner + 1) : 0, 0);
    ::chmod(path.c_str(), mode);
    ASSERT_TRUE(files.ReplaceWhole(path, bytes)) << std::oct << mode;
    EXPECT_EQ(ReadBytes(path), bytes);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, mode) << std::oct << mode;
    EXPECT_EQ(st.st_uid, owner) << std::oct << mode;
    EXPECT_EQ(st.st_gid, root ? owner + 1 : ::getegid()) << std::oct << mode;
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"kept.dlg"});
  }
}

TEST_P(FilesContract, FailuresNameFileOperationAndReason) {
  fs::create_symlink("loop.dlg", dir.File("loop.dlg"));
  fs::create_directory(dir.File("folder.dlg"));
  std::string bytes;
  const std::pair<FileResult, FileError> kCases[] = {
      {files.ReadAll(dir.File("none"), bytes), {dir.File("none"), "read", ENOENT}},
      {files.ReplaceWhole(dir.File("loop.dlg"), "x"), {dir.File("loop.dlg"), "write", ELOOP}},
      {files.ReplaceWhole(dir.File("folder.dlg"), "x"), {dir.File("folder.dlg"), "write", EISDIR}},
      {files.Copy(dir.File("none"), dir.File("x")), {dir.File("none"), "read", ENOENT}},
      {files.Delete(dir.File("none")), {dir.File("none"), "delete", ENOENT}},
      {files.MoveOver(dir.File("none"), dir.File("x")), {dir.File("none"), "rename", ENOENT}},
      {files.CreateEmpty(dir.File("no/x")), {dir.File("no/x"), "create", ENOENT}},
  };
  for (const auto& [result, want] : kCases) {
    ASSERT_FALSE(result) << want.path;
    EXPECT_EQ(result.failure.path, want.path);
    EXPECT_EQ(result.failure.operation, want.operation) << want.path;
    EXPECT_EQ(result.failure.Reason(), std::strerror(want.error)) << want.path;
  }
  EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"folder.dlg", "loop.dlg"}));
}

INSTANTIATE_TEST_SUITE_P(Writes, FilesContract, testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "CutTo3Bytes" : "Whole");
});

}  // namespace
}  // namespace dlg::test
