#include "ui/map_view.h"

#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPathStroker>
#include <QStyleOptionGraphicsItem>
#include <QWheelEvent>
#include <cmath>
#include <map>
#include <optional>

namespace dlg::ui {

namespace {

// The line an item picks, in the item's data.
constexpr int kLineKey = 0;

QColor ColourOf(const std::string& hex, Qt::GlobalColor otherwise) {
  const QColor c(QString::fromStdString(hex));
  return c.isValid() ? c : QColor(otherwise);
}

QFont FontOf(double size) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size > 0 ? size : 10))));
  return font;
}

// Lines of a label, centred on `centre`.
void DrawLabel(QPainter* p, const std::vector<std::string>& lines, QPointF centre,
               const QFont& font) {
  p->setFont(font);
  const QFontMetricsF metrics(font);
  const double height = metrics.height();
  double y = centre.y() - height * static_cast<double>(lines.size()) / 2;
  for (const std::string& line : lines) {
    const QString text = QString::fromStdString(line);
    p->drawText(QRectF(centre.x() - 2000, y, 4000, height), Qt::AlignHCenter | Qt::AlignTop, text);
    y += height;
  }
}

// Text drawn smaller than this many pixels is a grey smear that nobody reads, and on a large
// map zoomed out to fit, thousands of those took most of the time of a repaint.
constexpr double kSmallestReadPixels = 3;
bool Readable(QPainter* p, const QFont& font) {
  return font.pixelSize() *
             QStyleOptionGraphicsItem::levelOfDetailFromTransform(p->worldTransform()) >=
         kSmallestReadPixels;
}

QRectF LabelBox(const std::vector<std::string>& lines, QPointF centre, const QFont& font) {
  // A map has a few sizes of type and thousands of labels: one metrics object a size.
  static std::map<int, QFontMetricsF> cache;
  const QFontMetricsF& metrics = cache.try_emplace(font.pixelSize(), font).first->second;
  double width = 0;
  for (const std::string& line : lines)
    width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(line)));
  const double height = metrics.height() * static_cast<double>(lines.size());
  return {centre.x() - width / 2, centre.y() - height / 2, width, height};
}

class NodeItem : public QGraphicsItem {
 public:
  explicit NodeItem(map::MapNode node) : node_(std::move(node)), font_(FontOf(node_.fontSize)) {
    rect_ = QRectF(node_.centre.x - node_.width / 2, node_.centre.y - node_.height / 2, node_.width,
                   node_.height);
    setFlag(ItemIsSelectable);
    setToolTip(QString::fromStdString(node_.label.empty() ? "" : node_.label.front()));
  }
  void setMarked(bool marked) {
    marked_ = marked;
    update();
  }
  QRectF boundingRect() const override { return rect_.adjusted(-4, -4, 4, 4); }
  void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
    QPen pen(ColourOf(node_.lineColour, Qt::black), marked_ ? 3 : 1);
    if (marked_) pen.setColor(QColor(0x1f, 0x5f, 0xbf));
    if (node_.dashed) pen.setStyle(Qt::DashLine);
    p->setPen(pen);
    p->setBrush(node_.shape == "plaintext" ? QBrush(Qt::NoBrush)
                                           : QBrush(ColourOf(node_.fillColour, Qt::white)));
    if (node_.shape == "box") {
      p->drawRoundedRect(rect_, 4, 4);
    } else if (node_.shape == "ellipse") {
      p->drawEllipse(rect_);
    } else if (node_.shape == "doublecircle") {
      p->drawEllipse(rect_);
      p->drawEllipse(rect_.adjusted(4, 4, -4, -4));
    }
    if (isSelected() && !marked_) {
      p->setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 1, Qt::DotLine));
      p->setBrush(Qt::NoBrush);
      p->drawRect(rect_.adjusted(-2, -2, 2, 2));
    }
    p->setPen(ColourOf(node_.fontColour, Qt::black));
    if (Readable(p, font_)) DrawLabel(p, node_.label, rect_.center(), font_);
  }

 private:
  map::MapNode node_;
  QFont font_;
  QRectF rect_;
  bool marked_ = false;
};

