// The file layer's contract, over the real file system and with every write cut to 3 bytes
// (which the writer must make up by looping): replacement keeps mode and owner, writes through
// links, and a failure names the file, the operation and the reason.

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

TEST_P(FilesContract, ReplaceWholeWritesThroughLinks) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;
    std::string real;
  } kCases[] = {
      {"relative", {{"a.dlg", "real.dlg"}}, "real.dlg"},
      {"absolute", {{"a.dlg", dir.File("real.dlg")}}, "real.dlg"},
      // A link in a subfolder is read against its own folder, not the first link's.
      {"chain", {{"a.dlg", "sub/b.dlg"}, {"sub/b.dlg", "../real.dlg"}}, "real.dlg"},
      {"dangling", {{"a.dlg", "sub/made.dlg"}}, "sub/made.dlg"},
  };
  fs::create_directory(dir.File("sub"));
  for (const auto& c : kCases) {
    if (c.real != "sub/made.dlg") dir.Put(c.real, "old");
    for (const auto& [link, target] : c.links) fs::create_symlink(target, dir.File(link));
    ASSERT_TRUE(files.ReplaceWhole(dir.File("a.dlg"), "new")) << c.name;
    EXPECT_EQ(ReadBytes(dir.File(c.real)), "new") << c.name;
    for (const auto& [link, target] : c.links) {
      EXPECT_EQ(fs::read_symlink(dir.File(link)).string(), target) << c.name;
      fs::remove(dir.File(link));
    }
    fs::remove(dir.File(c.real));
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"sub"}) << c.name;
    EXPECT_TRUE(Names(dir.File("sub")).empty()) << c.name;
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
