// A replacement written from several pieces: they land in order, however the system cuts the
// writes, and a failure in any piece leaves the old file and no temporary one.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/files.h"
#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace dlg::test {
namespace {

const std::vector<std::string_view> kPieces = {"", "{10}{A}", "", "{}{}{}{}{}\r\n", "{20}", "\r\n"};
const std::string kJoined = "{10}{A}{}{}{}{}{}\r\n{20}\r\n";

std::size_t FilesIn(const std::string& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

TEST(ReplaceInPiecesTest, PiecesLandInOrderOrNotAtAll) {
  const struct {
    const char* name;
    Fault fault;  // kind Any with nth 0: none
    std::string expected;
  } kCases[] = {
      {"whole writes", {OpKind::Any, 0, false, 0, 0}, kJoined},
      {"every write cut to 3 bytes", {OpKind::Write, 1, true, 0, 3}, kJoined},
      {"disk full in the third piece", {OpKind::Write, 3, false, ENOSPC, 0}, "old"},
  };
  for (const auto& c : kCases) {
    TempDir dir;
    const std::string path = dir.Put("a.dlg", "old");
    FailingFileOps ops;
    if (c.fault.nth > 0) ops.Arm(c.fault);
    FileResult r = Files(ops).ReplaceWholeInPieces(path, kPieces);
    EXPECT_EQ(r.ok, c.expected == kJoined) << c.name;
    EXPECT_EQ(ReadBytes(path), c.expected) << c.name;
    EXPECT_EQ(FilesIn(dir.Path()), 1u) << c.name;
  }
}

}  // namespace
}  // namespace dlg::test
