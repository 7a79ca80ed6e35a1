#include "ui/flag_editor_form.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/control_names.h"
#include "ui/editor_layout.h"
#include "ui/field_boxes.h"
#include "ui/text_bytes.h"

namespace dlg::ui {

namespace {

// In the order of JoinMode.
constexpr const char* kJoinButtons[] = {control::kJoinAnd, control::kJoinOr, control::kJoinNone};

void RenderCombo(QComboBox* combo, const std::vector<std::string>& items, const std::string& text,
                 std::vector<std::string>& shown) {
  QSignalBlocker block(combo);
  if (items != shown) {
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) rows << BytesToText(item);
    combo->clear();
    combo->addItems(rows);
    combo->setCurrentIndex(-1);
    shown = items;
  }
  const QString t = BytesToText(text);
  if (combo->currentText() != t) combo->setEditText(t);
}

}  // namespace

FlagEditorForm::FlagEditorForm(FlagEditorWindow& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(&model) {
  setObjectName(QString::fromLatin1(control::kFlagEditor));
  setWindowTitle(QStringLiteral("Flag Editor"));
  setFixedSize(Px(kFlagEditorClientWidth), Px(kFlagEditorClientHeight));
  auto w = BuildControls(this, FlagEditorControls());
  editBox_ = static_cast<FieldLineEdit*>(w.at(control::kEditBox));
  conditionCatalog_ = static_cast<QComboBox*>(w.at(control::kConditionCatalog));
  actionCatalog_ = static_cast<QComboBox*>(w.at(control::kActionCatalog));
  conditionPanel_ = static_cast<QFrame*>(w.at(control::kConditionPanel));
  actionPanel_ = static_cast<QFrame*>(w.at(control::kActionPanel));
  joinButtons_ = new QButtonGroup(this);
  joinButtons_->setExclusive(true);
  for (int i = 0; i < 3; ++i) {
    joinButtons_->addButton(static_cast<QRadioButton*>(w.at(kJoinButtons[i])), i);
  }

  connect(editBox_, &FieldLineEdit::edited, this, [this] {
    if (model_) shownEdit_ = model_->text = editBox_->bytes();
  });
  connect(conditionCatalog_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (model_) model_->conditionChoice = TextToBytes(text);
  });
  connect(actionCatalog_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (model_) model_->actionChoice = TextToBytes(text);
  });
  connect(joinButtons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (model_ && checked) model_->joinMode = static_cast<JoinMode>(id);
  });
  auto click = [&w](const char* name) { return static_cast<QPushButton*>(w.at(name)); };
  connect(click(control::kInsertCondition), &QPushButton::clicked, this,
          &FlagEditorForm::insertCondition);
  connect(click(control::kInsertAction), &QPushButton::clicked, this,
          &FlagEditorForm::insertAction);
  connect(click(control::kAccept), &QPushButton::clicked, this, &FlagEditorForm::accepted);
  connect(click(control::kCancel), &QPushButton::clicked, this, &FlagEditorForm::cancelled);
}

void FlagEditorForm::Render() {
  if (!model_) return;
  const FlagEditorWindow& m = *model_;
  if (m.text != shownEdit_) {
    editBox_->setBytes(m.text);
    shownEdit_ = m.text;
  }
  RenderCombo(conditionCatalog_, m.conditionCatalog, m.conditionChoice, shownBool_);
  RenderCombo(actionCatalog_, m.actionCatalog, m.actionChoice, shownExec_);
  if (QAbstractButton* chosen = joinButtons_->button(static_cast<int>(m.joinMode));
      !chosen->isChecked()) {
    QSignalBlocker block(joinButtons_);
    chosen->setChecked(true);
  }
  if (conditionPanel_->isVisibleTo(this) != m.conditionPanelVisible)
    conditionPanel_->setVisible(m.conditionPanelVisible);
  if (actionPanel_->isVisibleTo(this) != m.actionPanelVisible)
    actionPanel_->setVisible(m.actionPanelVisible);
  if (m.visible && isHidden()) {
    show();
    FocusEditBox();
  } else if (!m.visible && !isHidden()) {
    hide();
    // Not every window manager hands the activation back; the editor window's boxes need it to
    // take the focus again (and report its loss).
    if (parentWidget()) parentWidget()->window()->activateWindow();
  }
}

void FlagEditorForm::FocusEditBox() {
  if (isHidden()) return;
  raise();
  activateWindow();
  editBox_->setFocus(Qt::OtherFocusReason);
}

void FlagEditorForm::Detach() { model_ = nullptr; }

void FlagEditorForm::closeEvent(QCloseEvent* event) {
  // The logic closes the window: it clears the model, and the editor window then destroys it.
  event->ignore();
  if (model_) emit closeRequested();
}

}  // namespace dlg::ui
