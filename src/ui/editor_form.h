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

class QComboBox;

namespace dlg::ui {

class FlagEditorForm;
class ListView;

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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // editor_wiring.cpp
  void Wire();
  void WireBrowse();
  void Run(const std::function<void()>& handler);
  void RunFlagEditor(void (*handler)(FlagEditorWindow&, FlagFields));
  void OpenFlagEditorWith(void (*handler)(Editor&));
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

  // What the widgets show, to set only what changed.
  std::string shownCaption_;
  std::map<const QWidget*, std::string> shownText_;
  std::map<const QWidget*, std::vector<std::string>> shownRows_;  // short lists only
  std::map<const QWidget*, std::uint64_t> shownStamp_;            // the window model's lists
};

}  // namespace dlg::ui
