// The window icon at the sizes of the desktop's icon theme: the same picture as the window's own
// 64-pixel icon, drawn afresh at each size, in 256 colours.

#include <QSet>
#include <QtTest>

#include "ui/look.h"

using namespace dlg::ui;

namespace {

// Both pictures brought down to 16 x 16, where a picture drawn at another size agrees with the
// 64-pixel one to within its edges, and one drawn wrongly (on the 64-pixel grid in a larger
// canvas, or cropped) is far off. Mean difference per channel, 0-255, transparency included.
double MeanDifferenceAt16(const QImage& a, const QImage& b) {
  auto thumb = [](const QImage& i) {
    return i.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
  };
  const QImage x = thumb(a), y = thumb(b);
  double sum = 0;
  for (int row = 0; row < 16; ++row) {
    for (int col = 0; col < 16; ++col) {
      const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
    }
  }
  return sum / (4.0 * 16 * 16);
}

}  // namespace

class WindowIconTest : public QObject {
  Q_OBJECT

 private slots:
  void themeSizesShowTheWindowsPicture() {
    for (int size : {16, 22, 32, 48, 128, 256}) {
      const QImage themed = DrawWindowIcon(size);
      QCOMPARE(themed.size(), QSize(size, size));
      const double difference = MeanDifferenceAt16(themed, DrawWindowIcon());
      QVERIFY2(difference < 12,
               qPrintable(QStringLiteral("%1: differs by %2").arg(size).arg(difference)));
      QSet<QRgb> colours;
      for (int row = 0; row < size; ++row)
        for (int col = 0; col < size; ++col) colours.insert(themed.pixel(col, row));
      QVERIFY2(colours.size() <= 256,
               qPrintable(QStringLiteral("%1: %2 colours").arg(size).arg(colours.size())));
    }
  }
};

QTEST_MAIN(WindowIconTest)
#include "window_icon_test.moc"
