#include "ui/form_builder.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <vector>

#include "ui/field_boxes.h"
#include "ui/list_view.h"
#include "ui/look.h"

namespace dlg::ui {

namespace {

QString Latin(const char* s) { return QString::fromLatin1(s); }

QWidget* Create(const Control& c, QWidget* parent) {
  const QString caption = Latin(c.caption);
  switch (c.kind) {
    case Kind::Frame: {
      auto* frame = new QGroupBox(caption, parent);
      frame->setAutoFillBackground(true);  // a frame hides what stands behind it
      return frame;
    }
    case Kind::Panel: {
      auto* panel = new QFrame(parent);
      panel->setFrameShape(QFrame::NoFrame);
      return panel;
    }
    case Kind::Label: {
      auto* label = new QLabel(caption, parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case Kind::Button: {
      auto* button = new QPushButton(caption, parent);
      button->setAutoDefault(false);  // no button answers Enter
      button->setDefault(false);
      return button;
    }
    case Kind::Line:
      return new FieldLineEdit(parent);
    case Kind::Multi:
      return new FieldTextEdit(parent);
    case Kind::List:
      return new ListView(parent);
    case Kind::Combo: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      combo->setDuplicatesEnabled(true);
      combo->setCompleter(nullptr);  // the text is what the user typed, not a completion
      auto* validator = new FieldValidator(combo->lineEdit());
      validator->setParent(combo);
      combo->lineEdit()->setValidator(validator);
      return combo;
    }
    case Kind::DropDown:
      return new QComboBox(parent);
    case Kind::Option:
      return new QRadioButton(caption, parent);
    case Kind::Picture:
      return new PictureBox(parent);
  }
  return nullptr;
}

bool TakesFocus(Kind kind) {
  return kind != Kind::Frame && kind != Kind::Panel && kind != Kind::Label && kind != Kind::Picture;
}

}  // namespace

std::map<std::string, QWidget*> BuildControls(QWidget* window, std::span<const Control> table) {
  std::map<std::string, QWidget*> widgets;
  std::vector<std::pair<int, QWidget*>> tabbed;
  std::vector<QWidget*> labels;
  for (const Control& c : table) {
    QWidget* parent = *c.container ? widgets.at(c.container) : window;
    QWidget* w = Create(c, parent);
    w->setObjectName(Latin(c.name));
    w->setGeometry(Px(c.left), Px(c.top), Px(c.width), Px(c.height));
    if (c.kind == Kind::Button || c.kind == Kind::Option) {
      w->setAccessibleName(Latin(c.caption));
    } else if (c.accessible != nullptr) {
      w->setAccessibleName(Latin(c.accessible));
    }
    if (c.kind == Kind::Label) labels.push_back(w);
    if (TakesFocus(c.kind) && c.tab >= 0) tabbed.emplace_back(c.tab, w);
    widgets.emplace(c.name, w);
  }
  // Labels are painted beneath the controls that they overlap.
  for (QWidget* label : labels) label->lower();
  std::stable_sort(tabbed.begin(), tabbed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tabbed.size(); ++i) {
    QWidget::setTabOrder(tabbed[i - 1].second, tabbed[i].second);
  }
  return widgets;
}

}  // namespace dlg::ui
