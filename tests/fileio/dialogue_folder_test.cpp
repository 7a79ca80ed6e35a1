// The walk over a mod's folder: a folder that cannot be listed is named in its place, and the
// rest is still found.

#include "fileio/dialogue_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <tuple>

#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace dlg {
namespace {

TEST(DialogueFolderTest, NamesTheFolderThatCannotBeListed) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.File("sub"));
  dir.Put("a.dlg", "");
  dir.Put("sub/b.dlg", "");
  test::FailingFileOps ops;
  ops.Arm({test::OpKind::ListFolder, 2, false, EACCES});
  const std::vector<FoundFile> found = DialoguesBelow(ops, dir.Path());
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].path, dir.File("a.dlg"));
  EXPECT_TRUE(found[0].listed);
  EXPECT_EQ(found[1].path, dir.File("sub"));
  EXPECT_EQ(found[1].listed.failure.Reason(), "Permission denied");
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
}  // namespace dlg
