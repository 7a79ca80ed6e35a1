#pragma once
// A list box: one column of rows, no sorting, single selection. It holds a QStringListModel and
// a uniform row height, so a list of 100,000 line numbers fills in one step without laying out
// each row.

#include <QListView>
#include <QStringListModel>

namespace dlg::ui {

class ListView : public QListView {
  Q_OBJECT
 public:
  explicit ListView(QWidget* parent = nullptr);
  void setRows(const QStringList& rows);  // without signals
  void setSelectedRow(int row);           // -1: none; without signals
  int selectedRow() const;
  int rowCount() const;
  QString rowText(int row) const;

 signals:
  void rowPicked(int row);  // the user moved the selection
  void rowDoubleClicked(int row);
  void emptyAreaDoubleClicked();  // the selection stays as it is

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QStringListModel model_;
  bool quiet_ = false;
};

}  // namespace dlg::ui
