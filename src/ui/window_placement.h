#pragma once
// Where a window opens beside another one rather than over it.

#include <QMargins>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace dlg::ui {

// The client area of a window of client size `size` beside the frame `beside`, on a screen whose
// free area is `available`, where `frame` is what a window's frame adds around its client area.
// Right of it where the window fits there, else left of it; else narrowed to the wider of the
// two rooms, down to `leastWidth`; nothing where neither side has that much. Its top is level
// with `beside`'s, moved up as far as the screen needs, and it is never taller than the screen.
std::optional<QRect> PlaceBeside(const QRect& beside, QSize size, const QMargins& frame,
                                 const QRect& available, int leastWidth);

// Moves `window`, not yet shown, beside `other` on `other`'s screen, its frame taken to be as
// wide as `other`'s; false where the screen has no room for it there.
bool OpenBeside(QWidget& window, const QWidget& other, int leastWidth);

}  // namespace dlg::ui
