#include "ui/editor_form.h"

#include <QCloseEvent>
#include <QColor>
#include <QPalette>

#include "commands/browse.h"
#include "commands/save_close.h"
#include "ui/control_names.h"
#include "ui/conversation_window.h"
#include "ui/editor_layout.h"
#include "ui/flag_editor_form.h"
#include "ui/list_view.h"
#include "ui/look.h"
#include "ui/play_window.h"
#include "ui/qt_platform.h"

namespace dlg::ui {

namespace {

// The colours of the used-number list: dark blue text on the colour of an inactive window's
// caption bar. Qt has no role for that colour, so it is a fixed light grey-blue.
const QColor kUsedNumberText(0, 0, 192);
const QColor kInactiveCaption(191, 205, 219);

}  // namespace

EditorForm::EditorForm(Editor& ed, QWidget* parent) : QWidget(parent), ed_(ed) {
  setObjectName(QString::fromLatin1(control::kEditorWindow));
  setWindowIcon(QIcon(QPixmap::fromImage(DrawWindowIcon())));
  // The client area below the menu bar; its controls keep the places of the layout table, so
  // the window is the client area's size plus the bar's height.
  client_ = new QWidget(this);
  client_->setObjectName(QString::fromLatin1(control::kClientArea));
  widgets_ = BuildControls(client_, EditorControls());
  BuildMenuBar();

  Widget<PictureBox>(control::kBanner)->setPicture(DrawTitleBanner());
  ListView* used = Widget<ListView>(control::kUsedNumbers);
  QPalette palette = used->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, kInactiveCaption);
    if (group != QPalette::Disabled) palette.setColor(group, QPalette::Text, kUsedNumberText);
  }
  used->setPalette(palette);

  Wire();
  Render();
}

EditorForm::~EditorForm() = default;

FlagEditorForm* EditorForm::flagEditorForm() const { return flagForm_; }

void EditorForm::Load() {
  Run([this] { StartUp(ed_); });
  // The keyboard starts where a session starts: picking a file.
  Widget<ListView>(control::kFileList)->setFocus();
}

ConversationWindow* EditorForm::conversationWindow() const { return conversation_; }
PlayWindow* EditorForm::playWindow() const { return play_; }

void EditorForm::closeEvent(QCloseEvent* event) {
  bool close = ProgramEnded();
  if (!close && !busy_) Run([this, &close] { close = CloseWindow(ed_); });
  if (!close && !ProgramEnded()) {
    event->ignore();
    return;
  }
  if (flagForm_) flagForm_->hide();
  if (conversation_) conversation_->hide();
  if (play_) play_->hide();
  event->accept();
}

}  // namespace dlg::ui
