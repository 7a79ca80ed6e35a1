// Where the Conversation and Play windows open, beside the editor where the screen has room, and
// how the Conversation window shares itself out: the map the largest part, fitted to its view. The
// window icon at the sizes of the desktop's icon theme: the same picture as the window's own
// 64-pixel icon, drawn afresh at each size, in 256 colours.

#include <QScreen>
#include <QSet>
#include <QtTest>
#include <cstdlib>
#include <optional>

#include "ui/control_names.h"
#include "ui/conversation_window.h"
#include "ui/look.h"
#include "ui/map_view.h"
#include "ui/play_window.h"
#include "ui/window_placement.h"
#include "ui/window_session.h"

using namespace dlg::test;

namespace {

// A screen wide enough for both windows side by side, for the offscreen platform.
struct WideScreen {
  TempDir dir;
  WideScreen() {
    const std::string config =
        dir.Put("screen.json", R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1600,)"
                               R"( "height": 1000, "logicalDpi": 96, "logicalBaseDpi": 96}]})");
    ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
  }
};
const WideScreen kWideScreen;

std::optional<QRect> Opt(const QRect& r) { return r.isNull() ? std::nullopt : std::optional(r); }

qint64 Area(QWidget* w) { return qint64{w->width()} * w->height(); }

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

class WindowPlaceTest : public QObject {
  Q_OBJECT

 private slots:
  void placeBeside() {
    // A window of 960 by 680 with a frame of 2 around and 24 above, at least 560 wide, beside an
    // editor's frame on a screen; a null place: none.
    const QRect screen(0, 0, 1600, 1000);
    const struct {
      QRect editor, screen, place;
    } rows[] = {
        {{0, 0, 914, 760}, screen, {916, 24, 682, 680}},   // narrowed to the room on the right
        {{686, 40, 914, 760}, screen, {2, 64, 682, 680}},  // left of an editor at the right
        {{0, 0, 914, 760}, {0, 0, 2600, 1000}, {916, 24, 960, 680}},  // whole where it fits
        {{343, 0, 914, 760}, screen, {}},  // no room either side: as it would open
        {{0, 600, 914, 760}, screen, {916, 318, 682, 680}},  // raised to stay on the screen
        {{0, 30, 914, 560},
         {0, 30, 1600, 570},
         {916, 54, 682, 544}},  // cut to the screen, below its panel
    };
    for (const auto& r : rows)
      QCOMPARE(PlaceBeside(r.editor, QSize(960, 680), QMargins(2, 24, 2, 2), r.screen, 560),
               Opt(r.place));
  }

  void theyOpenBesideTheEditorWithTheMapLargestAndWhole() {
    WindowSession<> s;
    s.form.move(0, 0);
    s.Load();
    s.form.ShowConversation(false);
    Beside<ConversationWindow> c{s.form.conversationWindow()};
    QVERIFY(c.Settle());
    const QRect editor = s.form.frameGeometry(), beside = c.window->frameGeometry();
    QCOMPARE(beside.topLeft(), QPoint(editor.right() + 1, editor.top()));
    QVERIFY(c.window->screen()->availableGeometry().contains(beside));

    auto* map = c.W<MapView>(control::kMap);
    for (const char* other :
         {control::kOutline, control::kFoundRecords, control::kProblems, control::kFilesFound})
      QVERIFY2(Area(map) > 2 * Area(c.W(other)), other);
    QVERIFY(map->mapToScene(map->viewport()->rect()).boundingRect().contains(map->sceneRect()));
    // Zoomed in, it stays so through the next layout, after an edit.
    QTest::mouseClick(c.W(control::kZoomIn), Qt::LeftButton);
    const qreal zoom = map->transform().m11();
    s.form.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &s.form);
    s.Type(control::kMaleText, QStringLiteral("Crossing is free."));
    s.Click(control::kFemaleText);
    QVERIFY(c.Settle());
    QCOMPARE(map->transform().m11(), zoom);

    // The Play window too, narrowed to the room left.
    s.form.ShowPlay("");
    const QWidget* play = s.form.playWindow();
    QCOMPARE(play->frameGeometry().topLeft(), editor.topRight() + QPoint(1, 0));
    QVERIFY(play->screen()->availableGeometry().contains(play->frameGeometry()));
  }

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

QTEST_MAIN(WindowPlaceTest)
#include "window_place_test.moc"
