// Writes the window icon into an icon theme tree (OUT/<n>x<n>/apps/NAME.png), so the menu entry
// shows the picture the window draws for itself.
// Usage: render_icons OUT NAME SIZE...

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "ui/look.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 4) {
    std::fprintf(stderr, "usage: render_icons OUT NAME SIZE...\n");
    return 2;
  }
  const QString& name = args[2];
  for (qsizetype i = 3; i < args.size(); ++i) {
    bool ok = false;
    const int size = args[i].toInt(&ok);
    if (!ok || size < 8 || size > 1024) {
      std::fprintf(stderr, "render_icons: bad size %s\n", qPrintable(args[i]));
      return 2;
    }
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
    if (!QDir().mkpath(dir) || !dlg::ui::DrawWindowIcon(size).save(file, "PNG")) {
      std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
