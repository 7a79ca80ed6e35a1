// The editor window's events: user input into the model first, then the handler, then a render.

#include <QComboBox>
#include <QPushButton>
#include <utility>

#include "commands/browse.h"
#include "ui/control_names.h"
#include "ui/editor_bindings.h"
#include "ui/editor_form.h"
#include "ui/field_boxes.h"
#include "ui/flag_editor_form.h"
#include "ui/list_view.h"
#include "ui/look.h"
#include "ui/qt_platform.h"
#include "ui/text_bytes.h"

namespace dlg::ui {

namespace {

template <class Box>
void WireText(Box* box, TextBox& model, std::string& shown) {
  QObject::connect(box, &Box::edited, box, [box, &model, &shown] {
    model.text = box->bytes();
    shown = model.text;
  });
}

}  // namespace

void EditorForm::Run(const std::function<void()>& handler) {
  // One handler at a time: an event that a handler's own message box lets through waits for
  // nothing and is dropped.
  if (busy_ || ProgramEnded()) return;
  busy_ = true;
  handler();
  busy_ = false;
  if (ProgramEnded()) return;
  Render();
  ApplyFocus();
}

// Once the handler is done and drawn: the box may only now be enabled, and its neighbour's loss
// of focus runs a handler of its own.
void EditorForm::ApplyFocus() {
  TextBox EditorWindow::*const wanted = std::exchange(ed_.window.focus, nullptr);
  const bool selectAll = std::exchange(ed_.window.focusSelectsAll, false);
  if (wanted == nullptr) return;
  for (const TextBinding& b : kTextBindings) {
    if (b.box != wanted) continue;
    QWidget* box = widgets_.at(b.name);
    box->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<FieldLineEdit*>(box); line && selectAll) line->selectAll();
  }
}

void EditorForm::Wire() {
  EditorWindow& w = ed_.window;
  for (const TextBinding& b : kTextBindings) {
    QWidget* widget = widgets_.at(b.name);
    std::string& shown = shownText_[widget];
    if (auto* line = qobject_cast<FieldLineEdit*>(widget)) {
      WireText(line, w.*b.box, shown);
      if (b.fieldBox) {
        connect(line, &FieldLineEdit::focusLost, this,
                [this] { Run([this] { LeaveFieldBox(ed_); }); });
      }
    } else if (auto* multi = qobject_cast<FieldTextEdit*>(widget)) {
      WireText(multi, w.*b.box, shown);
      if (b.fieldBox) {
        connect(multi, &FieldTextEdit::focusLost, this,
                [this] { Run([this] { LeaveFieldBox(ed_); }); });
      }
    }
  }

  // Enter in the number boxes runs their button.
  using Handler = void (*)(Editor&);
  for (auto [name, handler] : {std::pair<const char*, Handler>{control::kGoToNumber, GoToTypedLine},
                               std::pair<const char*, Handler>{control::kNewLineNumber, AddLine}}) {
    auto* box = Widget<FieldLineEdit>(name);
    box->setEnterActs(true);
    connect(box, &QLineEdit::returnPressed, this,
            [this, handler = handler] { Run([this, handler] { handler(ed_); }); });
  }

  for (const ListBinding& b : kListBindings) {
    ListView* list = Widget<ListView>(b.name);
    ListBox& model = w.*b.list;
    connect(list, &ListView::rowPicked, this, [this, &model, b](int row) {
      model.selected = row;
      if (b.click) Run([this, b] { b.click(ed_); });
    });
    if (b.doubleClick) {
      connect(list, &ListView::rowDoubleClicked, this, [this, &model, b](int row) {
        model.selected = row;
        Run([this, b] { b.doubleClick(ed_); });
      });
      // A double-click below the rows, and Enter, act on the selection as it stands, none
      // included.
      auto onSelection = [this, &model, list, b] {
        model.selected = list->selectedRow();
        Run([this, b] { b.doubleClick(ed_); });
      };
      connect(list, &ListView::emptyAreaDoubleClicked, this, onSelection);
      connect(list, &ListView::enterPressed, this, onSelection);
    }
  }

  for (const ButtonBinding& b : kButtonBindings) {
    if (b.click == nullptr) continue;
    connect(Widget<QPushButton>(b.name), &QPushButton::clicked, this, [this, b] {
      if (b.opensFlagEditor) {
        OpenFlagEditorWith(b.click);
      } else {
        Run([this, b] { b.click(ed_); });
      }
    });
  }

  ScrollTogether({Widget<ListView>(control::kReplyNumbers), Widget<ListView>(control::kReplies),
                  Widget<ListView>(control::kReplyIntChecks),
                  Widget<ListView>(control::kReplyForms),
                  Widget<ListView>(control::kReplyTargets)});

  auto* npc = Widget<QComboBox>(control::kLineKindChoice);
  connect(npc, &QComboBox::editTextChanged, this,
          [this](const QString& text) { ed_.window.lineKindChoice.text = TextToBytes(text); });
  connect(npc, &QComboBox::activated, this, [this, npc](int index) {
    ed_.window.lineKindChoice.text = TextToBytes(npc->itemText(index));
    Run([this] { PickLineKind(ed_); });
  });

  connect(Widget<PictureBox>(control::kBanner), &PictureBox::clicked, this,
          [this] { Run([this] { ShowAbout(ed_); }); });
  WireBrowse();
  WireJumpBox();
}

void EditorForm::WireBrowse() {
  EditorWindow& w = ed_.window;
  connect(Widget<QComboBox>(control::kDriveList), &QComboBox::activated, this,
          [this](int row) { Run([this, row] { PickDriveRow(ed_, row); }); });
  auto openFolder = [this](int row) { Run([this, row] { OpenFolderRow(ed_, row); }); };
  ListView* folders = Widget<ListView>(control::kFolderList);
  connect(folders, &ListView::rowDoubleClicked, this, openFolder);
  connect(folders, &ListView::enterPressed, this, openFolder);

  ListView* files = Widget<ListView>(control::kFileList);
  auto pick = [&w](int row) {
    const std::size_t r = static_cast<std::size_t>(row);
    w.fileList.fileName =
        row >= 0 && r < w.fileList.files.size() ? w.fileList.files[r] : std::string();
  };
  connect(files, &ListView::rowPicked, this, pick);
  auto load = [this, pick](int row) {
    pick(row);
    Run([this] { LoadFile(ed_); });
  };
  connect(files, &ListView::rowDoubleClicked, this, load);
  connect(files, &ListView::enterPressed, this, load);
}

void EditorForm::OpenFlagEditorWith(void (*handler)(Editor&)) {
  Run([this, handler] { handler(ed_); });
  // Every opening, a re-targeting of an open window too, puts the focus in its edit box.
  if (flagForm_) flagForm_->FocusEditBox();
}

void EditorForm::RunFlagEditor(void (*handler)(FlagEditorWindow&, FlagFields)) {
  Run([this, handler] {
    if (ed_.flagEditor) handler(*ed_.flagEditor, ed_.Flags());
  });
}

}  // namespace dlg::ui
