#include "ui/find_in_files_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "check/folded_search.h"
#include "mod/file_rows.h"
#include "ui/control_names.h"
#include "ui/field_boxes.h"
#include "ui/folder_rows_view.h"
#include "ui/text_bytes.h"

namespace dlg::ui {

namespace {

QString Counted(std::size_t n, const char* one, const char* many) {
  return QString::number(n) + u' ' + QString::fromLatin1(n == 1 ? one : many);
}

// "12 records found in 3 files, 120 of 500 files read", and what stopped it or was left out.
QString SearchStatus(const mod::Progress& p) {
  if (!p.folderError.empty())
    return QStringLiteral("The folder cannot be read: ") + DisplayText(p.folderError);
  QString text = Counted(static_cast<std::size_t>(p.found), "record", "records") +
                 QStringLiteral(" found in ") + Counted(p.filesWithRows, "file", "files");
  if (p.finished && !p.stopped) {
    text += QStringLiteral(" of ") + QString::number(p.filesTotal);
  } else {
    text += QStringLiteral(", ") + QString::number(p.filesDone) + QStringLiteral(" of ") +
            Counted(p.filesTotal, "file", "files") + QStringLiteral(" read");
  }
  if (p.unreadable > 0)
    text += QStringLiteral(", ") + Counted(p.unreadable, "file", "files") +
            QStringLiteral(" could not be read");
  if (static_cast<std::size_t>(p.found) > mod::FolderRun::kMostRows)
    text += QStringLiteral(" (the first %1 listed)").arg(mod::FolderRun::kMostRows);
  if (p.stopped) return QStringLiteral("Stopped: ") + text;
  if (!p.finished) return QStringLiteral("Searching: ") + text;
  return text;
}

}  // namespace

FindInFilesPanel::FindInFilesPanel(QWidget* parent) : QWidget(parent) {
  auto* box = new FieldLineEdit;  // what no record can hold is refused aloud, as in Find
  box->setEnterActs(true);
  text_ = box;
  text_->setObjectName(QString::fromLatin1(control::kFindInFilesText));
  text_->setAccessibleName(QStringLiteral("Find in Files:"));
  text_->setClearButtonEnabled(true);
  auto* label = new QLabel(QStringLiteral("Find in Files:"));
  label->setBuddy(text_);
  find_ = new QPushButton(QStringLiteral("Find"));
  find_->setObjectName(QString::fromLatin1(control::kStartFindInFiles));
  find_->setAutoDefault(false);
  stop_ = new QPushButton(QStringLiteral("Stop"));
  stop_->setObjectName(QString::fromLatin1(control::kStopFindInFiles));
  stop_->setAutoDefault(false);
  stop_->setEnabled(false);
  folderLine_ = new QLabel;
  folderLine_->setObjectName(QString::fromLatin1(control::kFindInFilesFolder));
  rows_ = new FolderRowsView(control::kFilesFound, "Found in Files", control::kFindInFilesCount,
                             SearchStatus);

  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(label);
  row->addWidget(text_, 1);
  row->addWidget(find_);
  row->addWidget(stop_);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(2);
  column->addLayout(row);
  column->addWidget(folderLine_);
  column->addWidget(rows_, 1);
  setTabOrder(text_, rows_->List());

  connect(text_, &QLineEdit::returnPressed, this, &FindInFilesPanel::Search);
  connect(find_, &QPushButton::clicked, this, &FindInFilesPanel::Search);
  connect(stop_, &QPushButton::clicked, rows_, &FolderRowsView::Stop);
  connect(rows_, &FolderRowsView::goToFileLine, this, &FindInFilesPanel::goToFileLine);
  connect(rows_, &FolderRowsView::progressed, this, [this] {
    stop_->setEnabled(rows_->Busy());
    emit progressed();
  });
  ShowFolder();
}

void FindInFilesPanel::Follow(const std::string& folder, const mod::LoadedFile& loaded) {
  loaded_ = loaded;
  if (folder == folder_) return;
  folder_ = folder;
  ShowFolder();
}

void FindInFilesPanel::ShowFolder() {
  folderLine_->setText(folder_.empty() ? QString()
                                       : QStringLiteral("In ") + DisplayText(folder_) +
                                             QStringLiteral(" and the folders below it"));
}

void FindInFilesPanel::Focus() {
  text_->setFocus(Qt::ShortcutFocusReason);
  text_->selectAll();
}

bool FindInFilesPanel::Busy() const { return rows_->Busy(); }

void FindInFilesPanel::Search() {
  const std::string needle = TextToBytes(text_->text());
  if (needle.empty() || folder_.empty()) {
    rows_->Clear();
    stop_->setEnabled(false);
    return;
  }
  auto search = std::make_shared<const check::FoldedSearch>(needle);
  rows_->Start(folder_, loaded_, [search](const std::string& shown, std::string_view bytes) {
    return mod::FoundRows(*search, shown, bytes);
  });
  stop_->setEnabled(true);
}

}  // namespace dlg::ui
