#pragma once
// "Edit Response": the selected response's own record becomes the current line.

#include "commands/editor.h"

namespace dlg {

void EditResponse(Editor& ed);  // "Edit Response"

}  // namespace dlg
