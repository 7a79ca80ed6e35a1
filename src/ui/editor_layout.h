#pragma once
// The controls of the editor window and of the Flag Editor window, as tables for BuildControls.

#include <span>

#include "ui/form_builder.h"

namespace dlg::ui {

inline constexpr int kEditorClientWidth = 13680;  // twips
inline constexpr int kEditorClientHeight = 11040;
inline constexpr int kFlagEditorClientWidth = 9030;
inline constexpr int kFlagEditorClientHeight = 2700;

std::span<const Control> EditorControls();
std::span<const Control> FlagEditorControls();

}  // namespace dlg::ui