class EdgeItem : public QGraphicsItem {
 public:
  explicit EdgeItem(map::MapEdge edge) : edge_(std::move(edge)), font_(FontOf(edge_.fontSize)) {
    const auto& pts = edge_.points;
    if (!pts.empty()) {
      path_.moveTo(pts[0].x, pts[0].y);
      for (std::size_t i = 1; i + 2 < pts.size(); i += 3)
        path_.cubicTo(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, pts[i + 2].x, pts[i + 2].y);
      // The arrowhead: from the end of the curve to its tip, as wide as Graphviz draws it.
      const QPointF base(pts.back().x, pts.back().y);
      const QPointF tip(edge_.arrowTip.x, edge_.arrowTip.y);
      const QPointF along = tip - base;
      const double length = std::hypot(along.x(), along.y());
      if (length > 0) {
        const QPointF side(-along.y() / length * 3.5, along.x() / length * 3.5);
        arrow_ << tip << base + side << base - side;
      }
    }
    // The wording is measured when first drawn or clicked: thousands of arrows are laid out at
    // once, most of them too small to read. Until then no glyph is wider than the type is high.
    const QPointF centre(edge_.labelCentre.x, edge_.labelCentre.y);
    std::size_t longest = 0;
    for (const std::string& line : edge_.label) longest = std::max(longest, line.size());
    const double size = font_.pixelSize();
    const QSizeF most(static_cast<double>(longest) * size,
                      2 * size * static_cast<double>(edge_.label.size()));
    bounds_ = path_.controlPointRect()
                  .united(arrow_.boundingRect())
                  .united(QRectF(centre - QPointF(most.width() / 2, most.height() / 2), most));
    bounds_.adjust(-6, -6, 6, 6);
    setFlag(ItemIsSelectable);
  }
  QRectF boundingRect() const override { return bounds_; }
  const QRectF& Label() const {
    if (!label_) label_ = LabelBox(edge_.label, {edge_.labelCentre.x, edge_.labelCentre.y}, font_);
    return *label_;
  }
  // Made when first asked, by a click near the arrow: thousands of arrows are laid out at once.
  QPainterPath shape() const override {
    if (shape_.isEmpty()) {
      QPainterPathStroker stroker;
      stroker.setWidth(8);
      shape_ = stroker.createStroke(path_);
      shape_.addPolygon(arrow_);
      shape_.addRect(Label());
    }
    return shape_;
  }
  void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
    const QColor colour = ColourOf(edge_.colour, Qt::black);
    p->setPen(QPen(colour, isSelected() ? 2.5 : 1));
    p->setBrush(Qt::NoBrush);
    p->drawPath(path_);
    p->setBrush(colour);
    p->drawPolygon(arrow_);
    p->setPen(ColourOf(edge_.fontColour, Qt::black));
    if (Readable(p, font_)) DrawLabel(p, edge_.label, Label().center(), font_);
  }

 private:
  map::MapEdge edge_;
  QFont font_;
  QPainterPath path_;
  mutable QPainterPath shape_;
  QPolygonF arrow_;
  QRectF bounds_;
  mutable std::optional<QRectF> label_;
};

}  // namespace

MapView::MapView(QWidget* parent) : QGraphicsView(parent) {
  // A map is put up whole and taken down whole after every edit, and the view asks only for the
  // items in its window or under a click: a search tree over thousands of items costs more to
  // keep than a look at each.
  scene_.setItemIndexMethod(QGraphicsScene::NoIndex);
  setScene(&scene_);
  setRenderHint(QPainter::Antialiasing);
  setDragMode(QGraphicsView::ScrollHandDrag);
  setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  setBackgroundBrush(Qt::white);
  retiring_.setInterval(0);
  connect(&retiring_, &QTimer::timeout, this, &MapView::DeleteRetired);
}

