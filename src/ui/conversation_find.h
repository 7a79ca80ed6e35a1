#pragma once
// The Conversation window's Find: a box, and the records whose texts or flags hold what is typed
// in it, searched off the window's thread in the state of the file the window shows. Down in
// the box goes to the records found.

#include <QByteArray>
#include <QWidget>
#include <memory>

#include "check/conversation_snapshot.h"

class QListView;
class QLineEdit;

namespace dlg::ui {

class FieldLineEdit;
class LatestJob;
class RecordRowsModel;

class FindPane : public QWidget {
  Q_OBJECT
 public:
  explicit FindPane(QWidget* parent = nullptr);

  // Searches this state of the file; nothing for none.
  void Search(std::shared_ptr<const check::ConversationSnapshot> snapshot);
  void Focus();  // the box, its text selected
  bool Busy() const;
  QLineEdit* Box() const;
  QListView* Found() const { return found_; }

 signals:
  void goToLine(const QByteArray& number);
  void finished();  // a search has been shown

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Find();

  std::shared_ptr<const check::ConversationSnapshot> snapshot_;
  FieldLineEdit* text_ = nullptr;
  QListView* found_ = nullptr;
  RecordRowsModel* foundModel_ = nullptr;
  LatestJob* job_ = nullptr;
};

}  // namespace dlg::ui
