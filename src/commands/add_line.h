#pragma once
// "Add Line" and "Save New Line": a new record under a number not yet listed.

#include "commands/editor.h"

namespace dlg {

void AddLine(Editor& ed);  // "Add Line"
void ReportLineExists(Editor& ed);
void PrepareNewLine(Editor& ed);
void SaveNewLine(Editor& ed);  // "Save New Line"

}  // namespace dlg
