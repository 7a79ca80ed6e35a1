// The command line as build scripts use it: exit status, standard output and standard error;
// then names between Windows' UTF-16 and UTF-8: every name Windows can hand dlgcheck.exe comes
// back as the same UTF-16, so that it opens the file it named.

#include "dlgcheck/cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <utility>

#include "dlgcheck/wide_text.h"
#include "support/temp_dir.h"

namespace dlg {
namespace {

using namespace std::string_literals;

const std::string kClean = "{1}{Hi.}{}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n";
const std::string kWarning = "{1}{Hi.}{}{}{}{}{}\r\n{2}{Bye.}{}{x}{}{0}{}\r\n";
const std::string kError = "{1}{Hi.}{}{}{}{}{}\r\n{2}{Go.}{}{}{}{7}{}\r\n";

struct CliCase {
  const char* name;
  std::vector<std::string> args;  // "@name" stands for a file of the temporary folder
  int status;
  std::string out;         // standard output; "*" + text: holds the text, "^" + text: begins so
  std::string err;         // expected standard error, the same way
  std::string eol = "\n";  // the line end asked for: "\r\n" on Windows
  // The files the run makes, each with its bytes as `out` is given; every other file stays as
  // it was, links included.
  std::vector<std::pair<std::string, std::string>> made = {};
  bool fullDisk = false;  // standard output cannot be written
};
void PrintTo(const CliCase& c, std::ostream* os) { *os << c.name; }

void Expect(const std::string& what, const std::string& want, const std::string& got) {
  if (want.starts_with('^')) {
    EXPECT_TRUE(got.starts_with(want.substr(1))) << what << ":\n" << got;
  } else if (want.starts_with('*')) {
    EXPECT_NE(got.find(want.substr(1)), std::string::npos) << what << ":\n" << got;
  } else {
    EXPECT_EQ(got, want) << what;
  }
}

// Every file below `folder` by its path there: its bytes, or where a link leads.
std::map<std::string, std::string> Tree(const std::string& folder) {
  std::map<std::string, std::string> tree;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
    if (!e.is_directory() || e.is_symlink())
      tree[e.path().lexically_relative(folder).string()] =
          e.is_symlink() ? "-> " + std::filesystem::read_symlink(e.path()).string()
                         : test::ReadBytes(e.path().string());
  return tree;
}

class CliTest : public testing::TestWithParam<CliCase> {};

TEST_P(CliTest, ExitStatusOutputAndFiles) {
  test::TempDir dir;
  dir.Put("clean.dlg", kClean);
  dir.Put("warn.dlg", kWarning);
  dir.Put("error.dlg", kError);
  dir.Put("talk.dot", kClean);  // a dialogue named like a map
  dir.Put("other.dot", "mine");
  dir.Put("odd\xff.dlg", "{1}{Hi\0.}{}{}{}{}{}\r\n"s);  // no UTF-8, a byte 0
  // A wording beyond a workbook cell, and one that a spreadsheet would read as an escape.
  dir.Put("wide.dlg", "{1}{" + std::string(32767, 'a') + "\xe9}{_x0041_}{}{}{}{}\r\n");
  std::filesystem::create_symlink("other.dot", dir.File("link.dot"));
  std::filesystem::create_symlink("clean.dlg", dir.File("link.svg"));
  // Beyond the lines or the arrows that a map can show: Graphviz would take minutes.
  std::string longTalk, denseTalk = "{1}{Hi.}{}{}{}{}{}\r\n";
  for (int line = 1; line <= 1001; ++line)
    longTalk += "{" + std::to_string(line) + "}{Hi.}{}{}{}{}{}\r\n";
  for (int reply = 2; reply <= 6001; ++reply)
    denseTalk += "{" + std::to_string(reply) + "}{Bye.}{}{}{}{0}{}\r\n";
  dir.Put("long.dlg", longTalk);
  dir.Put("dense.dlg", denseTalk);
  // A mod's folder: the files below it in folder order, other files and hidden folders left out.
  for (const char* folder : {"mod/a", "mod/a-z", "mod/.git"}) {
    std::filesystem::create_directories(dir.File(folder));
  }
  dir.Put("mod/b.dlg", kError);
  dir.Put("mod/a-z/c.dlg", kClean);
  dir.Put("mod/a/w.DLG", kWarning);
  dir.Put("mod/notes.txt", kError);
  dir.Put("mod/.git/x.dlg", kError);
  std::filesystem::create_symlink("b.dlg", dir.File("mod/link.csv"));
  std::map<std::string, std::string> before = Tree(dir.Path());
  std::vector<std::string> args;
  for (const std::string& a : GetParam().args)
    args.push_back(a[0] == '@' ? dir.File(a.substr(1)) : a);
  std::ostringstream out, err;
  std::ostream full(nullptr);
  EXPECT_EQ(RunDlgcheck(args, GetParam().fullDisk ? full : out, err, GetParam().eol),
            GetParam().status);
  Expect("stdout", GetParam().out, dir.Local(out.str()));
  Expect("stderr", GetParam().err, dir.Local(err.str()));
  // Text in CR LF has no line that ends in LF alone; JSON is the one document either way.
  if (const std::string text = out.str(); GetParam().eol == "\r\n" && !text.starts_with('{')) {
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; ++at)
      ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "a bare LF at " << at;
  }
  std::map<std::string, std::string> after = Tree(dir.Path());
  for (const auto& [name, bytes] : GetParam().made) {
    ASSERT_TRUE(after.contains(name)) << name;
    Expect(name, bytes, dir.Local(after[name]));
  }
  for (const auto& [name, bytes] : GetParam().made) after[name] = before[name];
  EXPECT_EQ(after, before);
}

const std::string kWarnLine =
    "@warn.dlg:2: warning: intelligence check \"x\" is not a whole number [int-check]\n";
const std::string kErrorLine =
    "@error.dlg:2: error: reply 2 leads to line 7, which no record has [missing-target]\n";
const std::string kErrorJson =
    "{\"files\": 1, \"unreadable\": 0, \"errors\": 1, \"warnings\": 0, \"findings\": [\n  "
    "{\"file\": "
    "\"@error.dlg\", \"line\": 2, \"record\": \"2\", \"severity\": \"error\", \"check\": "
    "\"missing-target\", \"message\": \"reply 2 leads to line 7, which no record has\"}\n]}\n";
// clang-format off
const CliCase kCases[] = {
    {"Clean", {"@clean.dlg"}, 0, "0 errors, 0 warnings in 1 file\n", ""},
    {"WarningsAllowed", {"@warn.dlg", "@clean.dlg"}, 0,
     kWarnLine + "0 errors, 1 warning in 2 files\n", ""},
    {"Werror", {"--werror", "@warn.dlg"}, 1, "*0 errors, 1 warning in 1 file\n", ""},
    {"SortedByFile", {"@warn.dlg", "@error.dlg"}, 1,
     kErrorLine + kWarnLine + "1 error, 1 warning in 2 files\n", ""},
    {"IgnoreDropsFindings", {"--ignore=missing-target,int-check", "@error.dlg", "@warn.dlg"}, 0,
     "0 errors, 0 warnings in 2 files\n", ""},
    {"Json", {"--format", "json", "@error.dlg"}, 1, kErrorJson, ""},
    {"JsonClean", {"--format=json", "@clean.dlg"}, 0,
     "{\"files\": 1, \"unreadable\": 0, \"errors\": 0, \"warnings\": 0, \"findings\": []}\n", ""},
    // The other files are still checked and reported.
    {"UnreadableFile", {"@none.dlg", "@error.dlg"}, 2,
     "*1 error, 0 warnings in 1 file, 1 file could not be read\n",
     "dlgcheck: cannot read @none.dlg: No such file or directory\n"},
    // Nothing read is no clean run.
    {"NothingReadable", {"--format=json", "@none.dlg", "@gone.dlg"}, 2,
     "{\"files\": 0, \"unreadable\": 2, \"errors\": 0, \"warnings\": 0, \"findings\": []}\n",
     "*cannot read @gone.dlg"},
    {"Folder", {"@mod"}, 1,
     "@mod/a/w.DLG:2: warning: intelligence check \"x\" is not a whole number [int-check]\n"
     "@mod/b.dlg:2: error: reply 2 leads to line 7, which no record has [missing-target]\n"
     "1 error, 1 warning in 3 files\n", ""},
    // One run: the folder's files sorted among the files named.
    {"FolderAndFiles", {"@warn.dlg", "@mod/", "@error.dlg"}, 1,
     "*@mod/b.dlg:2: error: reply 2 leads to line 7, which no record has [missing-target]\n"
     "@warn.dlg:2: warning: intelligence check \"x\" is not a whole number [int-check]\n"
     "2 errors, 2 warnings in 5 files\n", ""},
    {"MapOfAFolder", {"--map", "@m.svg", "@mod/a"}, 2, "", "*--map draws one FILE only"},
    {"UnknownCheck", {"--ignore", "missing-target,typo", "@clean.dlg"}, 2, "",
     "dlgcheck: unknown check 'typo'\nTry 'dlgcheck --help'.\n"},
    {"UnknownOption", {"--fast", "@clean.dlg"}, 2, "", "*unknown option '--fast'"},
    {"NoFile", {"--werror"}, 2, "", "*no FILE given"},
    {"MissingValue", {"@clean.dlg", "--format"}, 2, "", "*option --format needs a value"},
    {"BadFormat", {"--format", "xml", "@clean.dlg"}, 2, "", "*unknown format 'xml'"},
    // Only the end of the name, dot included, chooses the format.
    {"MapExtension", {"--map", "@m.svg.gif", "@clean.dlg"}, 2, "",
     "*must end in .svg, .png or .dot"},
    {"MapExtensionWithoutItsDot", {"--map", "@msvg", "@clean.dlg"}, 2, "", "*must end in .svg"},
    {"MapOfOneFile", {"--map", "@m.svg", "@clean.dlg", "@warn.dlg"}, 2, "",
     "*--map draws one FILE only"},
    {"Map", {"--map", "@m.svg", "@error.dlg"}, 1, "*1 error, 0 warnings in 1 file\n", "", "\n",
     {{"m.svg", "*<svg"}, {"m.svg", "*no such line"}}},
    // Refused, and the dialogue kept, whether named like the map or reached by a link of its name.
    {"MapOverTheFileChecked", {"--map", "@talk.dot", "@talk.dot"}, 2, "",
     "*is the file being checked"},
    {"MapThroughALinkToTheFileChecked", {"--map", "@link.svg", "@clean.dlg"}, 2, "",
     "*is the file being checked"},
    {"MapOverTheSource", {"--map", "@talk.dot", "--against", "@talk.dot", "@clean.dlg"}, 2, "",
     "*is the SOURCE being compared with"},
    // A link under the map's name is replaced by the map, never written through, as on Windows.
    {"MapReplacesALinkOfItsName", {"--map", "@link.dot", "@clean.dlg"}, 0, "*0 errors", "", "\n",
     {{"link.dot", "*digraph"}}},
    // The map is refused, and the findings still reported.
    {"MapOfTooManyLines", {"--map", "@m\n.svg", "@long.dlg"}, 2, "*in 1 file\n",
     "dlgcheck: cannot draw @m\\x0A.svg: 1001 NPC lines are more than a map can show (at most "
     "1000)\n"},
    {"MapOfTooManyArrows", {"--map", "@m.svg", "@dense.dlg"}, 2, "*in 1 file\n",
     "dlgcheck: cannot draw @m.svg: 6002 boxes and arrows are more than a map can show (at most "
     "5500)\n"},
    {"MapUnwritable", {"--map", "@no\nwhere/m.svg", "@clean.dlg"}, 2, "*0 errors",
     "*dlgcheck: cannot write @no\\x0Awhere/m.svg: No such file or directory"},
    {"Stats", {"--stats", "@mod"}, 0,
     // The numbers of the total; the first column is as wide as the folder's path.
     "*  3        3            3            0              3              0\n", ""},
    {"StatsJson", {"--stats", "--format=json", "@clean.dlg"}, 0,
     "*\"total\": {\"files\": 1, \"npc_lines\": 1, \"replies\": 1, \"npc_words\": {\"male\": 1,", ""},
    {"StatsUnreadable", {"--stats", "@none.dlg", "@clean.dlg"}, 2, "*\ntotal of 1 file ",
     "dlgcheck: cannot read @none.dlg: No such file or directory\n"},
    {"Script", {"--script", "@s.csv", "@mod"}, 0, "@s.csv: 3 wordings, 3 words from 3 files\n", "",
     "\n", {{"s.csv", "*@mod/b.dlg,1,male,Hi.,1,,,\r\n"}}},
    // Written whole, CSV or workbook, with nothing left beside it.
    {"ScriptCsv", {"--script", "@s.csv", "@error.dlg"}, 0,
     "@s.csv: 1 wording, 1 word from 1 file\n", "", "\n",
     {{"s.csv", "\xEF\xBB\xBF" "File,Line,Form,Text,Words,Reply,Reply text,Condition\r\n"
                "@error.dlg,1,male,Hi.,1,,,\r\n"}}},
    {"ScriptWorkbook", {"--script", "@S.XLSX", "@error.dlg"}, 0,
     "@S.XLSX: 1 wording, 1 word from 1 file\n", "", "\n", {{"S.XLSX", "^PK\x03\x04"}}},
    // Both hold UTF-8 only: the name as reports show it; the byte 0 is a C string's end.
    {"ScriptOfAnOddFile", {"--script", "@s.csv", "@odd\xff.dlg"}, 0, "*1 wording", "", "\n",
     {{"s.csv", "*\r\n@odd\xc3\xbf.dlg,1,male,Hi\0.,1,,,\r\n"s}}},
    {"ScriptWorkbookOfAByte0", {"--script", "@s.xlsx", "@odd\xff.dlg"}, 2, "",
     "*: @odd\xc3\xbf.dlg line 1 holds the byte 0, which a workbook cannot hold"},
    {"ScriptWorkbookOfAWideCell", {"--script", "@s.xlsx", "@wide.dlg"}, 2, "",
     "*: @wide.dlg line 1 holds a text of 32768 characters, more than a workbook cell's 32,767"},
    // Never written over a dialogue that it reads, through a link of its name.
    {"ScriptOverADialogueRead", {"--script", "@mod/link.csv", "@mod"}, 2, "",
     "dlgcheck: the script '@mod/link.csv' is a file being read\nTry 'dlgcheck --help'.\n"},
    {"ScriptExtension", {"--script", "@s.txt", "@clean.dlg"}, 2, "",
     "*the script '@s.txt' must end in .csv or .xlsx\n"},
    {"ScriptUnwritable", {"--script=@no\nwhere/s.csv", "@clean.dlg"}, 2, "",
     "dlgcheck: cannot write @no\\x0Awhere/s.csv: No such file or directory\n"},
    {"ScriptWorkbookUnwritable", {"--script", "@nowhere/s.xlsx", "@clean.dlg"}, 2, "", "*s.xlsx: No such file"},
    {"SummaryToFullDisk", {"--script", "@s.csv", "@clean.dlg"}, 2, "", "*summary", "\n", {{"s.csv", "*Hi."}}, true},
    {"Textconv", {"--textconv", "@error.dlg"}, 0, "1 NPC\n  male: Hi.\n2 PC -> 7\n  male: Go.\n", ""},
    {"TextconvOfOneFile", {"--textconv", "@mod"}, 2, "", "*--textconv prints one FILE\n"},
    {"RunsAlone", {"--stats", "--textconv", "@clean.dlg"}, 2, "",
     "*--stats and --textconv do not go together\n"},
    {"MapWithStats", {"--stats", "--map", "@m.svg", "@clean.dlg"}, 2, "",
     "*--map draws with the check, not with --stats\n"},
    // A translation that changed more than wordings.
    {"Against", {"--against", "@error.dlg", "@clean.dlg"}, 1,
     "@clean.dlg:2: error: record 2's jump is \"0\" where @error.dlg:2 has \"7\" [translation]\n"
     "1 error, 0 warnings in 1 file\n", ""},
    {"AgainstJson", {"--format=json", "--against", "@error.dlg", "@clean.dlg"}, 1,
     "*\"line\": 2, \"record\": \"2\", \"severity\": \"error\", \"check\": \"translation\"", ""},
    {"AgainstNothing", {"--against=", "@clean.dlg"}, 2, "", "*--against takes the SOURCE.dlg that"},
    {"AgainstWithStats", {"--stats", "--against", "@error.dlg", "@clean.dlg"}, 2, "", "*--against compares"},
    {"Help", {"--help"}, 0, "*Usage: dlgcheck [--map OUT]", ""},
    {"Version", {"--version"}, 0, "*dlgcheck 0.", ""},
    {"HelpToFullDisk", {"--help"}, 2, "", "dlgcheck: cannot write to standard output\n", "\n", {}, true},
    {"DashDashEndsOptions", {"--", "--help"}, 2, "*0 files",
     "dlgcheck: cannot read --help: No such file or directory\n"},
    // Windows' line ends: every line of text ends in CR LF, while JSON stays the one document
    // that Linux prints, byte for byte.
    {"ReportInCrLf", {"@error.dlg"}, 1,
     "@error.dlg:2: error: reply 2 leads to line 7, which no record has [missing-target]\r\n"
     "1 error, 0 warnings in 1 file\r\n", "", "\r\n"},
    // A build script that reads the report from a full disk must not take it for a clean file.
    {"ReportToFullDisk", {"@clean.dlg"}, 2, "",
     "dlgcheck: cannot write the report to standard output\n", "\n", {}, true},
    {"JsonInCrLf", {"--format=json", "@error.dlg"}, 1, kErrorJson, "", "\r\n"},
    {"HelpInCrLf", {"--help"}, 0, "^Usage: dlgcheck", "", "\r\n"},
    {"VersionInCrLf", {"--version"}, 0, "^dlgcheck ", "", "\r\n"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Cases, CliTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

using dlgcheck::Utf16FromUtf8, dlgcheck::Utf8FromUtf16;

struct NameCase {
  const char* name;
  std::u16string wide;
  std::string bytes;
  bool back = true;  // the bytes are UTF-8 (or WTF-8), made again from the wide name
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const NameCase kNames[] = {
    {"Ascii", u"talk.dlg", "talk.dlg"},
    {"Empty", u"", ""},
    {"TwoBytes", u"Schmied \u00f6", "Schmied \xc3\xb6"},
    {"ThreeBytes", u"\u20ac \u30c4", "\xe2\x82\xac \xe3\x83\x84"},
    {"LastOfThreeBytes", u"\uffff", "\xef\xbf\xbf"},
    // A surrogate pair is one code point of four bytes.
    {"Pair", u"a\U0001F600b", "a\xf0\x9f\x98\x80" "b"},
    {"LastCodePoint", u"\U0010FFFF", "\xf4\x8f\xbf\xbf"},
    // Lone surrogates are legal in Windows names: three bytes each, as WTF-8 has them.
    {"LoneHigh", u"a\xd800", "a\xed\xa0\x80"},
    {"LoneLowFirst", u"\xdc00\xd800", "\xed\xb0\x80\xed\xa0\x80"},
    {"HighBeforeNoLow", u"\xdbff" "x", "\xed\xaf\xbfx"},
    // Bytes that are no UTF-8: each byte that starts no sequence is one U+FFFD, and what follows
    // is read afresh.
    {"StrayContinuation", u"a\ufffdb", "a\x80" "b", false},
    {"Truncated", u"a\ufffd\ufffd", "a\xe2\x82", false},
    {"BrokenBySecondStart", u"\ufffd\u00f6", "\xc3\xc3\xb6", false},
    {"Overlong", u"\ufffd\ufffd", "\xc0\xaf", false},
    {"OverlongThree", u"\ufffd\ufffd\ufffd", "\xe0\x80\xaf", false},
    {"BeyondUnicode", u"\ufffd\ufffd\ufffd\ufffd", "\xf4\x90\x80\x80", false},
    {"FiveByteStart", u"\ufffd\ufffd\ufffd\ufffd\ufffd", "\xf8\x88\x80\x80\x80", false},
    {"Windows1252", u"Schmied \ufffd", "Schmied \xf6", false},
};
// clang-format on

class NameTest : public testing::TestWithParam<NameCase> {};

TEST_P(NameTest, BothWays) {
  EXPECT_EQ(Utf16FromUtf8(GetParam().bytes), GetParam().wide);
  if (GetParam().back) {
    EXPECT_EQ(Utf8FromUtf16(GetParam().wide), GetParam().bytes);
  }
}

INSTANTIATE_TEST_SUITE_P(Names, NameTest, testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg
