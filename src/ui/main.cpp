// The editor: one window on the folder where it was started, or on the file it was given.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "commands/editor.h"
#include "ui/editor_form.h"
#include "ui/latest_job.h"
#include "ui/look.h"
#include "ui/qt_platform.h"

namespace {

constexpr char kUsage[] =
    "Usage: dlgeditor [FILE]\n"
    "Edits the dialogue files (.dlg) of the role-playing game Ashgloam.\n"
    "Without FILE it starts in the current folder; with FILE, in the file's folder, and loads\n"
    "the file.\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before any display is opened, so they work where there is none.
  std::string file;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("dlgeditor " DLG_VERSION);
      return 0;
    }
    // Qt's own options (-platform, -style, ...) are left to Qt.
    if (argv[i][0] == '-' && argv[i][1] == '-') {
      std::fprintf(stderr, "dlgeditor: unknown option '%s'\n%s", argv[i], kUsage);
      return 2;
    }
  }
  QApplication app(argc, argv);
  // What Qt left of the arguments (it takes its own out): the file, if any, as its bytes.
  if (argc > 2) {
    std::fprintf(stderr, "dlgeditor: one file at a time\n%s", kUsage);
    return 2;
  }
  if (argc == 2) file = argv[1];

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
  // Loaded once the window is up, so that its questions and boxes stand over it.
  if (!file.empty())
    QTimer::singleShot(0, &window, [&window, file] { window.OpenFile(file, false); });
  const int status = app.exec();
  // A map still being laid out for the Conversation window is of no use now, and Graphviz cannot
  // be stopped: the program ends at once rather than wait for it (the files are closed, the
  // settings written). Run beside the program's end, it would touch what the end takes down.
  if (dlg::ui::LatestJob::AnyRunning()) {
    std::fflush(nullptr);
    std::_Exit(status);
  }
  return status;
}
