#include "ui/folder_rows_view.h"

#include <QAbstractListModel>
#include <QLabel>
#include <QListView>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "fileio/paths.h"
#include "ui/text_bytes.h"

namespace dlg::ui {

namespace {
constexpr qint64 kTakeEveryMs = 40;
}  // namespace

class FolderRowsModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void Append(std::vector<mod::Row> rows) {
    if (rows.empty()) return;
    const int from = static_cast<int>(rows_.size());
    beginInsertRows({}, from, from + static_cast<int>(rows.size()) - 1);
    std::move(rows.begin(), rows.end(), std::back_inserter(rows_));
    endInsertRows();
  }
  void Clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
  }
  const mod::Row* RowAt(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return nullptr;
    return &rows_[static_cast<std::size_t>(index.row())];
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override {
    const mod::Row* row = RowAt(index);
    if (row == nullptr || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
    // The path as file names are shown, the rest as its own bytes are.
    return DisplayText(row->file) +
           (row->fileBytes ? BytesToText(row->text) : QString::fromStdString(row->text));
  }

 private:
  std::vector<mod::Row> rows_;
};

FolderRowsView::FolderRowsView(const char* listName, const char* accessibleName,
                               const char* statusName, Status status, QWidget* parent)
    : QWidget(parent), status_(std::move(status)) {
  statusLine_ = new QLabel;
  statusLine_->setObjectName(QString::fromLatin1(statusName));
  model_ = new FolderRowsModel(this);
  list_ = new QListView;
  list_->setObjectName(QString::fromLatin1(listName));
  list_->setAccessibleName(QString::fromLatin1(accessibleName));
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setUniformItemSizes(true);
  list_->setModel(model_);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  column->addWidget(list_, 1);
  column->addWidget(statusLine_);

  // Enter and a double-click alike: the view's "activated".
  connect(list_, &QListView::activated, this, [this](const QModelIndex& index) {
    if (const mod::Row* row = model_->RowAt(index))
      emit goToFileLine(QByteArray::fromStdString(JoinPath(folder_, row->file)),
                        QByteArray::fromStdString(row->number),
                        QByteArray::fromStdString(row->unreachable));
  });

  QPointer<FolderRowsView> self(this);
  run_ = std::make_unique<mod::FolderRun>([self](bool finished) {
    // From the pass's thread: queued to this view, dropped by Qt should it be gone.
    QMetaObject::invokeMethod(
        self.data(), [self, finished] { finished ? self->TakeRows() : self->RowsWait(); },
        Qt::QueuedConnection);
  });
}

FolderRowsView::~FolderRowsView() = default;

void FolderRowsView::Start(const std::string& folder, const mod::LoadedFile& loaded,
                           mod::FolderRun::MakeRows makeRows) {
  folder_ = folder;
  busy_ = true;
  model_->Clear();
  statusLine_->setText(status_(mod::Progress{}));
  run_->Start(folder, loaded, std::move(makeRows));
}

void FolderRowsView::Stop() { run_->Stop(); }

void FolderRowsView::Clear(const QString& status) {
  run_->Stop();
  busy_ = false;
  model_->Clear();
  statusLine_->setText(status);
}

// Rows are taken at once after a quiet spell, so the first come at once, and then at most every
// kTakeEveryMs (each take lays out and paints the list again); the last as soon as the pass ends.
void FolderRowsView::RowsWait() {
  if (takeDue_) return;
  const qint64 wait = sinceTake_.isValid() ? kTakeEveryMs - sinceTake_.elapsed() : 0;
  if (wait <= 0) {
    TakeRows();
    return;
  }
  takeDue_ = true;
  QTimer::singleShot(static_cast<int>(wait), this, [this] {
    takeDue_ = false;
    TakeRows();
  });
}

void FolderRowsView::TakeRows() {
  if (!busy_) return;  // cleared meanwhile
  sinceTake_.start();
  mod::Progress p = run_->Take();
  model_->Append(std::move(p.rows));
  busy_ = !p.finished;
  statusLine_->setText(status_(p));
  emit progressed();
}

}  // namespace dlg::ui
