// The window model drawn into the widgets after every handler: only what changed is set, with
// the widgets' signals blocked.

#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <cstdint>
#include <functional>
#include <string_view>

#include "commands/browse.h"
#include "ui/control_names.h"
#include "ui/editor_bindings.h"
#include "ui/editor_form.h"
#include "ui/field_boxes.h"
#include "ui/flag_editor_form.h"
#include "ui/list_view.h"
#include "ui/text_bytes.h"

namespace dlg::ui {

namespace {

void SetState(QWidget* w, bool enabled, bool visible) {
  if (w->isEnabledTo(w->parentWidget()) != enabled) w->setEnabled(enabled);
  if (w->isVisibleTo(w->parentWidget()) != visible) w->setVisible(visible);
}

QStringList Rows(const std::vector<std::string>& items, QString (*show)(std::string_view)) {
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) rows.append(show(item));
  return rows;
}

// The browse lists are short and built for the render: the list view keeps its own copy.
void RenderOwnRows(ListView* list, std::vector<std::string> items, std::vector<std::string>& shown,
                   QString (*show)(std::string_view)) {
  if (items == shown) return;
  QSignalBlocker block(list);
  shown = items;
  list->setOwnRows(std::move(items), show);
}

void RenderSelection(ListView* list, int selected) {
  if (list->selectedRow() != selected) list->setSelectedRow(selected);
}

QString FromBytes(std::string_view bytes) { return BytesToText(bytes); }
// A row shows no more than fits many times over in a list; laying out a reply of megabytes in
// full would stall the window. The item itself keeps every byte.
QString FromRow(std::string_view bytes) { return BytesToText(bytes.substr(0, 4096)); }
QString FromName(std::string_view bytes) { return DisplayText(bytes); }

}  // namespace

void EditorForm::Render() {
  const EditorWindow& w = ed_.window;
  if (w.caption != shownCaption_) {
    setWindowTitle(DisplayText(w.caption));
    shownCaption_ = w.caption;
  }
  for (const FrameBinding& b : kFrameBindings) {
    const Frame& f = w.*b.frame;
    SetState(widgets_.at(b.name), f.enabled, f.visible);
  }
  for (const ButtonBinding& b : kButtonBindings) {
    const Button& button = w.*b.button;
    SetState(widgets_.at(b.name), button.enabled, button.visible);
  }
  RenderTexts();
  RenderLists();
  RenderBrowse();
  RenderFlagEditor();
  RenderMenus();
  RenderJumpBox();
}

void EditorForm::RenderTexts() {
  const EditorWindow& w = ed_.window;
  // A box whose text the next line shares keeps it, and must not keep the typing of the line
  // before, which its own Ctrl+Z or Ctrl+Shift+Z would put into this one.
  std::string lineKey =
      ed_.state.dialoguePath + '\n' + w.lineNumber.text + (ed_.state.newLineMode ? "\nnew" : "");
  const bool anotherLine = lineKey != shownLineKey_;
  shownLineKey_ = std::move(lineKey);
  for (const TextBinding& b : kTextBindings) {
    const TextBox& box = w.*b.box;
    QWidget* widget = widgets_.at(b.name);
    std::string& shown = shownText_[widget];
    auto* line = qobject_cast<FieldLineEdit*>(widget);
    auto* multi = qobject_cast<FieldTextEdit*>(widget);
    if (box.text != shown) {
      if (line) line->setBytes(box.text);
      if (multi) multi->setBytes(box.text);
      shown = box.text;
    } else if (anotherLine) {
      if (line) line->ForgetTyping();
      if (multi) multi->ForgetTyping();
    }
    SetState(widget, box.enabled, box.visible);
  }

  auto* npc = Widget<QComboBox>(control::kLineKindChoice);
  std::vector<std::string>& shownItems = shownRows_[npc];
  QSignalBlocker block(npc);
  if (w.lineKindChoice.items != shownItems) {
    npc->clear();
    npc->addItems(Rows(w.lineKindChoice.items, FromBytes));
    shownItems = w.lineKindChoice.items;
  }
  if (TextToBytes(npc->currentText()) != w.lineKindChoice.text)
    npc->setEditText(BytesToText(w.lineKindChoice.text));
  SetState(npc, w.lineKindChoice.enabled, w.lineKindChoice.visible);
}

