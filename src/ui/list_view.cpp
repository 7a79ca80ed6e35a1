#include "ui/list_view.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <memory>

namespace dlg::ui {

void RowsModel::ShowRows(const ItemList* rows, Show show) {
  beginResetModel();
  rows_ = rows;
  own_.clear();
  show_ = show;
  count_ = static_cast<int>(rows->size());
  endResetModel();
}

void RowsModel::ShowOwnRows(const std::vector<std::string>& rows, Show show) {
  beginResetModel();
  own_.clear();
  for (const std::string& row : rows) own_.push_back(row);
  rows_ = &own_;
  show_ = show;
  count_ = static_cast<int>(own_.size());
  endResetModel();
}

int RowsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

QVariant RowsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || rows_ == nullptr || index.row() < 0) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= rows_->size()) return QString();
  return show_((*rows_)[row]);
}

ListView::ListView(QWidget* parent) : QListView(parent) {
  setModel(&model_);
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideNone);
  setWordWrap(false);
  // The selection, not the current row: Ctrl+click on the selected row clears the selection
  // and leaves the current row where it was.
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (!quiet_) emit rowPicked(selectedRow());
  });
  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { emit rowDoubleClicked(index.row()); });
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
  // Where the pointer was is decided before anything runs: the double-click's own handler may
  // refill this list, and the place may then lie below its new last row.
  const bool onRow = indexAt(event->position().toPoint()).isValid();
  QListView::mouseDoubleClickEvent(event);
  // Below the last row (or in an empty list) Qt reports no double-click at all.
  if (!onRow) emit emptyAreaDoubleClicked();
}

void ListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // The row with the keyboard's focus frame is the one meant, picked as a click would.
    if (selectedRow() == -1 && currentIndex().isValid())
      selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    emit enterPressed(selectedRow());
    event->accept();
    return;
  }
  // A list just filled has its focus frame on the first row and nothing selected: the first
  // Up or Down picks that row, as in a list box, rather than the one beyond it.
  const bool step = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
  if (step && event->modifiers() == Qt::NoModifier && selectedRow() == -1 &&
      currentIndex().isValid()) {
    selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

void ListView::setRows(const ItemList* rows, RowsModel::Show show) {
  quiet_ = true;
  model_.ShowRows(rows, show);
  quiet_ = false;
}

void ListView::setOwnRows(const std::vector<std::string>& rows, RowsModel::Show show) {
  quiet_ = true;
  model_.ShowOwnRows(rows, show);
  quiet_ = false;
}

void ListView::setSelectedRow(int row) {
  quiet_ = true;
  if (row >= 0 && row < model_.rowCount()) {
    const QModelIndex index = model_.index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
  } else {
    selectionModel()->clear();
  }
  quiet_ = false;
}

int ListView::selectedRow() const {
  const QModelIndexList rows = selectionModel()->selectedIndexes();
  return rows.isEmpty() ? -1 : rows.first().row();
}

int ListView::rowCount() const { return model_.rowCount(); }

QString ListView::rowText(int row) const { return model_.index(row).data().toString(); }

void ScrollTogether(const std::vector<ListView*>& columns) {
  struct Shared {
    int value = 0;
    bool moving = false;
  };
  auto shared = std::make_shared<Shared>();
  for (ListView* from : columns) {
    QScrollBar* bar = from->verticalScrollBar();
    QObject::connect(bar, &QScrollBar::valueChanged, from, [columns, shared, from](int value) {
      if (shared->moving) return;
      shared->moving = true;
      shared->value = value;
      for (ListView* to : columns)
        if (to != from) to->verticalScrollBar()->setValue(value);
      shared->moving = false;
    });
    // The columns are refilled one after another and lay out their rows later: one whose range
    // has just grown takes up the place where the others stand.
    QObject::connect(bar, &QScrollBar::rangeChanged, from,
                     [bar, shared](int, int) { bar->setValue(shared->value); });
  }
}

}  // namespace dlg::ui
