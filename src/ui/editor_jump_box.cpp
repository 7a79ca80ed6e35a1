// The Jump to Line box's helps: a completer over the NPC lines of the working copy, read when
// the box first takes the focus or a key after a write, and a red frame with a tooltip while
// the box names a line that no record carries.

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QAction>
#include <QCompleter>
#include <QEvent>
#include <QKeyEvent>

#include "commands/add_line.h"
#include "ui/control_names.h"
#include "ui/editor_actions.h"
#include "ui/editor_form.h"
#include "ui/field_boxes.h"
#include "ui/qt_platform.h"
#include "ui/text_bytes.h"

namespace dlg::ui {

// The rows as the popup shows them; the completer matches and inserts the number alone. Rows
// are converted only as the completer asks for them.
class JumpTargetModel : public QAbstractListModel {
 public:
  JumpTargetModel(const JumpTargets& targets, QObject* parent)
      : QAbstractListModel(parent), targets_(targets) {}
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(targets_.rows.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || row >= targets_.rows.size()) return {};
    if (role == Qt::DisplayRole) return BytesToText(targets_.rows[row]);
    if (role == Qt::EditRole) return BytesToText(targets_.numbers[row]);
    return {};
  }

 private:
  const JumpTargets& targets_;
};

void EditorForm::WireJumpBox() {
  auto* box = Widget<FieldLineEdit>(control::kJumpLine);
  jumpModel_ = new JumpTargetModel(jumpTargets_, this);
  auto* completer = new QCompleter(jumpModel_, box);
  // Ordered by the numbers' bytes, which for digits is the order QString compares in: the
  // completer finds the rows that begin with the typed number by halving.
  completer->setModelSorting(QCompleter::CaseSensitivelySortedModel);
  completer->setCaseSensitivity(Qt::CaseSensitive);
  completer->setMaxVisibleItems(12);
  // Wide enough for the start of each line, not only for the number box.
  completer->popup()->setMinimumWidth(420);
  box->setCompleter(completer);
  box->installEventFilter(this);
  // Watched before the completer: it would hand the Enter that picks a row on to the box, which
  // refuses Enter in a field.
  completer->popup()->installEventFilter(this);
  jumpCompleter_ = completer;
  connect(box, &FieldLineEdit::edited, this, [this] {
    ReadJumpTargets();
    RenderJumpBox();
  });
  connect(box, &FieldLineEdit::ctrlEnterPressed, this,
          [this] { RunAction(EditorAction(ActionId::AddJumpTarget)); });
}

bool EditorForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && watched == widgets_.at(control::kJumpLine))
    ReadJumpTargets();
  if (event->type() == QEvent::KeyPress && jumpCompleter_ && watched == jumpCompleter_->popup()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      const QModelIndex picked = jumpCompleter_->popup()->currentIndex();
      jumpCompleter_->popup()->hide();
      if (picked.isValid()) {
        Widget<FieldLineEdit>(control::kJumpLine)
            ->setText(picked.data(jumpCompleter_->completionRole()).toString());
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void EditorForm::ReadJumpTargets() {
  // Never inside a handler: it may hold views into the read buffer that this read refills.
  if (busy_ || ProgramEnded()) return;
  busy_ = true;
  const bool changed = RefreshJumpTargets(ed_, jumpTargets_);
  busy_ = false;
  if (changed) jumpModel_->Reset();
}

void EditorForm::RenderJumpBox() {
  const EditorWindow& w = ed_.window;
  // The list of used numbers is looked through only when it or the box changed.
  const std::string key = w.jumpLine.text + '\n' + w.lineNumber.text + '\n' +
                          std::to_string(w.usedNumbers.items.Stamp()) + '\n' +
                          std::to_string(ed_.state.copyWrites) + (ed_.state.fileLoaded ? "+" : "-");
  if (key == jumpKey_) return;
  jumpKey_ = key;
  std::string missing = JumpTargetNote(ed_);
  // Not in the list, which stops at a blank line: a record past it carries the number all the
  // same, and Add Line would refuse it.
  if (!missing.empty()) {
    ReadJumpTargets();
    if (HoldsNumber(jumpTargets_, w.jumpLine.text)) missing.clear();
  }
  const QString note = DisplayText(missing);
  auto* box = Widget<FieldLineEdit>(control::kJumpLine);
  if (box->toolTip() != note) {
    box->setToolTip(note);
    box->setAccessibleDescription(note);
    box->setStyleSheet(note.isEmpty() ? QString()
                                      : QStringLiteral("QLineEdit { border: 2px solid #c00000; }"));
  }
  for (const auto& [action, info] : actions_) {
    if (info->id == ActionId::AddJumpTarget)
      action->setEnabled(CanAddJumpTarget(ed_) && !note.isEmpty());
  }
}

}  // namespace dlg::ui
