#pragma once
// A list of the rows a pass over the mod's files gives, filled as the pass goes on, with a line
// that counts them. The pass runs on a thread of its own; its rows reach the list a batch at a
// time between the window's events, so the window never waits for it. Enter or a double-click
// on a row asks the editor to go to its file and line.

#include <QByteArray>
#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "mod/folder_run.h"

class QLabel;
class QListView;

namespace dlg::ui {

class FolderRowsModel;

class FolderRowsView : public QWidget {
  Q_OBJECT
 public:
  // The count line from what has come of the pass so far.
  using Status = std::function<QString(const mod::Progress&)>;
  FolderRowsView(const char* listName, const char* accessibleName, const char* statusName,
                 Status status, QWidget* parent = nullptr);
  ~FolderRowsView() override;

  // Drops the rows listed and starts a pass over `folder`.
  void Start(const std::string& folder, const mod::LoadedFile& loaded,
             mod::FolderRun::MakeRows makeRows);
  void Stop();
  void Clear(const QString& status = {});
  bool Busy() const { return busy_; }
  QListView* List() const { return list_; }

 signals:
  // `unreachable`: why "Go to:" `number` would show another record than the row's, or empty.
  void goToFileLine(const QByteArray& path, const QByteArray& number,
                    const QByteArray& unreachable);
  void progressed();  // rows or counts came in; after the last, Busy() is false

 private:
  void RowsWait();
  void TakeRows();

  Status status_;
  std::string folder_;  // of the pass listed
  bool busy_ = false;
  bool takeDue_ = false;  // a take is set for later
  QElapsedTimer sinceTake_;
  QLabel* statusLine_ = nullptr;
  QListView* list_ = nullptr;
  FolderRowsModel* model_ = nullptr;
  std::unique_ptr<mod::FolderRun> run_;
};

}  // namespace dlg::ui
