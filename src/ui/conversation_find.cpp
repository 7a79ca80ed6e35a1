#include "ui/conversation_find.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>
#include <utility>

#include "check/views.h"
#include "ui/control_names.h"
#include "ui/conversation_models.h"
#include "ui/field_boxes.h"
#include "ui/latest_job.h"
#include "ui/text_bytes.h"

namespace dlg::ui {

FindPane::FindPane(QWidget* parent) : QWidget(parent) {
  job_ = new LatestJob(this);
  connect(job_, &LatestJob::finished, this, &FindPane::finished);
  foundModel_ = new RecordRowsModel(this);

  text_ = new FieldLineEdit;  // what no record can hold is refused aloud
  text_->setEnterActs(true);
  text_->setObjectName(QString::fromLatin1(control::kFindText));
  text_->setAccessibleName(QStringLiteral("Find:"));
  text_->setClearButtonEnabled(true);
  text_->installEventFilter(this);
  found_ = new QListView;
  found_->setObjectName(QString::fromLatin1(control::kFoundRecords));
  found_->setAccessibleName(QStringLiteral("Found"));
  found_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  found_->setSelectionMode(QAbstractItemView::SingleSelection);
  found_->setUniformItemSizes(true);
  found_->setModel(foundModel_);

  auto* label = new QLabel(QStringLiteral("Find:"));
  label->setBuddy(text_);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(label);
  row->addWidget(text_, 1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(2);
  column->addLayout(row);
  column->addWidget(found_, 1);
  setTabOrder(text_, found_);

  connect(text_, &QLineEdit::textChanged, this, &FindPane::Find);
  // Enter in the box goes to the first record found; Enter or a double-click on a row, to its.
  connect(text_, &QLineEdit::returnPressed, this, [this] {
    if (const auto number = foundModel_->NumberAt(foundModel_->index(0)))
      emit goToLine(QByteArray::fromStdString(*number));
  });
  connect(found_, &QListView::activated, this, [this](const QModelIndex& index) {
    if (const auto number = foundModel_->NumberAt(index))
      emit goToLine(QByteArray::fromStdString(*number));
  });
}

QLineEdit* FindPane::Box() const { return text_; }

bool FindPane::Busy() const { return job_->Busy(); }

void FindPane::Focus() {
  text_->setFocus(Qt::ShortcutFocusReason);
  text_->selectAll();
}

bool FindPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down &&
      static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier &&
      foundModel_->rowCount() > 0) {
    found_->setFocus(Qt::TabFocusReason);
    found_->setCurrentIndex(foundModel_->index(0));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void FindPane::Search(std::shared_ptr<const check::ConversationSnapshot> snapshot) {
  ReleaseAside(std::exchange(snapshot_, std::move(snapshot)));
  Find();
}

void FindPane::Find() {
  const std::string needle = TextToBytes(text_->text());
  const std::shared_ptr<const check::ConversationSnapshot> s = snapshot_;
  if (!s || needle.empty()) {
    foundModel_->Show({});
    return;
  }
  job_->Request([this, s, needle] {
    auto found = std::make_shared<const std::vector<check::FoundAt>>(
        check::FindRecords(s->conversation, needle));
    return [this, s, needle, found] {
      // A newer file or text has its own search under way.
      if (s != snapshot_ || needle != TextToBytes(text_->text())) return;
      foundModel_->Show({static_cast<int>(found->size()),
                         [s, found](int row) {
                           return BytesToText(check::FoundText(
                               s->conversation, (*found)[static_cast<std::size_t>(row)]));
                         },
                         [s, found](int row) -> std::optional<std::string> {
                           return s->NumberOf((*found)[static_cast<std::size_t>(row)].record);
                         }});
    };
  });
}

}  // namespace dlg::ui
