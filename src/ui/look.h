#pragma once
// The program's look: the title banner and the window icon, both drawn at start-up, and the
// style and font that keep the captions inside their fixed places.

#include <QFrame>
#include <QImage>

class QApplication;

namespace dlg::ui {

// 167 x 80: black lettering on white.
QImage DrawTitleBanner();
// 64 x 64 in 256 colours: a stone tile with a ring, the game's name and "DLG Editor". Other
// sizes are for the desktop's icon theme.
QImage DrawWindowIcon(int size = 64);
void ApplyLook(QApplication& app);

// The picture box: shows its picture at the top-left corner and reports a click.
class PictureBox : public QFrame {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);
  void setPicture(const QImage& picture);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace dlg::ui
