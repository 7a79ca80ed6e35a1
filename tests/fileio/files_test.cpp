// The file layer: its contract over the real file system and with every write cut to 3 bytes
// (which the writer must make up by looping), targets a replacement must refuse, whole-file
// reads whatever the file's size says, the strays of a killed editor, and the walk over a mod's
// folder. Links and refusing file systems: tools/hostile_fs.sh.

#include "fileio/files.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <tuple>

#include "fileio/dialogue_folder.h"
#include "fileio/file_lock.h"
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
    if (GetParam()) failing.Arm({OpKind::Write, 1, true, 0, 3});
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

// The hash of a copy is that of the bytes written, pieces and short writes included, taken
// while a file this large is flushed. A read leaves exactly the file's bytes in a string that
// was shorter or longer than the file, and a read through them hashes what it passes.
TEST_P(FilesContract, HashesWhatItWritesAndReadsItBack) {
  std::string bytes(1200000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 13 % 253);
  const std::string_view all = bytes;
  const std::string_view pieces[] = {all.substr(0, 262145), all.substr(262145, 7),
                                     all.substr(262152)};
  auto openFds = [] {
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
  };
  const auto fds = openFds();
  ContentHash written;
  const std::string path = dir.File("a.dlg.bak");
  ASSERT_TRUE(files.ReplaceCopy(path, pieces, 0600));
  // Over a file this large: the old one is closed after the rename, on a thread of its own.
  ASSERT_TRUE(files.ReplaceCopy(path, pieces, 0600, nullptr, &written));
  EXPECT_EQ(written.Value(), HashOf(bytes));
  files.Settle();
  EXPECT_EQ(openFds(), fds);
  for (std::string into : {std::string(100, 'x'), std::string(2000000, 'y')}) {
    ASSERT_TRUE(files.ReadAll(path, into));
    EXPECT_TRUE(into == bytes);
  }
  struct stat st {};
  std::uint64_t hash = 0;
  bool same = false;
  ASSERT_TRUE(files.HashFile(path, st, hash, bytes, &same));
  EXPECT_EQ(hash, HashOf(bytes));
  EXPECT_TRUE(same);
}

TEST_P(FilesContract, FailuresNameFileOperationAndReason) {
  fs::create_symlink("loop.dlg", dir.File("loop.dlg"));
  fs::create_directory(dir.File("folder.dlg"));
  ASSERT_EQ(::mkfifo(dir.File("fifo.dlg").c_str(), 0600), 0);
  fs::create_hard_link(dir.Put("hard.dlg", "old"), dir.File("hard2.dlg"));
  const std::string notRegular = "not a regular file";
  std::string bytes;
  const std::pair<FileResult, FileError> kCases[] = {
      {files.ReadAll(dir.File("none"), bytes), {dir.File("none"), "read", ENOENT}},
      {files.ReplaceWhole(dir.File("loop.dlg"), "x"), {dir.File("loop.dlg"), "write", ELOOP}},
      {files.ReplaceWhole(dir.File("folder.dlg"), "x"),
       {dir.File("folder.dlg"), "write", 0, notRegular}},
      // Refused at once, without waiting for a writer or a reader at the other end.
      {files.ReadAll(dir.File("fifo.dlg"), bytes), {dir.File("fifo.dlg"), "read", 0, notRegular}},
      {files.ReplaceWhole(dir.File("fifo.dlg"), "x"),
       {dir.File("fifo.dlg"), "write", 0, notRegular}},
      {files.ReplaceWhole(dir.File("hard.dlg"), "x"),
       {dir.File("hard.dlg"), "write", 0,
        "it has 2 hard links, and the other names would keep the old text"}},
      {files.Delete(dir.File("none")), {dir.File("none"), "delete", ENOENT}},
      {files.CreateEmpty(dir.File("no/x")), {dir.File("no/x"), "create", ENOENT}},
  };
  for (const auto& [result, want] : kCases) {
    ASSERT_FALSE(result) << want.path;
    EXPECT_EQ(result.failure.path, want.path);
    EXPECT_EQ(result.failure.operation, want.operation) << want.path;
    EXPECT_EQ(result.failure.Reason(), want.Reason()) << want.path;
  }
  // Root may write a read-only file, keeping its mode as above; others are refused.
  ::chmod(dir.Put("ro.dlg", "old").c_str(), 0444);
  const FileResult ro = files.ReplaceWhole(dir.File("ro.dlg"), "new");
  EXPECT_EQ(ro ? "" : ro.failure.Reason(), ::geteuid() == 0 ? "" : "Permission denied");
  EXPECT_EQ(ReadBytes(dir.File("ro.dlg")) + ReadBytes(dir.File("hard.dlg")),
            ro ? "newold" : "oldold");
  EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"fifo.dlg", "folder.dlg", "hard.dlg",
                                                      "hard2.dlg", "loop.dlg", "ro.dlg"}));
}

