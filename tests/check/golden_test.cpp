// Golden cases: every folder under golden/ holds in.dlg and expected.txt, the exact text that
// "dlgcheck in.dlg" prints for it. Add a folder to add a case.

#include <gtest/gtest.h>

#include <filesystem>

#include "check/report.h"
#include "support/temp_dir.h"

namespace dlg::check {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) { return test::ReadBytes(p.string()); }

std::vector<std::string> Folders(const fs::path& root) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(root)) {
    if (e.is_directory()) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class GoldenTest : public testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, PrintsExpectedText) {
  const fs::path dir = fs::path(DLG_CHECK_GOLDEN) / GetParam();
  ASSERT_TRUE(fs::exists(dir / "in.dlg") && fs::exists(dir / "expected.txt")) << dir;
  const std::vector<FileReport> report = {{"in.dlg", CheckDialogue(Read(dir / "in.dlg"))}};
  EXPECT_EQ(FormatText(report), Read(dir / "expected.txt"));
}

INSTANTIATE_TEST_SUITE_P(Folders, GoldenTest, testing::ValuesIn(Folders(DLG_CHECK_GOLDEN)),
                         [](const auto& info) { return info.param; });

// The shipped examples check clean, except those made with mistakes on purpose (broken_*),
// which have errors of more than one kind.
TEST(ExamplesTest, CheckCleanUnlessBrokenOnPurpose) {
  int files = 0;
  for (const auto& e : fs::directory_iterator(DLG_EXAMPLES)) {
    if (e.path().extension() != ".dlg") continue;
    ++files;
    const std::string name = e.path().filename().string();
    const std::vector<FileReport> report = {{name, CheckDialogue(Read(e.path()))}};
    const Totals t = Count(report);
    if (name.rfind("broken_", 0) == 0) {
      EXPECT_GE(t.errors, 2) << FormatText(report);
    } else {
      EXPECT_EQ(FormatText(report), "0 errors, 0 warnings in 1 file\n");
    }
  }
  EXPECT_GE(files, 4);
}

}  // namespace
}  // namespace dlg::check
