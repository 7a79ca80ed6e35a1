#pragma once
// A list box: one column of rows, no sorting, single selection, rows of one height. Its rows are
// converted to text only when the view asks for them, straight from the list in the window model:
// a list of a million line numbers is held once, by the model, and fills in one step.

#include <QAbstractListModel>
#include <QListView>
#include <string>
#include <string_view>
#include <vector>

#include "commands/item_list.h"

namespace dlg::ui {

// The rows of a ListView: a list that lives elsewhere (the window model's), or one of its own.
class RowsModel : public QAbstractListModel {
 public:
  using Show = QString (*)(std::string_view);
  explicit RowsModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}
  // `rows` must outlive the model, or the next call. It may change in between (a handler runs,
  // a message box paints the window meanwhile): the view keeps the count of the last call, and
  // rows beyond the list as it now stands read as empty until the next call.
  void ShowRows(const ItemList* rows, Show show);
  void ShowOwnRows(const std::vector<std::string>& rows, Show show);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const ItemList* rows_ = nullptr;
  ItemList own_;
  Show show_ = nullptr;
  int count_ = 0;
};

class ListView : public QListView {
  Q_OBJECT
 public:
  explicit ListView(QWidget* parent = nullptr);
  // Without signals; see RowsModel for the lifetime of `rows`.
  void setRows(const ItemList* rows, RowsModel::Show show);
  void setOwnRows(const std::vector<std::string>& rows, RowsModel::Show show);
  void setSelectedRow(int row);  // -1: none; without signals
  int selectedRow() const;
  int rowCount() const;
  QString rowText(int row) const;

 signals:
  void rowPicked(int row);  // the user moved the selection
  void rowDoubleClicked(int row);
  void emptyAreaDoubleClicked();  // the selection stays as it is
  void enterPressed(int row);     // the keyboard's double-click, on the selected row or none

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  RowsModel model_;
  bool quiet_ = false;
};

// Parallel columns, row i of each belonging to one entry: scrolling any of them (wheel, scroll
// bar, keys, a row brought into view) moves all, so a row stands at the same height in each.
void ScrollTogether(const std::vector<ListView*>& columns);

}  // namespace dlg::ui
