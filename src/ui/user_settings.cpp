#include "ui/user_settings.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>

namespace dlg::ui {

namespace {

const char kRecentKey[] = "recentFiles";

// Paths are bytes on Linux; they are kept as UTF-8 where they are, byte for byte otherwise.
QString Stored(const std::string& path) { return QString::fromLocal8Bit(path); }

void Store(const std::vector<std::string>& paths) {
  QStringList list;
  for (const std::string& p : paths) list << Stored(p);
  UserSettings().setValue(QString::fromLatin1(kRecentKey), list);
}

}  // namespace

QSettings UserSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QCoreApplication::applicationName());
}

std::vector<std::string> RecentFiles() {
  std::vector<std::string> paths;
  for (const QString& p : UserSettings().value(QString::fromLatin1(kRecentKey)).toStringList())
    paths.push_back(p.toLocal8Bit().toStdString());
  return paths;
}

void RememberRecentFile(const std::string& path) {
  std::vector<std::string> paths = RecentFiles();
  std::erase(paths, path);
  paths.insert(paths.begin(), path);
  if (paths.size() > static_cast<std::size_t>(kMostRecentFiles)) paths.resize(kMostRecentFiles);
  Store(paths);
}

void ForgetRecentFile(const std::string& path) {
  std::vector<std::string> paths = RecentFiles();
  std::erase(paths, path);
  Store(paths);
}

}  // namespace dlg::ui
