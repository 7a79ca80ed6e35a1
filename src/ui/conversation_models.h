#pragma once
// The item models of the Conversation window's lists. Each holds the snapshot it shows and makes
// a row's text only when a view asks for it, and hands its rows to the view a few thousand at a
// time as it scrolls down (fetchMore): a view lays out every row it is given, and a list of a
// million findings would keep the window from its events for a tenth of a second.

#include <QAbstractItemModel>
#include <QAbstractListModel>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "check/conversation_snapshot.h"

namespace dlg::ui {

using check::ConversationSnapshot;

// The outline: NPC lines (and replies before the first of them) at the top, each NPC line's
// replies as its children. The line the editor shows is in bold.
class OutlineModel : public QAbstractItemModel {
 public:
  using QAbstractItemModel::QAbstractItemModel;
  void Show(std::shared_ptr<const ConversationSnapshot> snapshot);
  void Mark(int record);  // -1: none
  // The record's item, its rows handed to the view first where it stands further down.
  QModelIndex Reveal(int record);
  QModelIndex IndexOf(int record) const;
  int RecordAt(const QModelIndex& index) const;  // -1 for none
  std::string NumberAt(const QModelIndex& index) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  int OutlineRow(const QModelIndex& index) const;
  int ChildCount(int top) const;
  const std::vector<int>& Top() const;
  int TopOf(int record) const;
  int ParentOf(int record) const;
  void HandOver(int rows);

  std::shared_ptr<const ConversationSnapshot> snapshot_;
  int handed_ = 0;   // top-level rows the view has been given
  int marked_ = -1;  // record
};

// A flat list of rows, each standing for a record (or for none).
class RecordRowsModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;
  struct Rows {
    int count = 0;
    std::function<QString(int)> text;
    // The number of the record a row stands for; nothing for a row that stands for none.
    std::function<std::optional<std::string>(int)> number;
  };
  void Show(Rows rows);
  std::optional<std::string> NumberAt(const QModelIndex& index) const;
  int RowAt(const QModelIndex& index) const;  // -1 for none

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;
  int Count() const { return rows_.count; }  // all rows, handed over or not

 private:
  Rows rows_;
  int handed_ = 0;
};

}  // namespace dlg::ui
