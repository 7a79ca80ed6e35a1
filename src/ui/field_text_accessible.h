#pragma once
// What a screen reader reads of a multi-line field box: the field's characters at the field's
// offsets, without the paragraph ends the box holds a long text in.

namespace dlg::ui {

// Safe to call more than once; the first field box calls it.
void InstallFieldTextAccessible();

}  // namespace dlg::ui
