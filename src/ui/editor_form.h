#pragma once
// The editor window. It keeps no state of its own: user input goes into the model of the window
// before a handler runs, every event runs its handler, and after each handler the whole model is
// rendered into the widgets (only what changed, signals blocked).

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "commands/editor.h"
#include "commands/number_offers.h"

class QAction;
class QComboBox;
class QCompleter;
class QMenu;
class QMenuBar;

namespace dlg::ui {

class ConversationWindow;
class PlayWindow;
struct EditorView;
class FlagEditorForm;
class ListView;
class JumpTargetModel;
struct ActionInfo;

class EditorForm : public QWidget {
  Q_OBJECT
 public:
  explicit EditorForm(Editor& ed, QWidget* parent = nullptr);
  ~EditorForm() override;

  // Start-up: the window's load event.
  void Load();
  void Render();
  // The Flag Editor window while the model has one.
  FlagEditorForm* flagEditorForm() const;
  // The Conversation window once View > Conversation has opened it.
  ConversationWindow* conversationWindow() const;
  // Opens the Conversation window, with the focus in its Find box when asked.
  void ShowConversation(bool find);
  // The Play window once View > Play or Go > Play from Here has opened it.
  PlayWindow* playWindow() const;
  // Opens the Play window on a new play from the line numbered `from` ("": the first record).
  void ShowPlay(const std::string& from);
  // Loads a file named on the command line, or one of the recent files.
  void OpenFile(const std::string& path, bool recent);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // editor_wiring.cpp
  void Wire();
  void WireBrowse();
  void Run(const std::function<void()>& handler);
  void ApplyFocus();
  void RunFlagEditor(void (*handler)(FlagEditorWindow&, FlagFields));
  void OpenFlagEditorWith(void (*handler)(Editor&));
  // editor_menus.cpp
  void BuildMenuBar();
  void RunAction(const ActionInfo& action);
  void RenderMenus();
  // Each item enabled and named for the model as it stands: also as a menu opens, since typing
  // in a box changes what Undo and Redo would do without running a command.
  void RenderMenuItems();
  void FillRecentMenu();
  void FollowInConversation();
  EditorView ViewOfEditor() const;
  // editor_jump_box.cpp
  void WireJumpBox();
  void ReadJumpTargets();
  void RenderJumpBox();
  // editor_render.cpp
  void RenderTexts();
  void RenderLists();
  void RenderBrowse();
  void RenderFlagEditor();

  template <class T>
  T* Widget(const std::string& name) const {
    return static_cast<T*>(widgets_.at(name));
  }

  Editor& ed_;
  std::map<std::string, QWidget*> widgets_;
  bool busy_ = false;
  QPointer<FlagEditorForm> flagForm_;
  QMenuBar* menuBar_ = nullptr;
  QWidget* client_ = nullptr;  // the client area of the layout table, below the menu bar
  std::vector<std::pair<QAction*, const ActionInfo*>> actions_;
  QPointer<ConversationWindow> conversation_;
  QPointer<PlayWindow> play_;
  QMenu* recentMenu_ = nullptr;
  std::string rememberedFile_;  // the last file loaded, as the recent files have it
  JumpTargets jumpTargets_;     // what the jump box's completer offers
  JumpTargetModel* jumpModel_ = nullptr;
  QCompleter* jumpCompleter_ = nullptr;
  std::string jumpKey_;  // what the jump box's mark was judged on

  // What the widgets show, to set only what changed.
  std::string shownCaption_;
  std::map<const QWidget*, std::string> shownText_;
  std::string shownLineKey_;  // the file, line and mode whose texts the boxes show
  std::map<const QWidget*, std::vector<std::string>> shownRows_;  // short lists only
  std::map<const QWidget*, std::uint64_t> shownStamp_;            // the window model's lists
};

}  // namespace dlg::ui
