#pragma once
// The Conversation window's Find in Files: a text looked for in every dialogue file in the folder
// the editor shows and below it, letter case ignored as Find ignores it, each record that holds
// it listed "FILE  NUMBER  FIELD: TEXT" as the files are read.

#include <QByteArray>
#include <QWidget>
#include <string>

#include "mod/folder_run.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace dlg::ui {

class FolderRowsView;

class FindInFilesPanel : public QWidget {
  Q_OBJECT
 public:
  explicit FindInFilesPanel(QWidget* parent = nullptr);

  // The folder the editor shows and the file it has loaded, for the next search.
  void Follow(const std::string& folder, const mod::LoadedFile& loaded);
  void Focus();
  bool Busy() const;

 signals:
  // `unreachable`: why "Go to:" `number` would show another record than the row's, or empty.
  void goToFileLine(const QByteArray& path, const QByteArray& number,
                    const QByteArray& unreachable);
  void progressed();

 private:
  void Search();
  void ShowFolder();

  std::string folder_;
  mod::LoadedFile loaded_;
  QLineEdit* text_ = nullptr;
  QPushButton* find_ = nullptr;
  QPushButton* stop_ = nullptr;
  QLabel* folderLine_ = nullptr;
  FolderRowsView* rows_ = nullptr;
};

}  // namespace dlg::ui
