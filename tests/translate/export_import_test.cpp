// Dialogue to PO and back through gettext's library: the entries a translator sees, and the
// bytes that come back; dlg2po and po2dlg as build scripts and translators run them: exit status,
// what they print, and what is on disk afterwards.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "translate/export_po.h"
#include "translate/import_po.h"
#include "translate/tools_cli.h"

namespace dlg::translate {
namespace {

// NPC line with a female form, a reply with a check and a condition, one ending the
// conversation, a negative check, a number carried twice, and an empty wording.
const std::string kTavern =
    "{1}{Ale or \x93wine\x94?}{Ale, my lady?}{}{}{}{}\r\n"
    "{2}{Ale.}{}{8}{has_coin = 1}{10}{}\r\n"
    "{3}{Nothing.}{Nothing, thanks.}{-4}{}{0}{}\r\n"
    "{10}{Here.}{}{}{}{ }{}\r\n"
    "{10}{}{}{}{}{ }{}\r\n"
    "{10}{Again.}{}{}{}{ }{}\r\n";

const ExportOptions kOptions{.sourceName = "tavern.dlg",
                             .language = "fr",
                             .date = "2026-12-08 01:00+0000",
                             .translatedName = ""};

TEST(ExportTest, OneEntryAWordingInFileOrderWithContextNoteAndLine) {
  const ExportResult r = ExportPo(kTavern, kOptions);
  ASSERT_TRUE(r.ok) << r.problem;
  const std::string header =
      "# Wordings of tavern.dlg; po2dlg -t tavern.dlg puts them back.\n"
      "msgid \"\"\nmsgstr \"\"\n"
      "\"Project-Id-Version: tavern.dlg\\n\"\n"
      "\"POT-Creation-Date: 2026-12-08 01:00+0000\\n\"\n"
      "\"PO-Revision-Date: 2026-12-08 01:00+0000\\n\"\n"
      "\"Last-Translator: \\n\"\n\"Language-Team: \\n\"\n\"Language: fr\\n\"\n"
      "\"MIME-Version: 1.0\\n\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\"Content-Transfer-Encoding: 8bit\\n\"\n\n";
  EXPECT_EQ(
      r.po,
      header +
          "#. NPC line\n#: tavern.dlg:1\nmsgctxt \"1\"\nmsgid \"Ale or “wine”?\"\nmsgstr \"\"\n\n"
          "#. NPC line\n#. said to a female player\n#: tavern.dlg:1\n"
          "msgctxt \"1 female\"\nmsgid \"Ale, my lady?\"\nmsgstr \"\"\n\n"
          "#. player's reply to line 1, leads to 10\n"
          "#. a reply for a player of intelligence 8 or more\n#. condition: has_coin = 1\n"
          "#: tavern.dlg:2\nmsgctxt \"2\"\nmsgid \"Ale.\"\nmsgstr \"\"\n\n"
          "#. player's reply to line 1, ends the conversation\n"
          "#. a reply for a player of intelligence 4 or less\n#: tavern.dlg:3\n"
          "msgctxt \"3\"\nmsgid \"Nothing.\"\nmsgstr \"\"\n\n"
          "#. player's reply to line 1, ends the conversation\n#. chosen by a female player\n"
          "#. a reply for a player of intelligence 4 or less\n#: tavern.dlg:3\n"
          "msgctxt \"3 female\"\nmsgid \"Nothing, thanks.\"\nmsgstr \"\"\n\n"
          "#. NPC line\n#: tavern.dlg:4\nmsgctxt \"10\"\nmsgid \"Here.\"\nmsgstr \"\"\n\n"
          "#. NPC line\n#: tavern.dlg:6\nmsgctxt \"10 #3\"\nmsgid \"Again.\"\nmsgstr \"\"\n");
}

TEST(ExportTest, TemplateLeavesTheHeaderToTheTranslator) {
  ExportOptions o = kOptions;
  o.templateFile = true;
  o.language.clear();
  const ExportResult r = ExportPo(kTavern, o);
  EXPECT_NE(r.po.find("#, fuzzy\nmsgid \"\""), std::string::npos);
  EXPECT_NE(r.po.find("\"Last-Translator: FULL NAME <EMAIL@ADDRESS>\\n\""), std::string::npos);
  EXPECT_NE(r.po.find("\"Language: \\n\""), std::string::npos);
}

// A PO entry with its translation, as a PO editor saves it.
std::string Entry(const std::string& context, const std::string& id, const std::string& str,
                  bool fuzzy = false) {
  return std::string(fuzzy ? "#, fuzzy\n" : "") + "msgctxt \"" + context + "\"\nmsgid \"" + id +
         "\"\nmsgstr \"" + str + "\"\n\n";
}
const std::string kHeader = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";

struct ImportCase {
  const char* name;
  std::string po;  // after kHeader
  bool fuzzy;
  bool ignoreUnknown;
  std::string dialogue;  // expected; "" when refused
  std::string outcome;   // the summary, or the problems joined by "\n"
};
void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }

const std::string kSmall = "{1}{Hi.}{Hi, lady.}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n";

// clang-format off
const ImportCase kImports[] = {
    {"ReplacesWordingsOnly", Entry("1", "Hi.", "Salut. \xe2\x80\x9c" "x\xe2\x80\x9d") + Entry("2", "Bye.", "Adieu."),
     false, false, "{1}{Salut. \x93x\x94}{Hi, lady.}{}{}{}{}\r\n{2}{Adieu.}{}{}{}{0}{}\r\n",
     "2 of 3 wordings translated, 0 fuzzy left out"},
    {"FuzzyLeftOut", Entry("1 female", "Hi, lady.", "Salut, madame.", true), false, false, kSmall,
     "0 of 3 wordings translated, 1 fuzzy left out"},
    {"FuzzyTaken", Entry("1 female", "Hi, lady.", "Salut, madame.", true), true, false,
     "{1}{Hi.}{Salut, madame.}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n",
     "1 of 3 wordings translated, 0 fuzzy left out"},
    // The source changed since, or the PO is another file's: the translation is of another
    // text, which even --fuzzy does not take.
    {"OtherTextLeftOut", Entry("2", "Goodbye.", "Adieu."), true, false, kSmall,
     "0 of 3 wordings translated, 0 fuzzy left out, 1 with another msgid left out (msgmerge updates them)"},
    {"UnknownIgnored", Entry("7", "Hi.", "Salut.") + Entry("2", "Bye.", "Adieu."), false, true,
     "{1}{Hi.}{Hi, lady.}{}{}{}{}\r\n{2}{Adieu.}{}{}{}{0}{}\r\n",
     "1 of 3 wordings translated, 0 fuzzy left out"},
    {"UnknownListed", Entry("7", "Hi.", "Salut.") + "msgid \"Lost\"\nmsgstr \"x\"\n" +
     Entry("2 female", "Bye, lady.", "Adieu, madame."), false, false, "",
     "fr.po:6: the context \"7\" names no record of small.dlg\n"
     "fr.po:9: the entry has no context, so it names no record of small.dlg\n"
     "fr.po:12: the context \"2 female\" names the female wording of record 2, which is empty in small.dlg"},
    {"Refusals", Entry("1", "Hi.", "a}b") + Entry("1 female", "Hi, lady.", "\xc5\x82") +
     "msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"\"\n\"one\"\n\"two\\nthree\"\n", false, false, "",
     "fr.po:6: the translation holds \"}\", which would end the field in the dialogue file\n"
     "fr.po:10: the translation holds \"\xc5\x82\" (U+0142), which the Windows-1252 table of dialogue files cannot hold\n"
     "fr.po:16: the translation holds a line break (LF), which a dialogue record cannot hold"},
    // podebug's flipped text: a direction override quoted would turn the message around.
    {"OverrideByCodePointOnly", Entry("2", "Bye.", "\xe2\x80\xae" "eyB"), false, false, "",
     "fr.po:6: the translation holds U+202E, which the Windows-1252 table of dialogue files cannot hold"},
    {"Unreadable", "msgid \"a\nmsgstr \"b\"\n", false, false, "",
     "fr.po:5: end-of-line within string"},
    {"Duplicate", Entry("1", "Hi.", "a") + Entry("1", "Hi.", "b"), false, false, "",
     "fr.po:9: duplicate message definition"},
    {"NulByte", Entry("1", "Hi.", std::string("Sa\0lut.", 7)), false, false, "",
     "fr.po:6: the PO file holds the byte 0x00, where gettext would cut the text short"},
    // Escapes that gettext reads as 0 (octal past 255, hex of any length keeps its low byte); an
    // escaped backslash before a 0 is none.
    {"EscapedNul", Entry("1", "Hi.", "a\\400b") +
     "msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"ok \\\\0 \"\n\"x\\x100\"\n", false, false, "",
     "fr.po:6: the translation holds an escape of the byte 0x00, where gettext cuts the text short\n"
     "fr.po:11: the translation holds an escape of the byte 0x00, where gettext cuts the text short"},
};
// clang-format on

class ImportTest : public testing::TestWithParam<ImportCase> {};

TEST_P(ImportTest, WritesTheTranslationOrRefusesIt) {
  const ImportCase& c = GetParam();
  const ImportResult r = ImportPo(kSmall, kHeader + c.po,
                                  {.sourceName = "small.dlg",
                                   .poName = "fr.po",
                                   .fuzzy = c.fuzzy,
                                   .ignoreUnknown = c.ignoreUnknown});
  std::string problems;
  for (const std::string& p : r.problems) problems += (problems.empty() ? "" : "\n") + p;
  EXPECT_EQ(r.ok, !c.dialogue.empty());
  EXPECT_EQ(r.ok ? Summary(r) : problems, c.outcome);
  EXPECT_EQ(r.ok ? r.dialogue : "", c.dialogue);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportTest, testing::ValuesIn(kImports),
                         [](const auto& info) { return std::string(info.param.name); });

// Harvested from a hand translation of the same file, every byte value a field can hold comes
// back as itself, and so does everything a faulty file holds around its wordings.
TEST(RoundTripTest, EveryByteAndEveryFaultyLineComesBack) {
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != '}' && b != '\r' && b != '\n' && b != 4) all += static_cast<char>(b);
  const std::string source = "{1}{" + all + "}{}{}{}{}{}\r\n" +
                             "{2}{short}{\r\n"               // a record cut short
                             "\r\n"                          // a blank line
                             "{3}{after}{}{}{}{0}{}junk\n"   // text after, LF alone
                             "x4}{odd opener}{}{}{}{ }{}\r"  // CR alone
                             "{6}{cut off\r\n"               // a wording not closed
                             "{5}{last}{}{}{}{0}{}";         // no line end
  const std::string_view same = source;
  const ExportResult e = ExportPo(source, kOptions, &same);
  ASSERT_TRUE(e.ok) << e.problem;
  EXPECT_EQ(e.notes, std::vector<std::string>{
                         "tavern.dlg:6: record 6's male wording is not closed by \"}\"; left out"});
  const ImportResult back = ImportPo(source, e.po, {.sourceName = "s.dlg", .poName = "s.po"});
  ASSERT_TRUE(back.ok) << back.problems[0];
  EXPECT_EQ(back.dialogue, source);
  EXPECT_EQ(Summary(back), "5 of 5 wordings translated, 0 fuzzy left out");
}

