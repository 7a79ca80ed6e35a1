#pragma once
// The windows keep the user's settings (the recent files, the Conversation window's place) in
// the XDG config folder: those of a test program go to a folder of its own, gone at its end.

#include <cstdlib>

#include "support/temp_dir.h"

namespace dlg::test {

struct SettingsInTemp {
  TempDir dir;
  SettingsInTemp() { ::setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1); }
};
inline const SettingsInTemp kSettingsInTemp;

}  // namespace dlg::test
