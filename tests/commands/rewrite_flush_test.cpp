// The order in which a rewrite makes its result last: the scratch copy's bytes reach the disk
// before it is renamed, and the folder is flushed once, after the rename over the working copy.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "commands/editor.h"
#include "support/failing_file_ops.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace dlg {
namespace {

using test::OpKind;

TEST(RewriteFlushTest, FileSyncedBeforeItsRenamesAndTheFolderOnceAfterThem) {
  const struct {
    const char* name;
    bool newLine;
  } kCases[] = {{"leaving a field box", false}, {"Save New Line", true}};
  for (const auto& c : kCases) {
    test::TempDir dir;
    dir.Put("talk.dlg.bak", "{10}{A}{}{}{}{}{}\r\n{20}{B}{}{}{}{ }{}\r\n");
    test::FailingFileOps ops;
    test::ScriptedPlatform platform;
    platform.ops = &ops;
    Editor ed(platform);
    ed.state.dialoguePath = dir.File("talk.dlg");
    ed.state.lastLineNumber = "20";
    ed.window.File1.fileName = "talk.dlg";
    ed.window.lstusednum.items = {"10", "20"};
    if (c.newLine) {
      ed.window.txtaddline.text = "15";
      cmdaddline_Click(ed);
      ed.window.txtDialogue.text = "Y";
      ops.Reset();
      cmdsaveline_Click(ed);
    } else {
      ed.window.txtLineNum.text = "20";
      ed.window.txtDialogue.text = "X";
      FieldBox_LostFocus(ed);
    }
    ASSERT_TRUE(platform.boxes.empty()) << c.name;

    // From the write of the scratch copy on, leaving out the checks of names and modes; the
    // bytes may go in several writes.
    const std::vector<OpKind>& log = ops.Log();
    std::vector<OpKind> steps;
    for (auto at = std::find(log.begin(), log.end(), OpKind::Write); at != log.end(); ++at) {
      if (*at == OpKind::Stat || *at == OpKind::Fchmod || *at == OpKind::Fchown) continue;
      if (*at == OpKind::Write && !steps.empty() && steps.back() == OpKind::Write) continue;
      steps.push_back(*at);
    }
    const std::vector<OpKind> kSteps = {OpKind::Write,  OpKind::Fsync, OpKind::Close,
                                        OpKind::Rename, OpKind::Rename, OpKind::Open,
                                        OpKind::Fsync,  OpKind::Close};
    EXPECT_EQ(steps, kSteps) << c.name;
  }
}

}  // namespace
}  // namespace dlg
