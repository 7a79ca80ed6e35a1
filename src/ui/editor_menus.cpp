// The editor window's menu bar, built from the action registry, and the Conversation and Play
// windows that the View and Go menus open. Each menu command runs its button's handler and is
// enabled exactly when its button is.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "commands/boxes.h"
#include "commands/lookup.h"
#include "commands/open_named.h"
#include "commands/save_safety.h"
#include "commands/undo.h"
#include "ui/control_names.h"
#include "ui/conversation_window.h"
#include "ui/editor_actions.h"
#include "ui/editor_form.h"
#include "ui/editor_layout.h"
#include "ui/field_boxes.h"
#include "ui/form_builder.h"
#include "ui/play_window.h"
#include "ui/text_bytes.h"
#include "ui/user_settings.h"

namespace dlg::ui {

void EditorForm::BuildMenuBar() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName(QString::fromLatin1(control::kMenuBar));
  // In the window on every desktop: a global menu elsewhere on the screen would change the
  // window's height from one desktop to the next.
  menuBar_->setNativeMenuBar(false);
  std::map<std::string, QMenu*> menus;
  for (const ActionInfo& info : EditorActions()) {
    const std::string path = info.menu;
    QMenu*& menu = menus[path];
    if (menu == nullptr) {
      // "&File/&Translation": a submenu of a menu made before it.
      const std::size_t slash = path.find('/');
      menu = slash == std::string::npos
                 ? menuBar_->addMenu(QString::fromLatin1(info.menu))
                 : menus.at(path.substr(0, slash))
                       ->addMenu(QString::fromLatin1(path.substr(slash + 1).c_str()));
      connect(menu, &QMenu::aboutToShow, this, &EditorForm::RenderMenuItems);
    }
    if (info.id == ActionId::OpenRecent) {
      recentMenu_ = menu->addMenu(QString::fromLatin1(info.text));
      connect(recentMenu_, &QMenu::aboutToShow, this, &EditorForm::FillRecentMenu);
      continue;
    }
    QAction* action = menu->addAction(QString::fromLatin1(info.text));
    action->setShortcuts(KeysOf(info.shortcuts));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, &info] { RunAction(info); });
    actions_.emplace_back(action, &info);
  }
  const int bar = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, Px(kEditorClientWidth), bar);
  client_->setGeometry(0, bar, Px(kEditorClientWidth), Px(kEditorClientHeight));
  // Fixed places: nothing is laid out again, so the client area keeps its size.
  setFixedSize(Px(kEditorClientWidth), Px(kEditorClientHeight) + bar);
}

void EditorForm::RunAction(const ActionInfo& action) {
  switch (action.id) {
    case ActionId::GoToLine: {
      // The keyboard's way to "Go to:": the focus in its box, the number selected to type over.
      auto* box = Widget<FieldLineEdit>(control::kGoToNumber);
      activateWindow();
      box->setFocus(Qt::ShortcutFocusReason);
      box->selectAll();
      return;
    }
    case ActionId::Conversation:
      ShowConversation(false);
      return;
    case ActionId::Find:
      ShowConversation(true);
      return;
    case ActionId::FindInFiles:
      ShowConversation(false);
      conversation_->FocusFindInFiles();
      return;
    case ActionId::Play:
    case ActionId::PlayFromHere: {
      // The play reads the working copy: the line being edited goes there first, as when its
      // box is left, so that the play says what the boxes show.
      bool written = false;
      Run([this, &written] { written = WriteShownLine(ed_); });
      if (written)
        ShowPlay(action.id == ActionId::Play ? std::string() : ed_.window.lineNumber.text);
      return;
    }
    case ActionId::KeyboardShortcuts:
      Run([this] { ShowOk(ed_, "Keyboard Shortcuts", ShortcutList()); });
      return;
    default:
      if (action.run) Run([this, &action] { action.run(ed_); });
  }
}

void EditorForm::RenderMenus() {
  RenderMenuItems();
  if (ed_.state.fileLoaded && ed_.state.dialoguePath != rememberedFile_) {
    rememberedFile_ = ed_.state.dialoguePath;
    RememberRecentFile(rememberedFile_);
  }
  FollowInConversation();
}

