// The editor: one window on the sample folder where it was started.

#include <QApplication>

#include "commands/editor.h"
#include "ui/editor_form.h"
#include "ui/look.h"
#include "ui/qt_platform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // One reverse-domain id ties the window to its menu entry and icon: X11 takes the window's
  // class from the application name, Wayland its app id from the desktop file name.
  const QString appId = QStringLiteral(DLG_APP_ID);
  QApplication::setApplicationName(appId);
  QGuiApplication::setDesktopFileName(appId);
  dlg::ui::ApplyLook(app);
  // The installed theme icon is rendered from this same drawing; the drawing stands in for it
  // when the editor runs from its build folder.
  const QIcon icon = QIcon::fromTheme(appId, QIcon(QPixmap::fromImage(dlg::ui::DrawWindowIcon())));
  app.setWindowIcon(icon);
  dlg::ui::QtPlatform platform;
  dlg::Editor editor(platform);
  dlg::ui::EditorForm window(editor);
  window.setWindowIcon(icon);
  window.Load();
  if (dlg::ui::ProgramEnded()) return 0;
  window.show();
  return app.exec();
}
