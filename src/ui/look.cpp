#include "ui/look.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>

namespace dlg::ui {

namespace {

// Draws `text` as an outline scaled into `box`, so the lettering fits whatever the font's
// metrics are on this machine.
QPainterPath FittedText(const QString& text, const QFont& font, const QRectF& box) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF r = path.boundingRect();
  QTransform t;
  t.translate(box.left(), box.top());
  t.scale(box.width() / r.width(), box.height() / r.height());
  t.translate(-r.left(), -r.top());
  return t.map(path);
}

QFont Font(const char* family, int pixels, int weight, bool italic = false) {
  QFont f(QString::fromLatin1(family));
  f.setPixelSize(pixels);
  f.setWeight(static_cast<QFont::Weight>(weight));
  f.setItalic(italic);
  return f;
}

void Diamond(QPainter& p, QPointF c, qreal r) {
  const QPointF pts[] = {
      {c.x(), c.y() - r}, {c.x() + r, c.y()}, {c.x(), c.y() + r}, {c.x() - r, c.y()}};
  p.drawPolygon(pts, 4);
}

// A hurried signature: two looped letters and a swash under them.
QPainterPath Signature() {
  QPainterPath s;
  s.moveTo(118, 75);
  s.cubicTo(121, 64, 126, 63, 124, 70);
  s.cubicTo(123, 75, 117, 76, 120, 71);
  s.cubicTo(123, 67, 127, 69, 128, 73);
  s.cubicTo(130, 67, 133, 65, 134, 69);
  s.cubicTo(135, 74, 131, 77, 132, 72);
  s.cubicTo(134, 66, 139, 66, 139, 71);
  s.cubicTo(140, 75, 143, 74, 145, 69);
  s.cubicTo(146, 66, 148, 66, 148, 70);
  s.cubicTo(148, 74, 151, 74, 153, 70);
  s.moveTo(115, 77);
  s.cubicTo(130, 74, 145, 79, 160, 73);
  return s;
}

}  // namespace

QImage DrawTitleBanner() {
  QImage img(167, 80, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);

  // Rules with diamonds above and below the name.
  p.drawRect(QRectF(10, 5, 147, 1));
  Diamond(p, {83.5, 5.5}, 3);
  Diamond(p, {8, 5.5}, 2);
  Diamond(p, {159, 5.5}, 2);

  // The name: broad serif capitals with a white band run through them.
  const QPainterPath name = FittedText(
      QStringLiteral("ASHGLOAM"), Font("DejaVu Serif", 40, QFont::Black), QRectF(6, 11, 155, 28));
  p.drawPath(name);
  p.save();
  p.setClipPath(name);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(0, 24.2, 167, 1.4));
  p.drawRect(QRectF(0, 27.4, 167, 0.7));
  p.restore();

  const QPainterPath sub = FittedText(QStringLiteral("D I A L O G U E   E D I T O R"),
                                      Font("DejaVu Sans", 20, QFont::Bold), QRectF(16, 45, 135, 8));
  p.drawPath(sub);
  p.drawRect(QRectF(16, 57, 135, 0.8));
  Diamond(p, {83.5, 57.4}, 2);

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::black, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(Signature());
  return img;
}

