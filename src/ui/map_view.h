#pragma once
// The conversation map as Graphviz laid it out, drawn by Qt so that it can be clicked, zoomed and
// scrolled. A double-click or Enter on a line's box, or on a reply's arrow, picks that line.

#include <QByteArray>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QTimer>
#include <map>
#include <string>
#include <vector>

#include "map/map_layout.h"

namespace dlg::ui {

class MapView : public QGraphicsView {
  Q_OBJECT
 public:
  explicit MapView(QWidget* parent = nullptr);
  ~MapView() override;
  void ShowLayout(const map::MapLayout& layout);
  void Clear();
  // The box of this NPC line stands out and is brought into view; "" marks none.
  void MarkLine(const std::string& number);
  // Until the next layout, the picture is greyed: it shows an earlier state of the file.
  void SetStale(bool stale);
  void ZoomBy(double factor);
  // The whole map in view, never larger than life; so it stays, through new layouts and a
  // resized view, until the user zooms.
  void Fit();
  // The line an item stands for, for tests and the accessibility of the view.
  int ItemCount() const { return static_cast<int>(scene_.items().size()); }

 signals:
  void linePicked(const QByteArray& number);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Pick(QGraphicsItem* item);
  void FitNow();
  void DeleteRetired();

  QGraphicsScene scene_;
  std::map<std::string, QGraphicsItem*> lines_;  // the box of each NPC line
  QGraphicsItem* marked_ = nullptr;
  bool fitted_ = true;
  std::vector<QGraphicsItem*> retired_;  // out of the scene, still to be deleted
  QTimer retiring_;
};

}  // namespace dlg::ui
