// Golden cases: every folder under golden/ holds expected.txt, the exact text that dlgcheck
// prints for its input: in.dlg beside it, or for a folder example_NAME the shipped
// examples/NAME.dlg, named as the README's command names it. Add a folder to add a case.

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
  for (const auto& e : fs::directory_iterator(root))
    if (e.is_directory()) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The input of a golden folder and the path that the report names.
std::pair<fs::path, std::string> InputOf(const std::string& folder) {
  if (folder.starts_with("example_")) {
    const std::string name = folder.substr(8) + ".dlg";
    return {fs::path(DLG_EXAMPLES) / name, "examples/" + name};
  }
  return {fs::path(DLG_CHECK_GOLDEN) / folder / "in.dlg", "in.dlg"};
}

class GoldenTest : public testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, PrintsExpectedText) {
  const auto [input, path] = InputOf(GetParam());
  const fs::path expected = fs::path(DLG_CHECK_GOLDEN) / GetParam() / "expected.txt";
  ASSERT_TRUE(fs::exists(input) && fs::exists(expected)) << GetParam();
  const std::string bytes = Read(input);
  const std::vector<FileReport> report = {{path, RunChecks(ReadConversation(bytes))}};
  EXPECT_EQ(FormatText(report), Read(expected));
}

INSTANTIATE_TEST_SUITE_P(Folders, GoldenTest, testing::ValuesIn(Folders(DLG_CHECK_GOLDEN)),
                         [](const auto& info) { return info.param; });

// The shipped examples check clean, except those made with mistakes on purpose, whose findings
// a golden folder pins and the README prints as they are.
TEST(ExamplesTest, CheckCleanOrAsTheReadmeSays) {
  const std::string readme = Read(fs::path(DLG_EXAMPLES).parent_path() / "README.md");
  int files = 0;
  for (const auto& e : fs::directory_iterator(DLG_EXAMPLES)) {
    if (e.path().extension() != ".dlg") continue;
    ++files;
    const fs::path golden =
        fs::path(DLG_CHECK_GOLDEN) / ("example_" + e.path().stem().string()) / "expected.txt";
    if (fs::exists(golden)) {
      EXPECT_NE(readme.find("```\n" + Read(golden) + "```\n"), std::string::npos)
          << "README.md does not print " << golden;
    } else {
      const std::string bytes = Read(e.path());
      const std::vector<FileReport> report = {{"x", RunChecks(ReadConversation(bytes))}};
      EXPECT_EQ(FormatText(report), "0 errors, 0 warnings in 1 file\n") << e.path();
    }
  }
  EXPECT_GE(files, 4);
}

}  // namespace
}  // namespace dlg::check