INSTANTIATE_TEST_SUITE_P(Writes, FilesContract, testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "CutTo3Bytes" : "Whole");
});

// A rename refuses a name that is taken, and a lock has one holder until it lets go. Names too
// long for a lock go by their hash: two that share their first 200 bytes are two locks.
TEST(FileOpsSeam, RenamesWithoutReplacingAndLocksOneHolderAtATime) {
  TempDir dir;
  FileOps& ops = PosixFileOps();
  dir.Put("a", "mine");
  dir.Put("b", "theirs");
  EXPECT_EQ(ops.RenameNoReplace(dir.File("a"), dir.File("b")), -EEXIST);
  EXPECT_EQ(ops.RenameNoReplace(dir.File("a"), dir.File("c")), 0);
  EXPECT_EQ(ReadBytes(dir.File("b")) + ReadBytes(dir.File("c")), "theirsmine");
  EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"b", "c"}));

  const std::string stem(200, 'x');
  for (const std::string& name : {std::string("a.dlg"), stem + "1.dlg", stem + "2.dlg"}) {
    const std::string path = dir.File(name);
    FileLock held, second;
    ASSERT_TRUE(FileLock::Take(ops, path, held)) << name.size();
    const FileResult refused = FileLock::Take(ops, path, second);
    EXPECT_EQ(refused ? 0 : refused.failure.error, EADDRINUSE) << name.size();
    if (name.starts_with(stem)) {
      FileLock other;
      EXPECT_TRUE(FileLock::Take(ops, dir.File(stem + "3.dlg"), other));
    }
    held.Release();
    EXPECT_TRUE(FileLock::Take(ops, path, second));
  }
}

// --- Whole-file reads.
// Reports a chosen size.
struct SizeCase {
  const char* name;
  std::size_t size;
  long long reported;  // -1: the truth
};
void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class SizeLies : public FailingFileOps {
 public:
  explicit SizeLies(const SizeCase& c) : c_(c) {}
  int Fstat(int fd, struct stat& st) override {
    const int r = FailingFileOps::Fstat(fd, st);
    if (c_.reported >= 0) st.st_size = c_.reported;
    return r;
  }
  const SizeCase& c_;
};

const SizeCase kSizes[] = {
    {"Empty", 0, -1},      {"OneByte", 1, -1},    {"ABlockAndOne", 65537, -1},
    {"Grown", 200000, 10}, {"Shrunk", 100, 1000},
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
INSTANTIATE_TEST_SUITE_P(Sizes, ReadAllTest, testing::ValuesIn(kSizes),
                         [](const auto& info) { return std::string(info.param.name); });

// A file larger than the memory there is to hold it is a read that failed, not a crash.
TEST(ReadAllMemory, AFilePastTheMemoryIsNotRead) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer ends the program on such an allocation";
#endif
  TempDir dir;
  const SizeCase huge{"Huge", 3, 1LL << 60};
  SizeLies ops(huge);
  std::string read;
  const FileResult r = Files(ops).ReadAll(dir.Put("a.dlg", "{1}"), read);
  EXPECT_EQ(r ? "" : r.failure.Reason(), "Cannot allocate memory");
}

