#include "ui/user_settings.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QStandardPaths>
#include <QVariantList>
#include <algorithm>

namespace dlg::ui {

namespace {

const char kRecentKey[] = "recentFiles";

// Longer than any path the system opens (PATH_MAX).
constexpr std::size_t kLongestPath = 4096;

// Paths are bytes on Linux. A name in UTF-8 is kept as text, readable in the file; any other is
// kept as its bytes, which the settings file writes with escapes, so that each reads back as it
// was.
QVariant Stored(const std::string& path) {
  const QString text = QString::fromUtf8(path);
  if (text.toUtf8().toStdString() == path) return text;
  return QByteArray::fromStdString(path);
}

// What a file or a hand-edited settings file holds may be anything: only what can be a path
// passes, and no more than the list holds.
bool MayBePath(const std::string& path) {
  return !path.empty() && path[0] == '/' && path.size() <= kLongestPath &&
         path.find('\0') == std::string::npos;
}

std::vector<std::string> Read(const QSettings& settings) {
  std::vector<std::string> paths;
  const QVariant value = settings.value(QString::fromLatin1(kRecentKey));
  // One name alone reads back as a string, not a list of one.
  const QVariantList items =
      value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList
          ? value.toList()
          : QVariantList{value};
  for (const QVariant& item : items) {
    if (paths.size() == static_cast<std::size_t>(kMostRecentFiles)) break;
    std::string path;
    if (item.typeId() == QMetaType::QByteArray) {
      path = item.toByteArray().toStdString();
    } else if (item.typeId() == QMetaType::QString) {
      path = item.toString().toUtf8().toStdString();
    }
    if (MayBePath(path) && std::find(paths.begin(), paths.end(), path) == paths.end())
      paths.push_back(std::move(path));
  }
  return paths;
}

void Store(std::vector<std::string> paths) {
  std::erase_if(paths, [](const std::string& p) { return !MayBePath(p); });
  QVariantList list;
  for (const std::string& p : paths) list << Stored(p);
  QSettings settings = UserSettings();
  settings.setValue(QString::fromLatin1(kRecentKey), list);
}

}  // namespace

QSettings UserSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QCoreApplication::applicationName());
}

std::vector<std::string> RecentFiles() { return Read(UserSettings()); }

void RememberRecentFile(const std::string& path) {
  std::vector<std::string> paths = RecentFiles();
  std::erase(paths, path);
  paths.insert(paths.begin(), path);
  if (paths.size() > static_cast<std::size_t>(kMostRecentFiles)) paths.resize(kMostRecentFiles);
  Store(std::move(paths));
}

void ForgetRecentFile(const std::string& path) {
  std::vector<std::string> paths = RecentFiles();
  std::erase(paths, path);
  Store(std::move(paths));
}

}  // namespace dlg::ui