void EditorForm::RenderMenuItems() {
  for (const auto& [action, info] : actions_) {
    bool enabled = true;
    if (info->control != nullptr) {
      const QWidget* control = widgets_.at(info->control);
      // Through its frames: a button in a disabled frame cannot be pressed either.
      enabled = control->isEnabledTo(this) && control->isVisibleTo(this);
    } else if (info->enabled != nullptr) {
      enabled = info->enabled(ed_);
    }
    if (action->isEnabled() != enabled) action->setEnabled(enabled);
    // "Undo Edit of Line 12": the step that the command takes back or does again.
    if (info->id == ActionId::Undo || info->id == ActionId::Redo) {
      const std::string step = !enabled                     ? std::string()
                               : info->id == ActionId::Undo ? UndoName(ed_)
                                                            : RedoName(ed_);
      const QString text =
          QString::fromLatin1(info->text) + (step.empty() ? QString() : u' ' + DisplayText(step));
      if (action->text() != text) action->setText(text);
    }
  }
}

void EditorForm::FillRecentMenu() {
  recentMenu_->clear();
  const std::vector<std::string> paths = RecentFiles();
  for (const std::string& path : paths) {
    QAction* item = recentMenu_->addAction(DisplayText(path));
    connect(item, &QAction::triggered, this, [this, path] { OpenFile(path, true); });
  }
  if (paths.empty()) recentMenu_->addAction(QStringLiteral("No Recent Files"))->setEnabled(false);
}

void EditorForm::OpenFile(const std::string& path, bool recent) {
  Run([this, path, recent] {
    if (!recent) {
      OpenNamedFile(ed_, path);
    } else if (OpenRecentFile(ed_, path) == RecentOutcome::Gone) {
      ForgetRecentFile(path);
    }
  });
}

void EditorForm::ShowConversation(bool find) {
  if (!conversation_) {
    conversation_ = new ConversationWindow(this);
    connect(conversation_, &ConversationWindow::goToLine, this, [this](const QByteArray& number) {
      const std::string target = number.toStdString();
      Run([this, target] { GoToPickedLine(ed_, target); });
    });
    connect(conversation_, &ConversationWindow::cannotReach, this, [this](const QByteArray& note) {
      const std::string text = note.toStdString();
      Run([this, text] { ShowCannotReach(ed_, text); });
    });
    connect(
        conversation_, &ConversationWindow::goToFileLine, this,
        [this](const QByteArray& path, const QByteArray& number, const QByteArray& unreachable) {
          const std::string file = path.toStdString(), target = number.toStdString(),
                            note = unreachable.toStdString();
          // A row of a record "Go to:" never shows: its file is loaded, to renumber one of
          // them, and drawn before the box says why.
          bool there = false;
          Run([this, file, target, note, &there] {
            there = GoToLineInFile(ed_, file, note.empty() ? target : std::string());
          });
          if (there && !note.empty()) Run([this, note] { ShowCannotReach(ed_, note); });
        });
    FollowInConversation();
  }
  if (find) {
    conversation_->FocusFind();
  } else {
    conversation_->show();
    conversation_->raise();
    conversation_->activateWindow();
  }
}

void EditorForm::ShowPlay(const std::string& from) {
  if (!play_) {
    play_ = new PlayWindow(this);
    connect(play_, &PlayWindow::goToLine, this, [this](const QByteArray& number) {
      const std::string target = number.toStdString();
      Run([this, target] { GoToPickedLine(ed_, target); });
    });
  }
  play_->Follow(ViewOfEditor());
  play_->Start(from);
  play_->show();
  play_->raise();
  play_->activateWindow();
}

void EditorForm::FollowInConversation() {
  if (conversation_) conversation_->Follow(ViewOfEditor());
  if (play_) play_->Follow(ViewOfEditor());
}

EditorView EditorForm::ViewOfEditor() const {
  EditorView view;
  view.folder = ed_.window.fileList.path;
  view.otherFileWrites = ed_.state.otherFileWrites;
  view.loaded = ed_.state.fileLoaded;
  if (view.loaded) {
    view.dialoguePath = ed_.state.dialoguePath;
    view.workingCopy = ed_.state.WorkingCopyPath();
    view.files = &ed_.files.Ops();
    view.copyWrites = ed_.state.copyWrites;
    view.shownNumber = ed_.window.lineNumber.text;
  }
  return view;
}

}  // namespace dlg::ui
