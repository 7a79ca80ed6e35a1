// dlgplay as a mod's build calls it: the transcript printed in UTF-8 and the exit status.

#include "dlgplay/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"

namespace dlg {
namespace {

// 0x92 is the right quote of Windows-1252; 0xE9 its e acute; ESC and 0x9D (U+009D) are controls
// that a terminal would take as commands.
const std::string kInn =
    "{1}{We\x92re shut.}{}{}{}{}{}\r\n"
    "{2}{Open up.}{}{12}{}{0}{pc.say()}\r\n"
    "{3}{Caf\xe9?}{Caf\xe9, please?}{}{caf\xe9 open}{0}{}\r\n"
    "{4}{Who\x1B]0;x\x9D?}{}{}{}{9}{}\r\n";

struct CliCase {
  const char* name;
  std::vector<std::string> args;  // "@" stands for the file of the temporary folder
  int status;
  std::string out;
  std::string err;        // for both: "*" + text, contains the text
  bool fullDisk = false;  // standard output cannot be written
};
void PrintTo(const CliCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const CliCase kCases[] = {
    {"Waits", {"@"}, 0, "NPC 1: We\u2019re shut.\n  3: Caf\u00e9? [if caf\u00e9 open]\n  4: Who\\x1B]0;x\\x9D?\n", ""},
    {"Ends", {"--int", "12", "@", "2"}, 0,
     "NPC 1: We\u2019re shut.\nPC 2: Open up.\n  runs: pc.say()\nEND\n", ""},
    {"RepliesAfterTheEnd", {"--int", "12", "@", "2", "3"}, 1,
     "*END\nnot offered: 3 (the conversation has ended)\n", ""},
    {"RepliesAfterAStop", {"@", "4", "2"}, 1,
     "*: the conversation stops here.\nnot offered: 2 (the conversation has stopped)\n", ""},
    {"FemaleFrom", {"--female", "--from=1", "@", "3"}, 0,
     "NPC 1: We\u2019re shut.\nPC 3: Caf\u00e9, please?\nEND\n", ""},
    // The condition is given in UTF-8 and meets the file's bytes.
    {"FalseCondition", {"--false", "caf\u00e9 open", "@", "3"}, 1,
     "NPC 1: We\u2019re shut.\nnot offered: 3 (condition false: caf\u00e9 open)\n", ""},
    {"Help", {"--help"}, 0,
     "*Usage: dlgplay [--female] [--int N] [--false CONDITION]... [--from LINE] FILE [REPLY...]\n", ""},
    {"IntOutOfRange", {"--int", "21", "@"}, 2, "",
     "dlgplay: --int takes a whole number from 1 to 20, not '21'\nTry 'dlgplay --help'.\n"},
    {"NoFile", {"--female"}, 2, "", "dlgplay: no FILE given\nTry 'dlgplay --help'.\n"},
    {"NotInTable", {"--from", "\u4e00", "@"}, 2, "", "*Windows-1252 lacks"},
    {"EmptyFrom", {"--from=", "@"}, 2, "", "dlgplay: --from takes a line number\nTry 'dlgplay --help'.\n"},
    {"Unreadable", {"@missing"}, 2, "", "*dlgplay: cannot read @missing: No such file or directory\n"},
    {"TranscriptToFullDisk", {"@", "2"}, 2, "", "*cannot write the transcript", true},
    {"VersionToFullDisk", {"--version"}, 2, "", "dlgplay: cannot write to standard output\n", true},
};
// clang-format on

void Expect(const std::string& want, const std::string& got) {
  if (!want.empty() && want[0] == '*') {
    EXPECT_NE(got.find(want.substr(1)), std::string::npos) << got;
  } else {
    EXPECT_EQ(got, want);
  }
}

class DlgplayTest : public testing::TestWithParam<CliCase> {};

TEST_P(DlgplayTest, ExitStatusAndOutput) {
  test::TempDir dir;
  const std::string file = dir.Put("inn.dlg", kInn);
  std::vector<std::string> args;
  for (const std::string& a : GetParam().args)
    args.push_back(a == "@" ? file : a[0] == '@' ? dir.File(a.substr(1)) : a);
  std::ostringstream out, err;
  std::ostream full(nullptr);
  EXPECT_EQ(RunDlgplay(args, GetParam().fullDisk ? full : out, err), GetParam().status);
  Expect(GetParam().out, out.str());
  Expect(GetParam().err, dir.Local(err.str()));
}

INSTANTIATE_TEST_SUITE_P(Cases, DlgplayTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg
