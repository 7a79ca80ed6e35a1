// The recent files as the settings file keeps them: names byte for byte, whatever their bytes,
// and no more than the list holds read from a file that holds more, or things that are no path.

#include <QtTest>
#include <fstream>

#include "support/settings_in_temp.h"
#include "ui/user_settings.h"

using namespace dlg::ui;

namespace {

void WriteSettings(const std::string& text) {
  std::ofstream(UserSettings().fileName().toStdString(), std::ios::binary | std::ios::trunc)
      << text;
}

}  // namespace

class RecentFilesTest : public QObject {
  Q_OBJECT
 private slots:
  void namesComeBackByteForByte() {
    std::string everyByte = "/d/";
    for (int b = 1; b < 256; ++b)
      if (b != '/') everyByte += static_cast<char>(b);
    for (const std::string& name : {std::string("/d/caf\xe9.dlg"), std::string("/d/a, \"b\".dlg"),
                                    std::string("/d/@ByteArray(x).dlg"), everyByte}) {
      RememberRecentFile(name);
      const std::vector<std::string> back = RecentFiles();
      QVERIFY(!back.empty());
      QCOMPARE(back.front(), name);
      ForgetRecentFile(name);
      QVERIFY(RecentFiles().empty());
    }
  }

  void atMostTenAreReadAndOnlyPaths() {
    std::string list = "[General]\nrecentFiles=, relative.dlg, /ok.dlg";
    for (int n = 0; n < 20000; ++n) list += ", /f" + std::to_string(n) + ".dlg";
    WriteSettings(list + "\n");
    const std::vector<std::string> paths = RecentFiles();
    QCOMPARE(paths.size(), std::size_t{10});
    QCOMPARE(paths.front(), std::string("/ok.dlg"));
    QCOMPARE(paths.back(), std::string("/f8.dlg"));
    WriteSettings("[General]\nrecentFiles=\n");
    QVERIFY(RecentFiles().empty());
  }
};

QTEST_GUILESS_MAIN(RecentFilesTest)
#include "recent_files_test.moc"
