// File > Translation in the editor: the boxes a user meets and the files on disk afterwards.

#include "commands/translation.h"

#include <gtest/gtest.h>

#include "support/session.h"

namespace dlg {
namespace {

const std::string kDialogue = "{1}{Hi.}{Hi, lady.}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n";

TEST(TranslationTest, ExportWritesThePoFileBesideTheDialogue) {
  test::Session s(kDialogue);
  s.platform.inputs = {"fr"};
  ExportForTranslation(s.ed);
  EXPECT_EQ(s.Boxes(),
            (test::Strings{"none Export for Translation: 3 wordings written to DIR/fr.po."}));
  const std::string po = test::ReadBytes(s.dir.File("fr.po"));
  EXPECT_NE(po.find("#: a.dlg:1\nmsgctxt \"1 female\"\nmsgid \"Hi, lady.\""), std::string::npos)
      << po;
}

// An existing file is replaced only after a Yes; a refused translation writes nothing; a Yes to
// loading the new file loads it without asking "Unload?" again.
TEST(TranslationTest, ImportAsksBeforeReplacingAndOffersToLoad) {
  test::Session s(kDialogue);
  s.dir.Put("fr.po",
            "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
            "msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"Adieu.\"\n");
  s.dir.Put("bad.po", "msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"}\"\n");
  s.dir.Put("fr.dlg", "old");
  s.platform.inputs = {"bad.po", "fr", "fr.po", "fr", "fr.po", "fr"};
  s.platform.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Yes};
  ImportTranslation(s.ed);  // refused
  ImportTranslation(s.ed);  // No to Replace File?
  EXPECT_EQ(test::ReadBytes(s.dir.File("fr.dlg")), "old");
  ImportTranslation(s.ed);  // Yes, then Yes to loading it
  EXPECT_EQ(test::ReadBytes(s.dir.File("fr.dlg")),
            "{1}{Hi.}{Hi, lady.}{}{}{}{}\r\n{2}{Adieu.}{}{}{}{0}{}\r\n");
  EXPECT_EQ(s.ed.state.dialoguePath, s.dir.File("fr.dlg"));
  EXPECT_EQ(s.Boxes(),
            (test::Strings{
                "critical Translation Refused: bad.po:3: the translation holds \"}\", which would "
                "end the field in the dialogue file\nDIR/fr.dlg was not written.",
                "yes/no exclamation Replace File?: DIR/fr.dlg already exists. Replace it?",
                "yes/no exclamation Replace File?: DIR/fr.dlg already exists. Replace it?",
                "yes/no none Translation Imported: 1 of 3 wordings translated, 0 fuzzy left out. "
                "Load DIR/fr.dlg now?"}));
}

}  // namespace
}  // namespace dlg