TEST(HarvestTest, RecordsThatDoNotMatchAreNamedAndLeftUntranslated) {
  const std::string translated =
      "{1}{Salut.}{}{}{}{}{}\r\n{2}{Adieu.}{}{}{}{1}{}\r\n{9}{Extra.}{}{}{}{0}{}\r\n";
  const std::string_view t = translated;
  ExportOptions o = kOptions;
  o.translatedName = "fr\xe9\n.dlg";  // as the PO file's comments can hold it
  const ExportResult r = ExportPo(kSmall, o, &t);
  EXPECT_EQ(r.notes, (std::vector<std::string>{
                         "fr\u00e9\\x0A.dlg:1: record 1 has no female wording; left untranslated",
                         "fr\u00e9\\x0A.dlg:2: record 2's jump is \"1\" where tavern.dlg:2 has "
                         "\"0\"; left untranslated",
                         "fr\u00e9\\x0A.dlg:3: record 9 is not in tavern.dlg; left untranslated"}));
  EXPECT_NE(r.po.find("msgctxt \"1\"\nmsgid \"Hi.\"\nmsgstr \"Salut.\""), std::string::npos);
  EXPECT_NE(r.po.find("msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"\""), std::string::npos);
}

TEST(ExportTest, BytesAPoFileCannotHoldAreRefusedWithTheirLine) {
  for (const char b : {'\0', '\x04'}) {
    const ExportResult r =
        ExportPo("{1}{a}{}{}{}{}{}\r\n{2}{b" + std::string(1, b) + "}{}{}{}{0}{}\r\n", kOptions);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.problem, std::string("tavern.dlg:2: the record holds the byte ") +
                             (b == 0 ? "0x00" : "0x04") + ", which a PO file cannot hold");
  }
}

