#pragma once
// The editor: its state, its two windows as data, and what lives between its handlers. The
// handlers are declared by feature (open_file.h, lookup.h, save_close.h, ...); each runs to its
// end before the next event, as the Qt layer delivers them.

#include <optional>
#include <string>

#include "commands/editor_state.h"
#include "commands/editor_window.h"
#include "commands/platform.h"
#include "commands/read_cache.h"
#include "commands/undo_history.h"
#include "commands/visited_lines.h"
#include "commands/work_safety.h"
#include "dialogue/rewrite.h"
#include "fileio/files.h"
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
  std::string flagsOpenedOn;  // the number of the line the Flag Editor was last opened on
  CommandBuffers buffers;
  WorkSafety safety;
  UndoHistory undo;      // the writes of the working copy, for Undo and Redo
  VisitedLines visited;  // the lines gone to, for Back and Forward

  // Both histories belong to the file loaded: they end when it is unloaded or another loaded.
  void ForgetFileHistory() {
    undo = {};
    visited.Clear();
  }

  FlagFields Flags() {
    return {window.conditionFlags.text, window.addConditionFlags.enabled,
            window.executionFlags.text, window.addExecutionFlags.enabled};
  }
};

}  // namespace dlg
