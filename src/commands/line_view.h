#pragma once
// The line view: the current record in the six field boxes and, for an NPC line, the responses
// that follow it.

#include "commands/editor.h"
#include "dialogue/char_source.h"

namespace dlg {

// Reads fields 2 to 7 of the record at hand into the six boxes; `currentChar` holds the "}"
// after the line number on entry and the CR after the record on return.
void ShowLine(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w);
// Lists the responses that follow an NPC line, up to the next NPC line or the end of the file.
void GatherResponses(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w);
void PickReply(Editor& ed);
void PickLineKind(Editor& ed);

}  // namespace dlg
