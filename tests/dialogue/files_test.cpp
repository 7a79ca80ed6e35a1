#include "dialogue/files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
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

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

std::string AllBytes(std::size_t size) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i * 7 % 256);
  return s;
}

// The same contract, over the real file system, over the decorator passing every call on, and
// with every write cut to 3 bytes, which the writer must make up by looping.
enum class Impl { Posix, PassThrough, ShortWrites };
std::string ImplName(Impl i) {
  return i == Impl::Posix ? "Posix" : i == Impl::PassThrough ? "PassThrough" : "ShortWrites";
}

class FilesContract : public ::testing::TestWithParam<Impl> {
 protected:
  void SetUp() override {
    if (GetParam() == Impl::ShortWrites) failing.ShortWrite(1, 3, true);
  }
  FileOps& Ops() { return GetParam() == Impl::Posix ? PosixFileOps() : failing; }
  TempDir dir;
  FailingFileOps failing;
  Files files{Ops()};
};

// Owners are given away only where the tests run as root; a changed owner also tests that
// the set-id bits survive the change of owner.
TEST_P(FilesContract, ReplaceWholeKeepsModeAndOwnerAndLeavesNoTemp) {
  const bool root = ::geteuid() == 0;
  for (mode_t mode : {0600, 0640, 0755, 0444, 04750, 02755}) {
    if (mode == 0444 && !root) continue;  // only root may replace it (replace_refusals_test)
    std::string path = dir.Put("kept.dlg", "old");
    uid_t owner = root ? 1000 + mode : ::geteuid();
    if (root) {
      ASSERT_EQ(::chown(path.c_str(), owner, owner + 1), 0);
    }
    ::chmod(path.c_str(), mode);
    std::string bytes = AllBytes(70000);
    ASSERT_TRUE(files.ReplaceWhole(path, bytes)) << std::oct << mode;
    EXPECT_EQ(ReadBytes(path), bytes);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, mode) << std::oct << mode;
    EXPECT_EQ(st.st_uid, owner) << std::oct << mode;
    EXPECT_EQ(st.st_gid, root ? owner + 1 : ::getegid()) << std::oct << mode;
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"kept.dlg"});
  }
  ASSERT_TRUE(files.ReplaceWhole(dir.File("new.dlg"), ""));
  mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(ModeOf(dir.File("new.dlg")), 0666 & ~mask);
}

TEST_P(FilesContract, ReplaceWholeWritesThroughLinks) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;
    std::string real;
  };
  fs::create_directory(dir.File("sub"));
  const Case cases[] = {
      {"relative", {{"a.dlg", "real.dlg"}}, "real.dlg"},
      {"absolute", {{"a.dlg", dir.File("real.dlg")}}, "real.dlg"},
      {"into a folder", {{"a.dlg", "sub/real.dlg"}}, "sub/real.dlg"},
      // A link in a subfolder is read against its own folder, not the first link's.
      {"chain", {{"a.dlg", "sub/b.dlg"}, {"sub/b.dlg", "../real.dlg"}}, "real.dlg"},
      {"dangling", {{"a.dlg", "made.dlg"}}, "made.dlg"},
  };
  for (const Case& c : cases) {
    if (c.real != "made.dlg") dir.Put(c.real, "old");
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
  const std::pair<FileResult, FileError> cases[] = {
      {files.ReadAll(dir.File("none"), bytes), {dir.File("none"), "read", ENOENT}},
      {files.ReplaceWhole(dir.File("loop.dlg"), "x"), {dir.File("loop.dlg"), "write", ELOOP}},
      {files.ReplaceWhole(dir.File("folder.dlg"), "x"), {dir.File("folder.dlg"), "write", EISDIR}},
      {files.ReplaceWhole(dir.File("no/x.dlg"), "x"), {dir.File("no/x.dlg"), "write", ENOENT}},
      {files.Copy(dir.File("none"), dir.File("x")), {dir.File("none"), "read", ENOENT}},
      {files.Delete(dir.File("none")), {dir.File("none"), "delete", ENOENT}},
      {files.MoveOver(dir.File("none"), dir.File("x")), {dir.File("none"), "rename", ENOENT}},
      {files.CreateEmpty(dir.File("no/x")), {dir.File("no/x"), "create", ENOENT}},
  };
  for (const auto& [result, want] : cases) {
    ASSERT_FALSE(result) << want.path;
    EXPECT_EQ(result.failure.path, want.path);
    EXPECT_EQ(result.failure.operation, want.operation) << want.path;
    EXPECT_EQ(result.failure.Reason(), std::strerror(want.error)) << want.path;
  }
  EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"folder.dlg", "loop.dlg"}));
  EXPECT_EQ((FileError{"f", "write", 0}).Reason(), "short write");
}

