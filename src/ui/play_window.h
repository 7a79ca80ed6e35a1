#pragma once
// The Play window: the conversation of the loaded file as the player meets it, beside the
// editor. The player's sex and intelligence and the condition switches are the user's; the
// transcript and the replies offered now are the play's (src/play), made again after every
// change of them and after every write of the working copy, on the same choices. It changes
// nothing: a double-click on an entry or a reply asks the editor to go to its line.

#include <QByteArray>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "play/play.h"
#include "ui/conversation_window.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

namespace dlg::ui {

class LatestJob;

// The working copy as one play reads it: its bytes and the records viewing them.
struct PlayText {
  std::string bytes;
  Conversation conversation;
  std::string error;  // why the working copy could not be read
};

class PlayWindow : public QWidget {
  Q_OBJECT
 public:
  explicit PlayWindow(QWidget* parent = nullptr);
  ~PlayWindow() override;

  // Follows the editor's file and its writes; a new file starts a new play.
  void Follow(const EditorView& view);
  // A new play from the line numbered `from` ("" for the first record).
  void Start(const std::string& from);
  bool Busy() const;
  // The transcript as dlgplay prints it, in UTF-8.
  std::string TranscriptUtf8() const;

 signals:
  void goToLine(const QByteArray& number);
  void settled();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Build();
  void Read();
  void Replay();
  void Render();
  void Choose(int row);
  void Back();
  void SaveTranscript();
  play::Setup CurrentSetup() const;

  EditorView view_;
  std::string readKey_;  // the file and version last asked for
  std::shared_ptr<const PlayText> text_;
  std::string from_;
  std::vector<play::Choice> choices_;
  play::Play play_;
  // Every condition met since the play began, in the order met, with its switch.
  std::vector<std::pair<std::string, bool>> conditions_;
  bool restored_ = false;

  QComboBox* sex_ = nullptr;
  QSpinBox* intelligence_ = nullptr;
  QListWidget* transcript_ = nullptr;
  QListWidget* replies_ = nullptr;
  QCheckBox* showHeldBack_ = nullptr;
  QListWidget* conditionList_ = nullptr;
  QPushButton* choose_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* copy_ = nullptr;  // with Save Transcript..., only while there is a transcript
  QPushButton* save_ = nullptr;
  LatestJob* readJob_ = nullptr;
};

}  // namespace dlg::ui
