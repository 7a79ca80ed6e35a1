#pragma once
// An editor that has loaded "a.dlg" from a fresh folder by Load File, with every file call going
// through a FailingFileOps that passes them on until a test arms a fault.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "commands/editor.h"
#include "support/failing_file_ops.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace dlg::test {

// A box in one line: "[yes/no ]<icon> <title>: <text>", with `folder` written as DIR.
inline std::string Describe(const ShownBox& b, const std::string& folder) {
  std::string text = b.text;
  for (std::size_t at; !folder.empty() && (at = text.find(folder)) != std::string::npos;)
    text.replace(at, folder.size(), "DIR");
  const char* icon = b.icon == MsgIcon::Critical      ? "critical"
                     : b.icon == MsgIcon::Information ? "information"
                                                      : "none";
  return (b.buttons == MsgButtons::YesNo ? "yes/no " : "") + std::string(icon) + " " + b.title +
         ": " + text;
}

struct LoadedEditor {
  TempDir dir;
  FailingFileOps ops;
  ScriptedPlatform platform;
  Editor ed{platform, ops};

  explicit LoadedEditor(const std::string& bytes) {
    dir.Put("a.dlg", bytes);
    ed.window.File1.path = dir.Path();
    ed.window.File1.fileName = "a.dlg";
    ops.skipSync = true;
    Command2_Click(ed);
    ops.skipSync = false;
    ops.Reset();
  }
  // newLineMode, insertPending, then the controls that new-line mode turns round.
  std::string Mode() const {
    const EditorWindow& w = ed.window;
    std::string s;
    for (bool b : {ed.state.newLineMode, ed.state.insertPending, w.cmdsaveline.visible,
                   w.txtnpc.visible, w.lstnpc.visible, w.txtlinejump.enabled, w.Command7.visible})
      s += b ? '1' : '0';
    return s;
  }
  std::string Copy() const { return ReadBytes(dir.File("a.dlg.bak")); }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> out;
    for (const ShownBox& b : platform.boxes) out.push_back(Describe(b, dir.Path()));
    return out;
  }
  std::map<std::string, std::string> Folder() const {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
      files[e.path().filename().string()] = ReadBytes(e.path().string());
    return files;
  }
};

}  // namespace dlg::test
