#pragma once
// File > Translation: the loaded file's wordings out to a PO file for translators, as dlg2po
// writes them, and a translated PO file back into a new dialogue file, as po2dlg writes it.
// Both read the working copy, with the line shown written first.

#include "commands/editor.h"

namespace dlg {

// Asks for the PO file's name beside the dialogue (a template when it ends in .pot).
void ExportForTranslation(Editor& ed);
// Asks for the translated PO file and the new dialogue's name, writes it, offers to load it.
void ImportTranslation(Editor& ed);

}  // namespace dlg
