// JSON strings as a build tool's parser needs them: valid UTF-8 whatever bytes a path or a
// message holds; bytes that are not UTF-8 read as the editor shows them.

#include "check/report.h"

#include <gtest/gtest.h>

namespace dlg::check {
namespace {

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
  const std::string json = FormatJson({{"t.dlg", findings}});
  EXPECT_NE(json.find("{\"file\": \"t.dlg\", \"line\": 4, \"record\": null, \"severity\": "
                      "\"error\", \"check\": \"syntax\""),
            std::string::npos)
      << json;
}

// A name that is not UTF-8 reads the same in text and JSON: each byte through Windows-1252. A
// control character in a name, UTF-8 or not, is shown in the text, not sent to the terminal.
TEST(ReportNamesTest, OneRuleForTextAndJson) {
  const std::string_view record = "{1}{A}{}{}{}{}{}\r\n";
  const std::tuple<std::string, std::string, std::string> kNames[] = {
      {"caf\xe9\x1B.dlg", "caf\xc3\xa9\\x1B.dlg", "caf\xc3\xa9\\u001b.dlg"},
      {"caf\xc3\xa9\xc2\x9d.dlg", "caf\xc3\xa9\\xC2\\x9D.dlg", "caf\xc3\xa9\xc2\x9d.dlg"}};
  for (const auto& [name, text, json] : kNames) {
    const std::vector<FileReport> reports = {{name, RunChecks(ReadConversation(record))}};
    EXPECT_EQ(FormatText(reports).substr(0, text.size() + 2), text + ":1");
    EXPECT_NE(FormatJson(reports).find("\"file\": \"" + json + "\""), std::string::npos);
  }
}

}  // namespace
}  // namespace dlg::check
