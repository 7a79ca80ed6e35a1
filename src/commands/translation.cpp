#include "commands/translation.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "commands/boxes.h"
#include "commands/open_named.h"
#include "commands/save_close.h"
#include "commands/save_safety.h"
#include "fileio/paths.h"
#include "translate/export_po.h"
#include "translate/import_po.h"

namespace dlg {

namespace {

bool EndsWith(const std::string& name, const std::string& end) {
  return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
}

// A name typed as the editor takes names: beside the dialogue unless it is a full path.
std::string BesideDialogue(const Editor& ed, const std::string& name) {
  return name.front() == '/' ? name : JoinPath(FolderOf(ed.state.dialoguePath), name);
}

// The loaded file, its working copy, or a file being read under another name.
bool IsBeingRead(Editor& ed, const std::string& path, const std::string& other) {
  struct stat a {};
  struct stat b {};
  for (const std::string& read : {ed.state.dialoguePath, ed.state.WorkingCopyPath(), other}) {
    if (path == read || (ed.files.Stat(path, a) == 0 && ed.files.Stat(read, b) == 0 &&
                         a.st_dev == b.st_dev && a.st_ino == b.st_ino))
      return true;
  }
  return false;
}

// False when the user keeps a file of that name, or it cannot be looked at (reported).
bool MayWrite(Editor& ed, const std::string& path) {
  struct stat st {};
  if (const int r = ed.files.Lstat(path, st); r < 0 && r != -ENOENT) {
    ReportFileError(ed, FileResult::Fail(path, "write", -r).failure);
    return false;
  } else if (r == 0 && S_ISDIR(st.st_mode)) {
    // Asked to replace it, the user would only hear afterwards that it cannot be.
    ReportFileError(ed, FileResult::Fail(path, "write", EISDIR).failure);
    return false;
  } else if (r == 0) {
    return AskExclamation(ed, "Replace File?", path + " already exists. Replace it?",
                          MsgButtons::YesNo) == MsgAnswer::Yes;
  }
  return true;
}

bool Read(Editor& ed, const std::string& path, std::string& bytes) {
  const FileResult r = ed.files.ReadAll(path, bytes);
  if (!r) ReportFileError(ed, r.failure);
  return bool(r);
}

bool Write(Editor& ed, const std::string& path, const std::string& bytes) {
  const FileResult r = ed.files.ReplaceWhole(path, bytes);
  if (!r) ReportFileError(ed, r.failure);
  return bool(r);
}

// A list a box can hold: the tool named lists every one.
std::string Listed(const std::vector<std::string>& lines, const std::string& tool) {
  constexpr std::size_t kShown = 10;
  std::string text;
  for (std::size_t i = 0; i < std::min(kShown, lines.size()); ++i) text += lines[i] + "\n";
  if (lines.size() > kShown)
    text +=
        "... and " + std::to_string(lines.size() - kShown) + " more, which " + tool + " lists.\n";
  return text;
}

}  // namespace

void ExportForTranslation(Editor& ed) {
  if (!ed.state.fileLoaded || !WriteShownLine(ed)) return;
  std::string name = ed.platform.InputBox(
      "Enter the name for the PO file (.po, or .pot for a template): ", "Export for Translation");
  if (name.empty()) return;
  if (!EndsWith(name, ".po") && !EndsWith(name, ".pot")) name += ".po";
  const std::string path = BesideDialogue(ed, name);
  if (IsBeingRead(ed, path, ed.state.dialoguePath)) {
    ShowExclamation(ed, "Export for Translation", path + " is the dialogue file itself.");
    return;
  }
  std::string copy;
  if (!MayWrite(ed, path) || !Read(ed, ed.state.WorkingCopyPath(), copy)) return;
  const translate::ExportResult r =
      translate::ExportPo(copy, {.sourceName = NameOf(ed.state.dialoguePath),
                                 .templateFile = EndsWith(name, ".pot"),
                                 .language = "",
                                 .date = translate::PoDateNow(),
                                 .translatedName = ""});
  if (!r.ok) {
    ShowCritical(ed, "Export for Translation", r.problem);
    return;
  }
  if (!Write(ed, path, r.po)) return;
  ShowOk(ed, "Export for Translation",
         Listed(r.notes, "dlg2po") + std::to_string(r.wordings) + " wordings written to " + path +
             ".");
}

void ImportTranslation(Editor& ed) {
  if (!ed.state.fileLoaded || !WriteShownLine(ed)) return;
  const std::string poName =
      ed.platform.InputBox("Enter the name of the translated PO file: ", "Import Translation");
  if (poName.empty()) return;
  std::string outName =
      ed.platform.InputBox("Enter the name for the translated .DLG file: ", "Import Translation");
  if (outName.empty()) return;
  if (!EndsInDlg(outName)) outName += ".dlg";
  const std::string poPath = BesideDialogue(ed, poName);
  const std::string outPath = BesideDialogue(ed, outName);
  if (IsBeingRead(ed, outPath, poPath)) {
    ShowExclamation(ed, "Import Translation",
                    outPath + " is a file being read. Please choose another name.");
    return;
  }
  std::string po, copy;
  if (!Read(ed, poPath, po) || !Read(ed, ed.state.WorkingCopyPath(), copy)) return;
  const translate::ImportResult r = translate::ImportPo(
      copy, po, {.sourceName = NameOf(ed.state.dialoguePath), .poName = NameOf(poPath)});
  if (!r.ok) {
    ShowCritical(ed, "Translation Refused",
                 Listed(r.problems, "po2dlg") + outPath + " was not written.");
    return;
  }
  if (!MayWrite(ed, outPath) || !Write(ed, outPath, r.dialogue)) return;
  if (Confirmed(ed, "Translation Imported",
                translate::Summary(r) + ". Load " + outPath + " now?")) {
    // That Yes was the question of leaving the file loaded: "Unload?" is not asked again.
    UnloadForAnotherFile(ed);
    if (!ed.state.fileLoaded) OpenNamedFile(ed, outPath);
  }
}

}  // namespace dlg
