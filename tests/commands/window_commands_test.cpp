// The title banner's About box and the two "Add Flags" buttons.

#include <gtest/gtest.h>

#include "commands/editor.h"
#include "support/scripted_platform.h"

namespace dlg {
namespace {

TEST(WindowCommands, AboutBoxIsOneLineOfFourFramedSegments) {
  test::ScriptedPlatform platform;
  Editor ed(platform);
  Picture1_Click(ed);
  const test::ShownBox about{
      ".:Made for the Ashgloam modding circle - https://www.example.org/ashgloam:. .:Version "
      "0.81:. .:Written in C++ with Qt 6:.  .:Contact: dlg-editor@example.org:.",
      "About the Ashgloam Dialogue Editor", MsgButtons::Ok, MsgIcon::Information};
  EXPECT_EQ(platform.boxes, std::vector<test::ShownBox>{about});
}

TEST(WindowCommands, EachAddFlagsButtonOpensTheFlagEditorOnItsField) {
  const struct {
    void (*click)(Editor&);
    const char* edit;
    bool command10, cmdadd;
  } kCases[] = {{Command10_Click, "is_daytime()", false, true},
                {cmdadd_Click, "npc.destroy()", true, false}};
  for (const auto& c : kCases) {
    test::ScriptedPlatform platform;
    Editor ed(platform);
    ed.window.txtFlags1.text = "is_daytime()";
    ed.window.txtflags2.text = "npc.destroy()";
    c.click(ed);
    ASSERT_TRUE(ed.flagEditor.has_value());
    EXPECT_TRUE(ed.flagEditor->visible);
    EXPECT_EQ(ed.flagEditor->txtedit, c.edit);
    EXPECT_EQ(ed.window.Command10.enabled, c.command10);
    EXPECT_EQ(ed.window.cmdadd.enabled, c.cmdadd);
  }
}

}  // namespace
}  // namespace dlg
