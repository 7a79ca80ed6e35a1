// Passes over a mod's files: which files are read and how, and the rows each gives.

#include "mod/folder_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "check/views.h"
#include "mod/file_rows.h"
#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace dlg::mod {
namespace {

// Every row as the window lists it, the line to go to after a "|".
std::vector<std::string> Listed(const Progress& p) {
  std::vector<std::string> out;
  for (const Row& r : p.rows) out.push_back(r.file + r.text + "|" + r.number);
  return out;
}

class FolderRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ops.PassTo(PosixFileOps());
    std::filesystem::create_directories(dir.File("town/inn"));
    dir.Put("smith.dlg",
            "{1}{Need a blade?}{}{}{}{}{}\r\n{2}{A CAF\xC9 first.}{}{}{}{9}{}\r\n"
            "{9}{Gone.}{}{}{}{ }{}\r\n");
    dir.Put("town/inn/keeper.DLG",
            "{1}{Rooms.}{Zimmer, caf\xE9 inklusive.}{}{has(\"caf\xE9\")}{}{}\r\n");
    dir.Put("town/notes.txt", "{1}{caf\xE9}{}{}{}{}{}\r\n");  // not a dialogue file
    dir.Put("town/guard.dlg", "{1}{Halt.}{}{}{}{}{}\r\n");
  }

  Progress RunOver(const FolderRun::MakeRows& makeRows, const LoadedFile& loaded = {},
                   const std::string& folder = "") {
    FolderRun run([](bool) {}, ops);
    run.Start(folder.empty() ? dir.Path() : folder, loaded, makeRows);
    run.Settle();
    return run.Take();
  }

  static FolderRun::MakeRows Finding(const std::string& needle) {
    return [search = std::make_shared<check::FoldedSearch>(needle)](const std::string& shown,
                                                                    std::string_view bytes) {
      return FoundRows(*search, shown, bytes);
    };
  }

  test::TempDir dir;
  test::FailingFileOps ops;
};

TEST_F(FolderRunTest, AFolderThatCannotBeListedSaysSo) {
  const Progress p = RunOver(ProblemRows, {}, dir.File("gone"));
  EXPECT_EQ(p.folderError, "No such file or directory");
  EXPECT_TRUE(p.finished);
}

struct FindCase {
  const char* name;
  std::string needle;
  std::vector<std::string> rows;
};

class FindInFiles : public FolderRunTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(FindInFiles, ListsEachRecordWithItsFileAndField) {
  const FindCase& c = GetParam();
  const Progress p = RunOver(Finding(c.needle));
  EXPECT_EQ(Listed(p), c.rows);
  EXPECT_EQ(p.found, static_cast<long>(c.rows.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FindInFiles,
    ::testing::Values(
        // É and é fold alike; the flags count once a record, after the female text.
        FindCase{"AccentedLetterEitherCase",
                 "Caf\xC9",
                 {"smith.dlg  2  male: A CAF\xC9 first.|2",
                  "town/inn/keeper.DLG  1  female: Zimmer, caf\xE9 inklusive.|1"}},
        FindCase{"FlagsOnly", "has(", {"town/inn/keeper.DLG  1  if: has(\"caf\xE9\")|1"}},
        // "}{" between two fields is found in the bytes, but in no field.
        FindCase{"AcrossFieldsNothing", "}{", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Only the lines that hold the needle are read: on odd files too, the records and fields found
// are those of the Conversation window's Find over the whole file.
class SameAsFind : public ::testing::TestWithParam<const char*> {};

TEST_P(SameAsFind, RecordsAndFields) {
  const std::string bytes = GetParam();
  std::vector<std::string> want, got;
  const Conversation c = ReadConversation(bytes);
  for (const check::FoundAt& at : check::FindRecords(c, "ab"))
    want.push_back(check::FoundText(c, at));
  for (const Row& r : FoundRows(check::FoldedSearch("ab"), "f", bytes).rows)
    got.push_back(r.text.substr(2));
  EXPECT_EQ(got, want);
}

INSTANTIATE_TEST_SUITE_P(
    OddFiles, SameAsFind,
    ::testing::Values(
        "AB{1}{ab}{}{}{}{}{}\r\n{ab}{x}{}{}{}{}{}\r\n",          // in numbers: no row
        "{1}{xa}{bx}{}{}{}{}\r\n{2}{x}{}{}{AB}{}{ab}",           // across "}{", no end
        "{1}{x}{}{}{}{}{}AB\r\n{2}{ab\n}{}{}{}{}{}\r\n",         // after the seventh "}"
        "{1}{a\rb}{}{}{}{}{}\r{2}{x}{}{}{}{}{}{ab}\n\n{3}{ab}",  // CR, LF, blank lines
        "{1}{xx}{yAB}{}{}{2}{ab}\r\n{2}{ab",                     // fewer fields
        "}{1}{ab}{}{}{}{}{}\r\n{{ab}{}\r\n"));                   // odd openers

// Every row of a record that "Go to:" never shows (the second 1, file line 2) says why, for the
// editor to tell; those of the first carry nothing.
TEST(ProblemRowsTest, ARecordGoToNeverShowsCarriesWhy) {
  const FileRows f = ProblemRows("b.dlg", "{1}{a}{}{}{}{}{}\r\n{1}{b}{}{}{}{}{}\r\n");
  const std::string why =
      "Line 1 on file line 2 cannot be reached by its number: Go to 1 stops at line 1 on file line "
      "1 first. Renumber one of them to reach it.";
  for (const Row& r : f.rows) {
    const bool second = r.text.find("file line 2)") != std::string::npos;
    EXPECT_EQ(r.unreachable, second ? why : "") << r.text;
  }
  EXPECT_EQ(f.rows.back().unreachable, why);
}

TEST_F(FolderRunTest, TheLoadedFileIsReadFromItsWorkingCopy) {
  const std::string copy = dir.Put("smith.dlg.bak", "{1}{Need a coffee?}{}{}{}{}{}\r\n");
  const Progress p = RunOver(Finding("coffee"), {dir.File("smith.dlg"), copy});
  EXPECT_EQ(Listed(p), (std::vector<std::string>{"smith.dlg  1  male: Need a coffee?|1"}));
}

TEST_F(FolderRunTest, AFileThatCannotBeReadIsListedAsSuch) {
  ops.Arm({test::OpKind::Open, 2, false, EACCES});  // the second file read
  const Progress p = RunOver(Finding("halt"));
  EXPECT_EQ(Listed(p),
            (std::vector<std::string>{"town/guard.dlg: cannot be read: Permission denied|"}));
  EXPECT_EQ(p.unreadable, 1u);
}

TEST_F(FolderRunTest, AStoppedPassListsWhatItReadAndSaysSo) {
  FolderRun run([](bool) {}, ops);
  run.Stop();  // nothing under way: harmless
  run.Start(dir.Path(), {}, [&run](const std::string& shown, std::string_view) {
    run.Stop();  // during the first file
    return FileRows{{{shown, "1", " read", false}}, 1, 0, 0};
  });
  run.Settle();
  const Progress p = run.Take();
  EXPECT_EQ(Listed(p), (std::vector<std::string>{"smith.dlg read|1"}));
  EXPECT_TRUE(p.finished && p.stopped);
  EXPECT_EQ(p.filesDone, 1u);
  EXPECT_EQ(p.filesTotal, 3u);
}

}  // namespace
}  // namespace dlg::mod
