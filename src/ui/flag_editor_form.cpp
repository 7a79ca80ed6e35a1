#include "ui/flag_editor_form.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/cp1252.h"
#include "ui/editor_layout.h"
#include "ui/field_boxes.h"

namespace dlg::ui {

namespace {

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
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Flag Editor"));
  setFixedSize(Px(kFlagEditorClientWidth), Px(kFlagEditorClientHeight));
  auto w = BuildControls(this, FlagEditorControls());
  txtedit_ = static_cast<FieldLineEdit*>(w.at("txtedit"));
  listbool_ = static_cast<QComboBox*>(w.at("listbool"));
  listexec_ = static_cast<QComboBox*>(w.at("listexec"));
  frame1_ = static_cast<QFrame*>(w.at("Frame1"));
  frame2_ = static_cast<QFrame*>(w.at("Frame2"));
  option1_ = new QButtonGroup(this);
  option1_->setExclusive(true);
  for (int i = 0; i < 3; ++i) {
    option1_->addButton(static_cast<QRadioButton*>(w.at("Option1_" + std::to_string(i))), i);
  }

  connect(txtedit_, &FieldLineEdit::edited, this, [this] {
    if (model_) shownEdit_ = model_->txtedit = txtedit_->bytes();
  });
  connect(listbool_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (model_) model_->listboolText = TextToBytes(text);
  });
  connect(listexec_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (model_) model_->listexecText = TextToBytes(text);
  });
  connect(option1_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (model_ && checked) model_->option1 = static_cast<JoinMode>(id);
  });
  auto click = [&w](const char* name) { return static_cast<QPushButton*>(w.at(name)); };
  connect(click("Command3"), &QPushButton::clicked, this, &FlagEditorForm::insertCondition);
  connect(click("Command4"), &QPushButton::clicked, this, &FlagEditorForm::insertAction);
  connect(click("Command1"), &QPushButton::clicked, this, &FlagEditorForm::accepted);
  connect(click("Command2"), &QPushButton::clicked, this, &FlagEditorForm::cancelled);
}

void FlagEditorForm::Render() {
  if (!model_) return;
  const FlagEditorWindow& m = *model_;
  if (m.txtedit != shownEdit_) {
    txtedit_->setBytes(m.txtedit);
    shownEdit_ = m.txtedit;
  }
  RenderCombo(listbool_, m.listboolItems, m.listboolText, shownBool_);
  RenderCombo(listexec_, m.listexecItems, m.listexecText, shownExec_);
  if (QAbstractButton* chosen = option1_->button(static_cast<int>(m.option1));
      !chosen->isChecked()) {
    QSignalBlocker block(option1_);
    chosen->setChecked(true);
  }
  if (frame1_->isVisibleTo(this) != m.frame1Visible) frame1_->setVisible(m.frame1Visible);
  if (frame2_->isVisibleTo(this) != m.frame2Visible) frame2_->setVisible(m.frame2Visible);
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
  txtedit_->setFocus(Qt::OtherFocusReason);
}

void FlagEditorForm::Detach() { model_ = nullptr; }

void FlagEditorForm::closeEvent(QCloseEvent* event) {
  // The logic closes the window: it clears the model, and the editor window then destroys it.
  event->ignore();
  if (model_) emit closeRequested();
}

}  // namespace dlg::ui