const std::string kSource = "{1}{Hi.}{}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n";
const std::string kPo = kHeader +
                        "msgctxt \"1\"\nmsgid \"Hi.\"\nmsgstr \"Salut.\"\n\n"
                        "msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"Adieu}\"\n";

struct ToolCase {
  const char* name;
  bool po2dlg;
  std::vector<std::string> args;  // "@name": a file of the temporary folder
  int status;
  std::string out, err;
  std::string written;      // the file that must exist afterwards, "" when none may
  bool fullOutput = false;  // standard output takes nothing, as on a full disk
};
void PrintTo(const ToolCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const ToolCase kCases[] = {
    {"Dlg2po", false, {"@s.dlg", "@s.po"}, 0, "", "", "@s.po"},
    // '-' is standard output, as for gettext's tools, and no file of that name.
    {"Dlg2poToStandardOutput", false, {"@s.dlg", "-"}, 0, "^# Wordings of @s.dlg;", "", ""},
    {"Dlg2poOverItsSource", false, {"@s.dlg", "@s.dlg"}, 2, "",
     "dlg2po: OUT.po '@s.dlg' is a dialogue file being read\nTry 'dlg2po --help'.\n", ""},
    {"Dlg2poTemplateTakesNoTranslation", false, {"-P", "-t", "@s.dlg", "@s.dlg", "@s.pot"}, 2, "",
     "dlg2po: -P writes a template, which takes no translations\nTry 'dlg2po --help'.\n", ""},
    {"Dlg2poUnreadable", false, {"@none.dlg", "@s.po"}, 2, "",
     "dlg2po: cannot read @none.dlg: No such file or directory\n", ""},
    {"Dlg2poLanguageOfTwoLines", false, {"--language", "fr\nX: y", "@s.dlg", "@s.po"}, 2, "",
     "dlg2po: --language takes a code such as fr or pt_BR, not 'fr\\x0AX: y'\nTry 'dlg2po --help'.\n", ""},
    {"Dlg2poLanguageNotUtf8", false, {"--language", "fr\xe9", "@s.dlg", "@s.po"}, 2, "",
     "dlg2po: --language takes a code such as fr or pt_BR, not 'fr\u00e9'\nTry 'dlg2po --help'.\n", ""},
    {"Po2dlg", true, {"-t", "@s.dlg", "@ok.po", "@fr.dlg"}, 0,
     "1 of 2 wordings translated, 0 fuzzy left out\n", "", "@fr.dlg"},
    // '-' is standard input: msgcat or msgmerge piped into po2dlg.
    {"Po2dlgFromStandardInput", true, {"-t", "@s.dlg", "-", "@fr.dlg"}, 0,
     "1 of 2 wordings translated, 0 fuzzy left out\n", "", "@fr.dlg"},
    {"Po2dlgSummaryToFullDisk", true, {"-t", "@s.dlg", "@ok.po", "@fr.dlg"}, 2, "",
     "po2dlg: cannot write the summary to standard output (@fr.dlg was written)\n", "@fr.dlg", true},
    {"Dlg2poToFullDisk", false, {"@s.dlg", "-"}, 2, "",
     "dlg2po: cannot write the PO file to standard output\n", "", true},
    {"HelpToFullDisk", true, {"--help"}, 2, "", "po2dlg: cannot write to standard output\n", "", true},
    {"Po2dlgRefused", true, {"-t", "@s.dlg", "@bad.po", "@fr.dlg"}, 2, "",
     "po2dlg: @bad.po:10: the translation holds \"}\", which would end the field in the dialogue "
     "file\npo2dlg: @fr.dlg not written\n", ""},
    {"Po2dlgOverItsPo", true, {"-t", "@s.dlg", "@ok.po", "@ok.po"}, 2, "",
     "po2dlg: OUT.dlg '@ok.po' is a file being read\nTry 'po2dlg --help'.\n", ""},
    {"Po2dlgOverALinkToItsSource", true, {"-t", "@s.dlg", "@ok.po", "@link.dlg"}, 2, "",
     "po2dlg: OUT.dlg '@link.dlg' is a file being read\nTry 'po2dlg --help'.\n", ""},
    {"Po2dlgWithoutTemplate", true, {"@ok.po", "@fr.dlg"}, 2, "",
     "po2dlg: the template is needed: -t SOURCE.dlg\nTry 'po2dlg --help'.\n", ""},
    {"Dlg2poThirdName", false, {"@s.dlg", "@s.po", "@t.po"}, 2, "",
     "dlg2po: unexpected argument '@t.po'\nTry 'dlg2po --help'.\n", ""},
    {"Po2dlgThirdName", true, {"-t", "@s.dlg", "@ok.po", "@fr.dlg", "@x.dlg"}, 2, "",
     "po2dlg: unexpected argument '@x.dlg'\nTry 'po2dlg --help'.\n", ""},
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
  const std::string okPo = kPo.substr(0, kPo.find("Adieu}")) + "\"\n";
  dir.Put("ok.po", okPo);
  ASSERT_EQ(::symlink("s.dlg", dir.File("link.dlg").c_str()), 0);
  std::vector<std::string> args;
  for (const std::string& a : c.args) args.push_back(a[0] == '@' ? dir.File(a.substr(1)) : a);
  std::istringstream in(okPo);
  std::ostringstream out, err;
  if (c.fullOutput) out.setstate(std::ios::badbit);
  EXPECT_EQ(c.po2dlg ? RunPo2dlg(args, in, out, err) : RunDlg2po(args, out, err), c.status);
  if (c.out.starts_with('^')) {
    EXPECT_TRUE(dir.Local(out.str()).starts_with(c.out.substr(1))) << out.str();
    EXPECT_NE(out.str().find("msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"\"\n"), std::string::npos);
  } else {
    EXPECT_EQ(dir.Local(out.str()), c.out);
  }
  EXPECT_EQ(dir.Local(err.str()), c.err);
  EXPECT_EQ(test::ReadBytes(dir.File("s.dlg")), kSource);
  for (const std::string name : {"@s.po", "@s.pot", "@fr.dlg"})  // the one written, no other
    EXPECT_EQ(std::filesystem::exists(dir.File(name.substr(1))), name == c.written) << name;
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg::translate
