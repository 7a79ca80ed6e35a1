#pragma once
// The editor: its state, its two windows as data, and every handler of their events. Each
// handler runs to its end before the next event, as the Qt layer delivers them.

#include <optional>
#include <string>

#include "commands/editor_state.h"
#include "commands/editor_window.h"
#include "commands/platform.h"
#include "commands/read_cache.h"
#include "commands/work_safety.h"
#include "dialogue/char_source.h"
#include "dialogue/files.h"
#include "dialogue/rewrite.h"
#include "flageditor/flag_editor.h"

namespace dlg {

// Every command reads its file whole, and the rewrite runs at every loss of focus of a field
// box. These buffers live on between commands, so a large working copy is not paid for again in
// fresh memory each time.
struct CommandBuffers {
  std::string read;      // cleared, never shrunk
  ReadCache cache;       // what `read` holds; forgotten by every other filling of it
  RewriteSplice splice;  // points into `read`
};

struct Editor {
  explicit Editor(Platform& p, FileOps& ops = PosixFileOps()) : platform(p), files(ops) {}
  Platform& platform;
  Files files;
  EditorState state;
  EditorWindow window;
  std::optional<FlagEditorWindow> flagEditor;
  CommandBuffers buffers;
  WorkSafety safety;

  FlagFields Flags() {
    return {window.txtFlags1.text, window.Command10.enabled, window.txtflags2.text,
            window.cmdadd.enabled};
  }
};

// --- Message boxes (boxes.cpp).
void ShowOk(Editor& ed, const std::string& title, const std::string& text);  // no icon
void ShowCritical(Editor& ed, const std::string& title, const std::string& text);
bool Confirmed(Editor& ed, const std::string& title, const std::string& text);  // Yes/No
// The boxes that guard the user's work: exclamation icon, OK or the buttons given.
void ShowExclamation(Editor& ed, const std::string& title, const std::string& text);
MsgAnswer AskExclamation(Editor& ed, const std::string& title, const std::string& text,
                         MsgButtons buttons);
void ShowSelectFile(Editor& ed);  // no file picked in the file list
// A failed file operation: critical icon, file, operation and reason.
void ReportFileError(Editor& ed, const FileError& error);

// --- Line view (line_view.cpp).
// Reads fields 2 to 7 of the record at hand into the six boxes; `currentChar` holds the "}"
// after the line number on entry and the CR after the record on return.
void ShowLine(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w);
// Lists the responses that follow an NPC line, up to the next NPC line or the end of the file.
void GatherResponses(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w);
void lstresponses_Click(Editor& ed);
void lstnpc_Click(Editor& ed);

// --- Opening (browse.cpp, open_file.cpp).
void Form_Load(Editor& ed);  // start-up: no file, lists on the current folder
// The user picked a drive or a folder. The lists move there, or stay where they were (with a
// message) when it cannot be read.
void Drive1_Change(Editor& ed, const std::string& drive);
void Dir1_Change(Editor& ed, const std::string& path);
void Command2_Click(Editor& ed);  // "Load File"
// The controls of the file-loaded state (Load File, "Go to 1") or of the no-file state (Unload).
void SetFileLoadedControls(EditorWindow& w, bool loaded);
void File1_DblClick(Editor& ed);
void Command7_Click(Editor& ed);  // "Go to 1"
// The first-record read and the used-number scan, over an open file.
void FirstRecordRead(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w);
void UsedNumberScan(CharSource& src, EditorState& st, EditorWindow& w);

// --- Lookups (lookup.cpp).
enum class MessageSet { Standard, Respond, EditResponse };
struct LookupOptions {
  bool leaveNewLineMode = false;
  bool showGoToFirst = false;  // "Jump" also makes "Go to 1" visible
  MessageSet messages = MessageSet::Standard;
};
// Reads the working copy whole into `ed.buffers.read`; a copy that cannot be read is reported.
// With `mayReuse`, bytes still in the buffer from the last read of the unchanged file serve.
bool ReadWorkingCopy(Editor& ed, bool mayReuse);
void ClearLineView(Editor& ed);
void LeaveNewLineMode(Editor& ed);
// `target` is a copy of its own: callers hand in the text of boxes that the lookup clears.
void GoToLine(Editor& ed, std::string target, const LookupOptions& options);
void Command5_Click(Editor& ed);  // "Go to:"
void lstusednum_DblClick(Editor& ed);
void Command1_Click(Editor& ed);         // "Respond"
void lstresponses_DblClick(Editor& ed);  // runs Command1_Click
void Command3_Click(Editor& ed);         // "Jump"

// --- Editing (rewrite_working_copy.cpp, edit_response.cpp).
void RewriteWorkingCopy(Editor& ed);
void cdmsave_Click(Editor& ed);       // the whole of it is RewriteWorkingCopy
void FieldBox_LostFocus(Editor& ed);  // any of the six field boxes
void Command4_Click(Editor& ed);      // "Edit Response"

// --- Adding lines (add_line.cpp).
void cmdaddline_Click(Editor& ed);  // "Add Line"
void ReportLineExists(Editor& ed);
void PrepareNewLine(Editor& ed);
void cmdsaveline_Click(Editor& ed);  // "Save New Line"

// --- Saving and closing (save_close.cpp).
// The working copy holds bytes other than those of the dialogue file as last loaded or saved.
bool HasUnsavedChanges(const Editor& ed);
// The caption ends in " *" exactly while there are unsaved changes.
void ShowUnsavedMark(Editor& ed);
void Commandsave_Click(Editor& ed);  // "Save"
void Command9_Click(Editor& ed);     // "Save As"
void Command8_Click(Editor& ed);     // "Unload File"
void Command6_Click(Editor& ed);     // "Quit"
// The editor window is being closed; returns false when the close is refused (No to Quit).
bool Form_Unload(Editor& ed);

// --- The title banner and the Flag Editor (window_commands.cpp).
void Picture1_Click(Editor& ed);   // the About box
void Command10_Click(Editor& ed);  // "Add Flags" for txtFlags1
void cmdadd_Click(Editor& ed);     // "Add Flags" for txtflags2

}  // namespace dlg