QImage DrawWindowIcon(int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 64-unit grid; other sizes scale the same strokes instead of the pixels.
  p.scale(size / 64.0, size / 64.0);

  // The stone: grey-blue with a speckle that is the same at every start.
  const QRectF tile(1, 1, 62, 62);
  QPainterPath stone;
  stone.addRoundedRect(tile, 7, 7);
  p.fillPath(stone, QColor(104, 122, 140));
  p.save();
  p.setClipPath(stone);
  unsigned seed = 20240611u;
  for (int i = 0; i < 360; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int x = static_cast<int>((seed >> 8) % 64);
    const int y = static_cast<int>((seed >> 16) % 64);
    const int shade = static_cast<int>((seed >> 4) % 25) - 12;
    p.fillRect(QRectF(x, y, 1 + (seed & 1), 1 + ((seed >> 1) & 1)),
               QColor(104 + shade, 122 + shade, 140 + shade));
  }
  p.setPen(QPen(QColor(62, 74, 88), 0.8));
  p.drawPolyline(QPolygonF({{6, 40}, {11, 43}, {13, 50}, {19, 53}}));
  p.drawPolyline(QPolygonF({{58, 12}, {53, 17}, {55, 22}}));
  p.restore();
  p.setPen(QPen(QColor(176, 190, 204), 1.5));
  p.drawLine(QPointF(6, 2), QPointF(58, 2));
  p.drawLine(QPointF(2, 6), QPointF(2, 58));
  p.setPen(QPen(QColor(46, 56, 68), 1.5));
  p.drawLine(QPointF(6, 62), QPointF(58, 62));
  p.drawLine(QPointF(62, 6), QPointF(62, 58));

  // The ring and the monogram in it.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(26, 30, 38), 4));
  p.drawEllipse(QPointF(32, 32), 14.5, 14.5);
  const QColor letters(240, 243, 247);
  const QColor shadow(24, 28, 36);
  auto lettered = [&](const QPainterPath& path) {
    p.fillPath(path.translated(0.8, 0.8), shadow);
    p.fillPath(path, letters);
  };
  lettered(FittedText(QStringLiteral("AG"), Font("DejaVu Serif", 30, QFont::Bold),
                      QRectF(22, 25, 20, 14)));
  lettered(FittedText(QStringLiteral("ASHGLOAM"), Font("DejaVu Sans", 20, QFont::Bold),
                      QRectF(6, 5, 52, 8)));
  lettered(FittedText(QStringLiteral("DLG Editor"), Font("DejaVu Sans", 20, QFont::Bold),
                      QRectF(7, 51, 50, 8)));
  p.end();
  // 256 colours, as an icon of that kind has: transparent, then a ramp from near black through
  // the stone's grey-blue to near white, which holds every colour drawn above.
  QList<QRgb> palette{qRgba(0, 0, 0, 0)};
  const QColor dark(16, 19, 26), stoneBlue(104, 122, 140), light(246, 248, 251);
  for (int i = 0; i < 255; ++i) {
    const double t = i / 254.0;
    const QColor& from = t < 0.45 ? dark : stoneBlue;
    const QColor& to = t < 0.45 ? stoneBlue : light;
    const double u = t < 0.45 ? t / 0.45 : (t - 0.45) / 0.55;
    palette.append(qRgb(static_cast<int>(from.red() + (to.red() - from.red()) * u),
                        static_cast<int>(from.green() + (to.green() - from.green()) * u),
                        static_cast<int>(from.blue() + (to.blue() - from.blue()) * u)));
  }
  return img.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither)
      .convertToFormat(QImage::Format_ARGB32);
}

namespace {

// Fusion makes a row of a list one pixel taller than the font, and the accent of a capital ("É",
// "À", "Ñ") is cut off at the row's top: "À bientôt" read "A bientôt". Three pixels more hold it.
class RoomForAccents : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_ItemViewItem && option != nullptr)
      s.setHeight(std::max(s.height(), option->fontMetrics.height() + 3));
    return s;
  }
};

}  // namespace

void ApplyLook(QApplication& app) {
  app.setStyle(new RoomForAccents(QStyleFactory::create(QStringLiteral("Fusion"))));
  // The places are made for a small, narrow font: captions such as "Intelligence Check:" must
  // fit the width of their label on one line.
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  font.setStretch(QFont::SemiCondensed);
  app.setFont(font);
}

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
}

void PictureBox::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter p(this);
  const QRect inside = contentsRect();
  p.setClipRect(inside);
  p.drawImage(inside.topLeft(), picture_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) { event->accept(); }

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  QFrame::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

}  // namespace dlg::ui
