#pragma once
// The user's settings (the Conversation window's place, the recent files): one INI file named
// after the application in the XDG config folder.

#include <QSettings>
#include <string>
#include <vector>

namespace dlg::ui {

QSettings UserSettings();

inline constexpr int kMostRecentFiles = 10;
std::vector<std::string> RecentFiles();
// `path` first, once, at most kMostRecentFiles kept.
void RememberRecentFile(const std::string& path);
void ForgetRecentFile(const std::string& path);

}  // namespace dlg::ui
