#include "ui/conversation_models.h"

#include <QFont>
#include <QThreadPool>
#include <algorithm>
#include <utility>

#include "ui/latest_job.h"
#include "ui/text_bytes.h"

namespace dlg::ui {

namespace {
// A row shows no more than fits in a list many times over.
constexpr std::size_t kShownBytes = 400;
// Rows handed to a view at a time: laid out in a few milliseconds.
constexpr int kRowsAtATime = 5000;
}  // namespace

const std::vector<int>& OutlineModel::Top() const { return snapshot_->outlineTop; }

void OutlineModel::Show(std::shared_ptr<const ConversationSnapshot> snapshot) {
  beginResetModel();
  ReleaseAside(std::exchange(snapshot_, std::move(snapshot)));
  handed_ = snapshot_ ? std::min(kRowsAtATime, static_cast<int>(Top().size())) : 0;
  marked_ = -1;
  endResetModel();
}

int OutlineModel::ChildCount(int top) const {
  const int row = Top()[static_cast<std::size_t>(top)];
  const int next = static_cast<std::size_t>(top) + 1 < Top().size()
                       ? Top()[static_cast<std::size_t>(top) + 1]
                       : static_cast<int>(snapshot_->conversation.records.size());
  return next - row - 1;
}

// Top-level items carry 0 as their id, a reply the place of its NPC line plus one.
QModelIndex OutlineModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0 || !snapshot_) return {};
  if (!parent.isValid()) {
    return row < handed_ ? createIndex(row, 0, quintptr(0)) : QModelIndex();
  }
  if (parent.internalId() != 0 || row >= ChildCount(parent.row())) return {};
  return createIndex(row, 0, quintptr(parent.row()) + 1);
}

QModelIndex OutlineModel::parent(const QModelIndex& child) const {
  if (!child.isValid() || child.internalId() == 0) return {};
  return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr(0));
}

int OutlineModel::rowCount(const QModelIndex& parent) const {
  if (!snapshot_) return 0;
  if (!parent.isValid()) return handed_;
  if (parent.internalId() != 0) return 0;
  return ChildCount(parent.row());
}

int OutlineModel::columnCount(const QModelIndex&) const { return 1; }

int OutlineModel::OutlineRow(const QModelIndex& index) const {
  if (!index.isValid() || !snapshot_) return -1;
  if (index.internalId() == 0) return Top()[static_cast<std::size_t>(index.row())];
  return Top()[static_cast<std::size_t>(index.internalId() - 1)] + 1 + index.row();
}

int OutlineModel::RecordAt(const QModelIndex& index) const {
  const int row = OutlineRow(index);
  return row;  // the outline lists the records in file order
}

std::string OutlineModel::NumberAt(const QModelIndex& index) const {
  return snapshot_ ? snapshot_->NumberOf(RecordAt(index)) : std::string();
}

// The NPC line a reply stands under, or -1 for a record at the top.
int OutlineModel::ParentOf(int record) const {
  const Conversation& c = snapshot_->conversation;
  const auto r = static_cast<std::size_t>(record);
  return c.records[r].npc ? -1 : c.records[r].group;
}

int OutlineModel::TopOf(int record) const {
  if (!snapshot_ || record < 0 ||
      record >= static_cast<int>(snapshot_->conversation.records.size()))
    return -1;
  const int parentRow = ParentOf(record);
  const int topRow = parentRow == -1 ? record : parentRow;
  return static_cast<int>(std::lower_bound(Top().begin(), Top().end(), topRow) - Top().begin());
}

void OutlineModel::HandOver(int rows) {
  const int to = std::min(rows, static_cast<int>(Top().size()));
  if (to <= handed_) return;
  beginInsertRows({}, handed_, to - 1);
  handed_ = to;
  endInsertRows();
}

bool OutlineModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && snapshot_ && handed_ < static_cast<int>(Top().size());
}

void OutlineModel::fetchMore(const QModelIndex& parent) {
  if (!parent.isValid() && snapshot_) HandOver(handed_ + kRowsAtATime);
}

QModelIndex OutlineModel::Reveal(int record) {
  const int top = TopOf(record);
  if (top >= handed_) HandOver(top + kRowsAtATime);
  return IndexOf(record);
}

QModelIndex OutlineModel::IndexOf(int record) const {
  const int top = TopOf(record);
  if (top < 0 || top >= handed_) return {};
  const int row = record;
  const int parentRow = ParentOf(record);
  if (parentRow == -1) return createIndex(top, 0, quintptr(0));
  return createIndex(row - parentRow - 1, 0, quintptr(top) + 1);
}

void OutlineModel::Mark(int record) {
  if (record == marked_) return;
  const QModelIndex was = IndexOf(marked_);
  marked_ = record;
  const QModelIndex now = IndexOf(marked_);
  if (was.isValid()) emit dataChanged(was, was, {Qt::FontRole});
  if (now.isValid()) emit dataChanged(now, now, {Qt::FontRole});
}

QVariant OutlineModel::data(const QModelIndex& index, int role) const {
  const int row = OutlineRow(index);
  if (row < 0) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
    return BytesToText(
        std::string_view(check::OutlineText(snapshot_->conversation, row)).substr(0, kShownBytes));
  if (role == Qt::FontRole && row == marked_) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  return {};
}

void RecordRowsModel::Show(Rows rows) {
  beginResetModel();
  // What the rows hold (a snapshot, a million rows found) is let go of on another thread.
  QThreadPool::globalInstance()->start([old = std::exchange(rows_, std::move(rows))] {});
  handed_ = std::min(kRowsAtATime, rows_.count);
  endResetModel();
}

bool RecordRowsModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && handed_ < rows_.count;
}

void RecordRowsModel::fetchMore(const QModelIndex& parent) {
  if (parent.isValid() || handed_ >= rows_.count) return;
  const int to = std::min(handed_ + kRowsAtATime, rows_.count);
  beginInsertRows({}, handed_, to - 1);
  handed_ = to;
  endInsertRows();
}

std::optional<std::string> RecordRowsModel::NumberAt(const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= handed_) return std::nullopt;
  return rows_.number(index.row());
}

int RecordRowsModel::RowAt(const QModelIndex& index) const {
  return index.isValid() && index.row() < handed_ ? index.row() : -1;
}

int RecordRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : handed_;
}

QVariant RecordRowsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= handed_) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return rows_.text(index.row());
  return {};
}

}  // namespace dlg::ui
