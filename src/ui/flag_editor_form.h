#pragma once
// The Flag Editor window: renders its model and reports the user's clicks. What the clicks do is
// the flag editor's logic, run by the editor window.

#include <QWidget>
#include <string>
#include <vector>

#include "flageditor/flag_editor.h"

class QButtonGroup;
class QComboBox;
class QFrame;

namespace dlg::ui {

class FieldLineEdit;

class FlagEditorForm : public QWidget {
  Q_OBJECT
 public:
  FlagEditorForm(FlagEditorWindow& model, QWidget* parent);
  // Shows the model; a window that comes up gets the keyboard focus in its edit box.
  void Render();
  // Focus to the edit box, as at every opening.
  void FocusEditBox();
  // From now on the model is gone: no input reaches it any more.
  void Detach();

 signals:
  void insertCondition();
  void insertAction();
  void accepted();
  void cancelled();
  void closeRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  FlagEditorWindow* model_;
  FieldLineEdit* editBox_;
  QComboBox* conditionCatalog_;
  QComboBox* actionCatalog_;
  QFrame* conditionPanel_;
  QFrame* actionPanel_;
  QButtonGroup* joinButtons_;
  std::string shownEdit_;
  std::vector<std::string> shownBool_, shownExec_;
};

}  // namespace dlg::ui