void EditorForm::RenderLists() {
  const EditorWindow& w = ed_.window;
  for (const ListBinding& b : kListBindings) {
    const ListBox& model = w.*b.list;
    ListView* list = Widget<ListView>(b.name);
    // The view reads the rows from the model's list itself, as it paints them.
    const std::uint64_t stamp = model.items.Stamp();
    auto shown = shownStamp_.find(list);
    if (shown == shownStamp_.end() || shown->second != stamp) {
      QSignalBlocker block(list);
      list->setRows(&model.items, FromRow);
      shownStamp_[list] = stamp;
    }
    RenderSelection(list, model.selected);
    SetState(list, model.enabled, model.visible);
  }
}

void EditorForm::RenderBrowse() {
  const EditorWindow& w = ed_.window;

  auto* drive = Widget<QComboBox>(control::kDriveList);
  std::vector<std::string>& shownDrives = shownRows_[drive];
  {
    QSignalBlocker block(drive);
    if (w.driveList.drives != shownDrives) {
      drive->clear();
      drive->addItems(Rows(w.driveList.drives, FromName));
      shownDrives = w.driveList.drives;
    }
    int index = -1;
    for (std::size_t i = 0; i < w.driveList.drives.size(); ++i) {
      if (w.driveList.drives[i] == w.driveList.drive) index = static_cast<int>(i);
    }
    if (drive->currentIndex() != index) drive->setCurrentIndex(index);
  }
  SetState(drive, w.driveList.enabled, true);

  ListView* dir = Widget<ListView>(control::kFolderList);
  RenderOwnRows(dir, FolderRows(w.folderList), shownRows_[dir], FromName);
  // The folder itself stands highlighted, as the last of its ancestors.
  RenderSelection(dir, static_cast<int>(w.folderList.ancestors.size()) - 1);
  SetState(dir, w.folderList.enabled, true);

  ListView* files = Widget<ListView>(control::kFileList);
  RenderOwnRows(files, w.fileList.files, shownRows_[files], FromName);
  int selected = -1;
  if (!w.fileList.fileName.empty()) {
    for (std::size_t i = 0; i < w.fileList.files.size(); ++i) {
      if (w.fileList.files[i] == w.fileList.fileName) selected = static_cast<int>(i);
    }
  }
  RenderSelection(files, selected);
  SetState(files, w.fileList.enabled, true);
}

void EditorForm::RenderFlagEditor() {
  if (!ed_.flagEditor && flagForm_) {
    // Destroyed later: this may run inside the window's own close event.
    flagForm_->Detach();
    flagForm_->hide();
    flagForm_->deleteLater();
    flagForm_ = nullptr;
    activateWindow();
  }
  if (ed_.flagEditor && !flagForm_) {
    flagForm_ = new FlagEditorForm(*ed_.flagEditor, this);
    connect(flagForm_, &FlagEditorForm::insertCondition, this, [this] {
      Run([this] {
        if (ed_.flagEditor) InsertCondition(*ed_.flagEditor);
      });
    });
    connect(flagForm_, &FlagEditorForm::insertAction, this, [this] {
      Run([this] {
        if (ed_.flagEditor) InsertAction(*ed_.flagEditor);
      });
    });
    connect(flagForm_, &FlagEditorForm::accepted, this,
            [this] { Run([this] { AcceptFlagsOnLine(ed_); }); });
    connect(flagForm_, &FlagEditorForm::cancelled, this, [this] { RunFlagEditor(CancelFlags); });
    connect(flagForm_, &FlagEditorForm::closeRequested, this,
            [this] { Run([this] { CloseFlagEditor(ed_.flagEditor, ed_.Flags()); }); });
  }
  if (flagForm_) flagForm_->Render();
}

}  // namespace dlg::ui
