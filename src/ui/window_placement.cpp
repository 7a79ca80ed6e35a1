#include "ui/window_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace dlg::ui {

std::optional<QRect> PlaceBeside(const QRect& beside, QSize size, const QMargins& frame,
                                 const QRect& available, int leastWidth) {
  const int frameWidth = frame.left() + frame.right();
  const int frameHeight = frame.top() + frame.bottom();
  // The client widths that fit between `beside` and the screen's edges.
  const int rightRoom = available.right() - beside.right() - frameWidth;
  const int leftRoom = beside.left() - available.left() - frameWidth;
  int width = size.width();
  bool right = true;
  if (rightRoom < width) {
    if (leftRoom >= width) {
      right = false;
    } else {
      right = rightRoom >= leftRoom;
      width = std::max(rightRoom, leftRoom);
      if (width < leastWidth) return std::nullopt;
    }
  }
  const int height = std::min(size.height(), available.height() - frameHeight);
  const int left = right ? beside.right() + 1 : beside.left() - width - frameWidth;
  const int top = std::max(available.top(),
                           std::min(beside.top(), available.bottom() + 1 - height - frameHeight));
  return QRect(left + frame.left(), top + frame.top(), width, height);
}

bool OpenBeside(QWidget& window, const QWidget& other, int leastWidth) {
  const QRect outer = other.frameGeometry(), inner = other.geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
  const std::optional<QRect> place =
      PlaceBeside(outer, window.size(), frame, other.screen()->availableGeometry(), leastWidth);
  if (!place) return false;
  window.setGeometry(*place);
  return true;
}

}  // namespace dlg::ui