// --- The strays of a killed editor: temporary files of a process that is gone, named after one
// of the targets (a long name cut as the temporary name cuts it). What is not known to be a
// stray, or cannot be looked at, stays.
TEST(StrayTemps, OnlyThoseOfAProcessGoneAreRemoved) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  const std::string gone = std::to_string(child), alive = std::to_string(::getpid());
  const std::string longName(230, 'x');
  const std::set<std::string> kept = {".a.dlg.tmp-" + alive + "-2", ".b.dlg.tmp-" + gone + "-1",
                                      "a.dlg.tmp-" + gone + "-1", ".a.dlg.tmp-x", "a.dlg"};
  const std::set<std::string> strays = {".a.dlg.tmp-" + gone + "-1",
                                        ".a.dlg.bak.tmp-" + gone + "-7",
                                        "." + longName.substr(0, 200) + ".tmp-" + gone + "-3"};
  const std::optional<OpKind> kFaults[] = {std::nullopt, OpKind::ListFolder, OpKind::ProcessAlive};
  for (const std::optional<OpKind>& fault : kFaults) {
    TempDir dir;
    for (const std::set<std::string>& names : {kept, strays})
      for (const std::string& name : names) dir.Put(name, "x");
    FailingFileOps ops;
    if (fault) ops.Arm({*fault, 1, true, EACCES});
    Files(ops).RemoveStrayTemps({dir.File("a.dlg"), dir.File("a.dlg.bak"), dir.File(longName)});
    std::set<std::string> want = kept;
    if (fault) want.insert(strays.begin(), strays.end());
    EXPECT_EQ(Names(dir.Path()), want) << (fault ? OpName(*fault) : "no fault");
  }
}

// --- The walk over a mod's folder: a folder that cannot be listed, or not even looked at (a path
// beyond the longest), is named in its place, and the rest is still found.
TEST(DialogueFolderTest, NamesTheFolderThatCannotBeListed) {
  for (const Fault fault :
       {Fault{OpKind::ListFolder, 2, false, EACCES}, Fault{OpKind::Lstat, 1, true, ENAMETOOLONG}}) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("sub"));
    dir.Put("a.dlg", "");
    dir.Put("sub/b.dlg", "");
    FailingFileOps ops;
    ops.Arm(fault);
    const std::vector<FoundFile> found = DialoguesBelow(ops, dir.Path());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].path, dir.File("a.dlg"));
    EXPECT_TRUE(found[0].listed);
    EXPECT_EQ(found[1].path, dir.File("sub"));
    EXPECT_EQ(found[1].listed.failure.Reason(), std::strerror(fault.error));
  }
}

TEST(DialogueFolderTest, FolderOrderAndNames) {
  // clang-format off
  const std::tuple<const char*, const char*, bool> kOrder[] = {
      {"a/b.dlg", "a-b/c.dlg", true},  // plain comparison puts "-" before "/"
      {"a-b/c.dlg", "a/b.dlg", false},
      {"a/z.dlg", "a/z.dlg", false},
      {"a", "a/b", true},
      {"B.dlg", "a.dlg", true},        // bytes, not letter case
  };
  // clang-format on
  for (const auto& [a, b, before] : kOrder) EXPECT_EQ(PathBefore(a, b), before) << a << " " << b;
  for (const char* yes : {"x.dlg", "X.DLG", "a.b.Dlg"}) EXPECT_TRUE(IsDialogueName(yes)) << yes;
  for (const char* no : {".dlg", "x.dlgx", "xdlg", "x.dl"}) EXPECT_FALSE(IsDialogueName(no)) << no;
}

}  // namespace
}  // namespace dlg::test
