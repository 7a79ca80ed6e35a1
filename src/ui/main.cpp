// The editor: one window on the sample folder where it was started.

#include <QApplication>

#include "commands/editor.h"
#include "ui/editor_form.h"
#include "ui/look.h"
#include "ui/qt_platform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  dlg::ui::ApplyLook(app);
  app.setWindowIcon(QIcon(QPixmap::fromImage(dlg::ui::DrawWindowIcon())));
  dlg::ui::QtPlatform platform;
  dlg::Editor editor(platform);
  dlg::ui::EditorForm window(editor);
  window.Load();
  if (dlg::ui::ProgramEnded()) return 0;
  window.show();
  return app.exec();
}
