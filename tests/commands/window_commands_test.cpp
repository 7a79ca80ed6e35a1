#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/editor.h"
#include "support/scripted_platform.h"

namespace dlg {
namespace {

// Splits ".:a:. .:b:.  .:c:." into its segments and the blanks between them; an empty result
// means the text is not of that form.
struct Segmented {
  std::vector<std::string> segments;
  std::vector<std::string> gaps;
};

Segmented Split(const std::string& text) {
  Segmented out;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text.compare(at, 2, ".:") != 0) return {};
    const std::size_t end = text.find(":.", at + 2);
    if (end == std::string::npos) return {};
    out.segments.push_back(text.substr(at + 2, end - at - 2));
    at = end + 2;
    const std::size_t next = text.find_first_not_of(' ', at);
    if (next == std::string::npos) break;
    out.gaps.push_back(text.substr(at, next - at));
    at = next;
  }
  return out;
}

TEST(AboutBox, OneInformationBoxOfFourSegments) {
  test::ScriptedPlatform platform;
  Editor ed(platform);
  Picture1_Click(ed);
  ASSERT_EQ(platform.boxes.size(), 1u);
  const test::ShownBox& box = platform.boxes[0];
  EXPECT_EQ(box.title, "About the Ashgloam Dialogue Editor");
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_EQ(box.icon, MsgIcon::Information);

  const Segmented s = Split(box.text);
  ASSERT_EQ(s.segments.size(), 4u) << box.text;
  EXPECT_EQ(s.segments[1], "Version 0.81");
  EXPECT_EQ(s.gaps, (std::vector<std::string>{" ", " ", "  "}));
  for (const std::string& seg : s.segments) {
    EXPECT_FALSE(seg.empty());
    EXPECT_EQ(seg.find_first_of("\r\n"), std::string::npos);
  }
}

// Each "Add Flags" button opens the Flag Editor on its own field and marks itself.
TEST(AddFlags, EachButtonOpensItsField) {
  struct Case {
    void (*click)(Editor&);
    const char* edit;
    bool command10;
    bool cmdadd;
  };
  for (const Case& c : {Case{Command10_Click, "is_daytime()", false, true},
                        Case{cmdadd_Click, "npc.destroy()", true, false}}) {
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
