#pragma once
// What lives between the handlers of the editor window. The transient reading state of one
// command (currentChar, the number looked up, the field being read) lives in the operation that
// reads.

#include <cstdint>
#include <string>
#include <string_view>

#include "dialogue/record.h"

namespace dlg {

// The working copy and the scratch copy of a dialogue file stand beside it under its name and
// these ends, of one length.
inline constexpr std::string_view kWorkingCopyEnd = ".bak", kScratchCopyEnd = ".bok";
inline std::string WorkingCopyOf(const std::string& dialogue) {
  return dialogue + std::string(kWorkingCopyEnd);
}
inline std::string ScratchCopyOf(const std::string& dialogue) {
  return dialogue + std::string(kScratchCopyEnd);
}

struct EditorState {
  std::string dialoguePath;  // full path of the loaded dialogue file
  bool fileLoaded = false;
  std::string lastLineNumber;      // number of the last record listed by the used-number scan
  bool endOfResponses = false;     // GatherResponses has met the next NPC line
  bool newLineMode = false;        // from "Add Line" until "Save New Line"
  bool insertPending = false;      // the next rewrite runs in insert mode
  std::string insertAfter;         // number of the record after which the new record goes
  bool insertBeforeFirst = false;  // the new record goes before the first record
  std::string lineBeforeNewLine;   // shown when "Add Line" was clicked; Undo goes back to it
  DialogueRecord shownLine;        // the field boxes as last read or written; edits differ from it
  // The line shown was read on past its end in the file (a line ended by LF or CR alone, fields
  // missing, text after the seventh "}"): its boxes hold parts of the lines after it.
  bool shownLineRunsOn = false;
  // Counts every write of the working copy that the editor makes or takes as its own, so that a
  // view of the copy beside the editor knows when to read it again.
  std::uint64_t copyWrites = 0;
  // Counts the files Save As writes beside the loaded one, so that a view of the folder checks
  // it again.
  std::uint64_t otherFileWrites = 0;

  std::string WorkingCopyPath() const { return WorkingCopyOf(dialoguePath); }
  std::string ScratchCopyPath() const { return ScratchCopyOf(dialoguePath); }
};

}  // namespace dlg
