// dlg2po and po2dlg as build scripts and translators run them: exit status, what they print,
// and what is on disk afterwards.

#include "translate/tools_cli.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "support/temp_dir.h"

namespace dlg::translate {
namespace {

const std::string kSource = "{1}{Hi.}{}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n";
const std::string kPo =
    "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
    "msgctxt \"1\"\nmsgid \"Hi.\"\nmsgstr \"Salut.\"\n\n"
    "msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"Adieu}\"\n";

struct ToolCase {
  const char* name;
  bool po2dlg;
  std::vector<std::string> args;  // "@name": a file of the temporary folder
  int status;
  std::string out, err;
  std::string written;  // the file that must exist afterwards, "" when none may
};
void PrintTo(const ToolCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const ToolCase kCases[] = {
    {"Dlg2po", false, {"@s.dlg", "@s.po"}, 0, "", "", "@s.po"},
    {"Dlg2poOverItsSource", false, {"@s.dlg", "@s.dlg"}, 2, "",
     "dlg2po: OUT.po '@s.dlg' is a dialogue file being read\nTry 'dlg2po --help'.\n", ""},
    {"Dlg2poTemplateTakesNoTranslation", false, {"-P", "-t", "@s.dlg", "@s.dlg", "@s.pot"}, 2, "",
     "dlg2po: -P writes a template, which takes no translations\nTry 'dlg2po --help'.\n", ""},
    {"Dlg2poUnreadable", false, {"@none.dlg", "@s.po"}, 2, "",
     "dlg2po: cannot read @none.dlg: No such file or directory\n", ""},
    {"Po2dlg", true, {"-t", "@s.dlg", "@ok.po", "@fr.dlg"}, 0,
     "1 of 2 wordings translated, 0 fuzzy left out\n", "", "@fr.dlg"},
    {"Po2dlgRefused", true, {"-t", "@s.dlg", "@bad.po", "@fr.dlg"}, 2, "",
     "po2dlg: @bad.po:10: the translation holds \"}\", which would end the field in the dialogue "
     "file\npo2dlg: @fr.dlg not written\n", ""},
    {"Po2dlgOverItsPo", true, {"-t", "@s.dlg", "@ok.po", "@ok.po"}, 2, "",
     "po2dlg: OUT.dlg '@ok.po' is a file being read\nTry 'po2dlg --help'.\n", ""},
    {"Po2dlgOverALinkToItsSource", true, {"-t", "@s.dlg", "@ok.po", "@link.dlg"}, 2, "",
     "po2dlg: OUT.dlg '@link.dlg' is a file being read\nTry 'po2dlg --help'.\n", ""},
    {"Po2dlgWithoutTemplate", true, {"@ok.po", "@fr.dlg"}, 2, "",
     "po2dlg: the template is needed: -t SOURCE.dlg\nTry 'po2dlg --help'.\n", ""},
    {"Po2dlgUnknownOption", true, {"-P", "-t", "@s.dlg", "@ok.po", "@fr.dlg"}, 2, "",
     "po2dlg: unknown option '-P'\nTry 'po2dlg --help'.\n", ""},
};
// clang-format on

class ToolTest : public testing::TestWithParam<ToolCase> {};

TEST_P(ToolTest, ExitStatusOutputAndFiles) {
  const ToolCase& c = GetParam();
  test::TempDir dir;
  dir.Put("s.dlg", kSource);
  dir.Put("bad.po", kPo);
  std::string ok = kPo;
  ok.replace(ok.find("Adieu}"), 6, "");
  dir.Put("ok.po", ok);
  ASSERT_EQ(::symlink("s.dlg", dir.File("link.dlg").c_str()), 0);
  std::vector<std::string> args;
  for (const std::string& a : c.args) args.push_back(a[0] == '@' ? dir.File(a.substr(1)) : a);
  std::ostringstream out, err;
  EXPECT_EQ(c.po2dlg ? RunPo2dlg(args, out, err) : RunDlg2po(args, out, err), c.status);
  auto local = [&](std::string s) {
    for (std::size_t at; (at = s.find(dir.Path() + "/")) != std::string::npos;) {
      s.replace(at, dir.Path().size() + 1, "@");
    }
    return s;
  };
  EXPECT_EQ(local(out.str()), c.out);
  EXPECT_EQ(local(err.str()), c.err);
  EXPECT_EQ(test::ReadBytes(dir.File("s.dlg")), kSource);
  if (!c.written.empty()) {
    EXPECT_TRUE(std::filesystem::exists(dir.File(c.written.substr(1))));
  }
  for (const char* name : {"fr.dlg", "s.pot"}) {
    if (c.written != std::string("@") + name) {
      EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg::translate