TEST_P(FilesContract, CopyMoveDeleteCreate) {
  std::string bytes = AllBytes(200000);
  std::string src = dir.Put("src.dlg", bytes), dst = dir.Put("dst.dlg", "old");
  ::chmod(dst.c_str(), 0640);
  ASSERT_TRUE(files.Copy(src, dst));
  EXPECT_EQ(ReadBytes(dst), bytes);
  EXPECT_EQ(ReadBytes(src), bytes);

  dir.Put("scratch", "moved");
  ASSERT_TRUE(files.MoveOver(dir.File("scratch"), dst));
  EXPECT_EQ(ReadBytes(dst), "moved");
  EXPECT_EQ(ModeOf(dst), 0640u);

  ASSERT_TRUE(files.CreateEmpty(src));
  EXPECT_EQ(ReadBytes(src), "");
  EXPECT_TRUE(files.Exists(src));
  ASSERT_TRUE(files.Delete(src));
  EXPECT_FALSE(files.Exists(src));
  EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"dst.dlg"});
}

INSTANTIATE_TEST_SUITE_P(Impls, FilesContract,
                         ::testing::Values(Impl::Posix, Impl::PassThrough, Impl::ShortWrites),
                         [](const auto& info) { return ImplName(info.param); });

// Fails each call of a replacement in turn: every failure is reported with its errno, the
// destination holds the old bytes (or the new ones once the rename is done) and no temporary
// file is left.
TEST(FilesFaults, EveryCallOfAReplacementFailsCleanly) {
  TempDir dir;
  const std::string old = "old bytes", fresh = AllBytes(10000);
  dir.Put("real.dlg", old);
  fs::create_symlink("real.dlg", dir.File("link.dlg"));
  FailingFileOps probe;
  ASSERT_TRUE(Files(probe).ReplaceWhole(dir.File("link.dlg"), old));
  const std::vector<OpKind> log = probe.Log();
  const auto renameAt = std::find(log.begin(), log.end(), OpKind::Rename) - log.begin() + 1;
  ASSERT_LT(renameAt, static_cast<long>(log.size()));

  auto check = [&](FailingFileOps& ops, int error, bool renamed, const std::string& at) {
    FileResult r = Files(ops).ReplaceWhole(dir.File("link.dlg"), fresh);
    ASSERT_FALSE(r) << at;
    EXPECT_EQ(r.failure.path, dir.File("link.dlg")) << at;
    EXPECT_EQ(r.failure.operation, "write") << at;
    EXPECT_EQ(r.failure.error, error) << at;
    EXPECT_EQ(ReadBytes(dir.File("real.dlg")), renamed ? fresh : old) << at;
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"link.dlg", "real.dlg"})) << at;
    dir.Put("real.dlg", old);
  };
  for (int error : {EIO, ENOSPC, EACCES, EROFS, EXDEV}) {
    for (std::size_t i = 1; i <= log.size(); ++i) {
      FailingFileOps ops;
      ops.FailCall(OpKind::Any, static_cast<int>(i), error);
      check(ops, error, static_cast<long>(i) > renameAt,
            std::string(OpName(log[i - 1])) + " #" + std::to_string(i) + " " + strerror(error));
    }
  }
  // A write that stops half-way and then finds the disk full, and one that takes nothing.
  FailingFileOps halfWay;
  halfWay.ShortWrite(1, 5000);
  halfWay.FailCall(OpKind::Write, 2, ENOSPC);
  check(halfWay, ENOSPC, false, "half-way");
  FailingFileOps none;
  none.ShortWrite(1, 0);
  check(none, ENOSPC, false, "nothing written");
}

}  // namespace
}  // namespace dlg::test
