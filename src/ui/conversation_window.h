#pragma once
// The Conversation window: the whole conversation of the loaded file beside the editor, as an
// outline, a map, the checker's findings and the records that hold a text. It changes nothing:
// picking an item asks the editor to go to its line. It reads the working copy afresh after
// every write of it, off the window's thread; until the new state is ready the old one stays,
// greyed.

#include <QByteArray>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "check/conversation_snapshot.h"
#include "fileio/file_ops.h"
#include "map/map_picture.h"

class QLabel;
class QRadioButton;
class QStackedWidget;
class QListView;
class QTreeView;

namespace dlg::check {
struct DialogueCounts;
}

namespace dlg::ui {

class FindInFilesPanel;
class FindPane;
class FolderRowsView;
class LatestJob;
class MapView;
class OutlineModel;
class RecordRowsModel;

// What the editor shows: the file, the state of its working copy, and the line.
struct EditorView {
  bool loaded = false;
  std::string dialoguePath;
  std::string workingCopy;
  FileOps* files = nullptr;           // the editor's file seam, which the views read through too
  std::uint64_t copyWrites = 0;       // the editor's count of its writes of the working copy
  std::uint64_t otherFileWrites = 0;  // and of the files it saved as beside the loaded one
  std::string shownNumber;
  std::string folder;  // the folder the editor's lists show
};

using check::ConversationSnapshot;
using map::MapPicture;

class ConversationWindow : public QWidget {
  Q_OBJECT
 public:
  explicit ConversationWindow(QWidget* parent = nullptr);
  ~ConversationWindow() override;

  void Follow(const EditorView& view);
  void FocusFind();
  void FocusFindInFiles();
  // True while work for a newer state of the file is under way.
  bool Busy() const;

 signals:
  void goToLine(const QByteArray& number);
  // A row of a record that Go to never shows: why, in place of going there.
  void cannotReach(const QByteArray& note);
  // A line of a file in the folder, or the file alone for an empty number.
  // `unreachable`: why "Go to:" `number` would show another record than the row's, or empty.
  void goToFileLine(const QByteArray& path, const QByteArray& number,
                    const QByteArray& unreachable);
  void settled();  // nothing is being worked on

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Build();
  void Refresh();
  void GoToRecord(int record, const std::string& number);
  void ShowSnapshot(std::shared_ptr<const ConversationSnapshot> snapshot);
  void MarkShownLine();
  void RequestMap();
  int RecordShownIn(const ConversationSnapshot& s);
  void ShowMap(std::shared_ptr<const ConversationSnapshot> snapshot, MapPicture picture);
  void GreyLater();
  void Grey();
  void CheckSettled();
  QWidget* BuildFolderParts();  // returns the row of the problems' choice
  void RefreshFolderProblems();
  bool FolderBusy() const;
  static QString CountsText(const check::DialogueCounts& c);
  // The Problems title for this file, kept on the title while all files are shown.
  static constexpr char kThisFileTitle[] = "thisFileTitle";
  std::string FolderLookedIn();
  bool restored_ = false;

  EditorView view_;
  std::string shownKey_;  // the file and version the lists were asked for
  std::shared_ptr<const ConversationSnapshot> snapshot_;
  std::shared_ptr<const ConversationSnapshot> mapSnapshot_;
  MapPicture map_;
  int shownRecord_ = -1;
  struct ShownIn {
    const ConversationSnapshot* snapshot = nullptr;
    std::string number;
    int record = -1;
  };
  ShownIn shownIn_[2];  // the line's record in the lists' snapshot and in the map's

  OutlineModel* outlineModel_ = nullptr;
  RecordRowsModel* problemsModel_ = nullptr;
  QTreeView* outline_ = nullptr;
  QListView* problems_ = nullptr;
  FindPane* findPane_ = nullptr;
  QLabel* problemsTitle_ = nullptr;
  QLabel* counts_ = nullptr;  // the loaded file's lines and words
  QLabel* mapNote_ = nullptr;
  MapView* mapView_ = nullptr;
  LatestJob* listsJob_ = nullptr;
  LatestJob* mapJob_ = nullptr;

  FindInFilesPanel* findInFiles_ = nullptr;
  QRadioButton* allFiles_ = nullptr;
  QStackedWidget* problemsStack_ = nullptr;
  FolderRowsView* folderProblems_ = nullptr;
  std::string folderProblemsKey_;  // the folder and file state they were checked for
  // Going to a file below the folder moves the editor's lists into its folder: while that file
  // stays loaded, the parts go on looking in the folder it was found in.
  std::string keptFolder_;
};

}  // namespace dlg::ui
