// The report: JSON strings as a build tool's parser needs them, valid UTF-8 whatever bytes a path
// or a message holds, bytes that are not UTF-8 read as the editor shows them; then the golden
// cases: every folder under golden/ holds expected.txt, the exact text that dlgcheck prints for
// its input: in.dlg beside it, or for a folder example_NAME the shipped examples/NAME.dlg, named
// as the README's command names it. Add a folder to add a case.

#include "check/report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/temp_dir.h"

namespace dlg::check {
namespace {

using Files = std::vector<std::pair<std::string, std::vector<Finding>>>;

// The report dlgcheck prints for these files and their findings.
std::string Report(const Files& files, bool json = false) {
  Totals t{.files = static_cast<int>(files.size())};
  for (const auto& [path, findings] : files) {
    for (const Finding& f : findings) {
      t.errors += f.severity == Severity::Error;
      t.warnings += f.severity == Severity::Warning;
    }
  }
  std::ostringstream out;
  ReportWriter writer(out, json, t, 0);
  for (const auto& [path, findings] : files)
    for (const Finding& f : findings) writer.Add(path, f);
  writer.End();
  return std::move(out).str();
}

struct JsonCase {
  const char* name;
  std::string in;
  std::string out;
};
void PrintTo(const JsonCase& c, std::ostream* os) { *os << c.name; }

class JsonStringTest : public testing::TestWithParam<JsonCase> {};

TEST_P(JsonStringTest, Escapes) { EXPECT_EQ(JsonString(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonStringTest,
    testing::Values(
        JsonCase{"Plain", "a b/c", "\"a b/c\""},
        JsonCase{"QuoteAndBackslash", "say \"\\N\"", "\"say \\\"\\\\N\\\"\""},
        JsonCase{"Controls", std::string("\x1B\t\0\x7F", 4), "\"\\u001b\\u0009\\u0000\\u007f\""},
        JsonCase{"Utf8Kept", "caf\xC3\xA9 \xE2\x80\x94", "\"caf\xC3\xA9 \xE2\x80\x94\""},
        // Not UTF-8: every byte through the Windows-1252 table.
        JsonCase{"Windows1252", "caf\xE9 \x97", "\"caf\xC3\xA9 \xE2\x80\x94\""},
        JsonCase{"OverlongIsNotUtf8", "\xC0\x80", "\"\xC3\x80\xE2\x82\xAC\""},
        JsonCase{"CutSequenceIsNotUtf8", "ok\xE2\x80", "\"ok\xC3\xA2\xE2\x82\xAC\""}),
    [](const auto& info) { return info.param.name; });

// A finding names the record on its line: the note where a lookup stops names the record found
// there, not the one it hides, and a line without a record names none.
TEST(JsonReportTest, RecordOfEachFinding) {
  const std::string bytes =
      "{10}{A}{}{}{}{}{}\r\n{11}{r}{}{}{}{0}{}\r\n{1}{B}{}{}{}{}{}\r\n\r\n{2}{x}{}{}{}{0}{}\r\n";
  const std::vector<Finding> findings = RunChecks(ReadConversation(bytes));
  std::string records;
  for (const Finding& f : findings) {
    records += std::to_string(f.line) + "=" + f.record.value_or("none") + " ";
  }
  EXPECT_EQ(records, "1=10 3=1 3=1 3=1 4=none ");
  const std::string json = Report({{"t.dlg", findings}}, true);
  EXPECT_NE(json.find("{\"file\": \"t.dlg\", \"line\": 4, \"record\": null, \"severity\": "
                      "\"error\", \"check\": \"syntax\""),
            std::string::npos)
      << json;
}

// A name that is not UTF-8 reads the same in text and JSON: each byte through Windows-1252. A
// control character in a name, a line break too, is shown in the text, not sent to the terminal.
TEST(ReportNamesTest, OneRuleForTextAndJson) {
  const std::string_view record = "{1}{A}{}{}{}{}{}\r\n";
  const std::tuple<std::string, std::string, std::string> kNames[] = {
      {"caf\xe9\n\x1B.dlg", "caf\xc3\xa9\\x0A\\x1B.dlg", "caf\xc3\xa9\\u000a\\u001b.dlg"},
      {"caf\xc3\xa9\xc2\x9d.dlg", "caf\xc3\xa9\\xC2\\x9D.dlg", "caf\xc3\xa9\xc2\x9d.dlg"}};
  for (const auto& [name, text, json] : kNames) {
    const Files reports = {{name, RunChecks(ReadConversation(record))}};
    EXPECT_EQ(Report(reports).substr(0, text.size() + 2), text + ":1");
    EXPECT_NE(Report(reports, true).find("\"file\": \"" + json + "\""), std::string::npos);
  }
}

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
  const Files report = {{path, RunChecks(ReadConversation(bytes))}};
  EXPECT_EQ(Report(report), Read(expected));
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
      const Files report = {{"x", RunChecks(ReadConversation(bytes))}};
      EXPECT_EQ(Report(report), "0 errors, 0 warnings in 1 file\n") << e.path();
    }
  }
  EXPECT_GE(files, 4);
}

}  // namespace
}  // namespace dlg::check