void MapView::Clear() {
  marked_ = nullptr;
  lines_.clear();
  // Taken out of the scene now, deleted a few hundred at a time afterwards: deleting the
  // thousands of items of a large map at once held the window up for some 40 ms.
  const QList<QGraphicsItem*> items = scene_.items();
  for (QGraphicsItem* item : items) scene_.removeItem(item);
  retired_.insert(retired_.end(), items.begin(), items.end());
  if (!retired_.empty() && !retiring_.isActive()) retiring_.start();
  scene_.setSceneRect(QRectF());
}

void MapView::DeleteRetired() {
  for (int n = 0; n < 500 && !retired_.empty(); ++n) {
    delete retired_.back();
    retired_.pop_back();
  }
  if (retired_.empty()) retiring_.stop();
}

MapView::~MapView() {
  for (QGraphicsItem* item : retired_) delete item;
}

void MapView::ShowLayout(const map::MapLayout& layout) {
  Clear();
  // Arrows beneath the boxes they meet.
  for (const map::MapEdge& e : layout.edges) {
    auto* item = new EdgeItem(e);
    item->setData(kLineKey, QByteArray::fromStdString(e.replyLine));
    item->setZValue(0);
    scene_.addItem(item);
  }
  for (const map::MapNode& n : layout.nodes) {
    auto* item = new NodeItem(n);
    // END and the replies before the first line stand for no line to go to.
    if (!n.lineNumber.empty()) item->setData(kLineKey, QByteArray::fromStdString(n.lineNumber));
    item->setZValue(1);
    scene_.addItem(item);
    if (n.kind == map::NodeKind::Line) lines_.emplace(n.lineNumber, item);
  }
  scene_.setSceneRect(QRectF(0, 0, layout.width, layout.height).adjusted(-10, -10, 10, 10));
  if (fitted_) FitNow();
}

void MapView::MarkLine(const std::string& number) {
  const auto found = lines_.find(number);
  QGraphicsItem* item = found == lines_.end() ? nullptr : found->second;
  if (item == marked_) return;  // the view stays where the user scrolled it
  if (marked_) static_cast<NodeItem*>(marked_)->setMarked(false);
  marked_ = item;
  if (!marked_) return;
  static_cast<NodeItem*>(marked_)->setMarked(true);
  scene_.clearSelection();
  marked_->setSelected(true);
  ensureVisible(marked_, 40, 40);
}

void MapView::SetStale(bool stale) {
  setForegroundBrush(stale ? QBrush(QColor(255, 255, 255, 150)) : QBrush(Qt::NoBrush));
}

void MapView::ZoomBy(double factor) {
  const double now = transform().m11();
  // Between a map too small to tell lines apart and one too large to find one's way in.
  const double next = std::clamp(now * factor, 0.02, 8.0);
  scale(next / now, next / now);
  fitted_ = false;
}

void MapView::Fit() {
  fitted_ = true;
  FitNow();
}

void MapView::FitNow() {
  const QRectF all = scene_.sceneRect();
  if (all.isEmpty()) return;
  fitInView(all, Qt::KeepAspectRatio);
  // A map of a few lines is not blown up to fill the view.
  if (transform().m11() > 1.0) {
    resetTransform();
    centerOn(all.center());
  }
}

void MapView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  if (fitted_) FitNow();
}

void MapView::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    ZoomBy(std::pow(1.0015, event->angleDelta().y()));
    event->accept();
    return;
  }
  QGraphicsView::wheelEvent(event);
}

void MapView::Pick(QGraphicsItem* item) {
  if (item == nullptr) return;
  const QByteArray number = item->data(kLineKey).toByteArray();
  if (item->data(kLineKey).isValid()) emit linePicked(number);
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
  Pick(itemAt(event->position().toPoint()));
  event->accept();
}

void MapView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    const QList<QGraphicsItem*> selected = scene_.selectedItems();
    if (!selected.isEmpty()) Pick(selected.front());
    event->accept();
    return;
  }
  QGraphicsView::keyPressEvent(event);
}

}  // namespace dlg::ui
