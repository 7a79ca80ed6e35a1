#pragma once
// "Add Line" and "Save New Line": a new record under a number not yet listed.

#include "commands/editor.h"

namespace dlg {

void cmdaddline_Click(Editor& ed);  // "Add Line"
void ReportLineExists(Editor& ed);
void PrepareNewLine(Editor& ed);
void cmdsaveline_Click(Editor& ed);  // "Save New Line"

}  // namespace dlg
