// The Conversation window's parts that place the loaded file in its mod: its counts of lines and
// words, and those that look past it to every dialogue file in the folder the editor shows, Find
// in Files and the Problems of all files.

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QRadioButton>
#include <QStackedWidget>

#include "check/counts.h"
#include "mod/file_rows.h"
#include "ui/control_names.h"
#include "ui/conversation_window.h"
#include "ui/find_in_files_panel.h"
#include "ui/folder_rows_view.h"

namespace dlg::ui {

namespace {

QString ProblemsStatus(const mod::Progress& p) {
  if (!p.folderError.empty())
    return QStringLiteral("The folder cannot be read: ") + QString::fromStdString(p.folderError);
  const QString summary = QString::fromStdString(mod::ProblemsSummary(p));
  if (p.finished) return summary;
  return QStringLiteral("Checking %1 of %2 files: ").arg(p.filesDone).arg(p.filesTotal) + summary;
}

}  // namespace

// "12 NPC lines (340 words male, 320 female), 30 replies (120 words male, 40 female)"
QString ConversationWindow::CountsText(const check::DialogueCounts& c) {
  const auto part = [](long long n, const char* one, const char* many, const check::WordCounts& w) {
    return QStringLiteral("%1 %2 (%3 %4 male, %5 female)")
        .arg(n)
        .arg(QString::fromLatin1(n == 1 ? one : many))
        .arg(w.male)
        .arg(QString::fromLatin1(w.male == 1 ? "word" : "words"))
        .arg(w.female);
  };
  return part(c.npcLines, "NPC line", "NPC lines", c.npcWords) + QStringLiteral(", ") +
         part(c.replies, "reply", "replies", c.replyWords);
}

QWidget* ConversationWindow::BuildFolderParts() {
  findInFiles_ = new FindInFilesPanel;
  folderProblems_ = new FolderRowsView(control::kFolderProblems, "Problems of All Files",
                                       control::kFolderProblemsSummary, ProblemsStatus);
  problemsStack_ = new QStackedWidget;
  problemsStack_->addWidget(problems_);
  problemsStack_->addWidget(folderProblems_);

  auto* thisFile = new QRadioButton(QStringLiteral("This file"));
  thisFile->setObjectName(QString::fromLatin1(control::kProblemsThisFile));
  thisFile->setChecked(true);
  allFiles_ = new QRadioButton(QStringLiteral("All files in the folder"));
  allFiles_->setObjectName(QString::fromLatin1(control::kProblemsAllFiles));
  auto* group = new QButtonGroup(this);
  group->addButton(thisFile);
  group->addButton(allFiles_);
  auto* choice = new QWidget;
  auto* row = new QHBoxLayout(choice);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(thisFile);
  row->addWidget(allFiles_);
  row->addStretch(1);

  connect(allFiles_, &QRadioButton::toggled, this, [this](bool all) {
    problemsStack_->setCurrentIndex(all ? 1 : 0);
    // The count of this file's findings stands for this file only; all files have a summary.
    problemsTitle_->setText(all ? QStringLiteral("Problems")
                                : problemsTitle_->property(kThisFileTitle).toString());
    if (!all) {
      folderProblems_->Clear();
      folderProblemsKey_.clear();
    }
    RefreshFolderProblems();
  });
  const auto goTo = [this](const QByteArray& path, const QByteArray& number,
                           const QByteArray& unreachable) {
    keptFolder_ = FolderLookedIn();
    emit goToFileLine(path, number, unreachable);
  };
  connect(findInFiles_, &FindInFilesPanel::goToFileLine, this, goTo);
  connect(folderProblems_, &FolderRowsView::goToFileLine, this, goTo);
  connect(findInFiles_, &FindInFilesPanel::progressed, this, &ConversationWindow::CheckSettled);
  connect(folderProblems_, &FolderRowsView::progressed, this, &ConversationWindow::CheckSettled);
  return choice;
}

void ConversationWindow::FocusFindInFiles() {
  if (!isVisible()) show();
  raise();
  activateWindow();
  findInFiles_->Focus();
}

bool ConversationWindow::FolderBusy() const {
  return findInFiles_->Busy() || folderProblems_->Busy();
}

std::string ConversationWindow::FolderLookedIn() {
  const std::string& kept = keptFolder_;
  const std::string& shown = view_.folder;
  const bool below = !kept.empty() && shown.starts_with(kept) &&
                     (shown.size() == kept.size() || shown[kept.size()] == '/' || kept == "/");
  if (!view_.loaded || !below) keptFolder_.clear();
  return keptFolder_.empty() ? shown : keptFolder_;
}

void ConversationWindow::RefreshFolderProblems() {
  const mod::LoadedFile loaded =
      view_.loaded ? mod::LoadedFile{view_.dialoguePath, view_.workingCopy} : mod::LoadedFile{};
  const std::string folder = FolderLookedIn();
  findInFiles_->Follow(folder, loaded);
  if (!allFiles_->isChecked() || !isVisible()) return;
  // Checked again when the folder, the file loaded or its working copy changes, or when Save As
  // writes a file.
  const std::string key = folder + '\n' + loaded.path + '\n' +
                          (view_.loaded ? std::to_string(view_.copyWrites) : std::string()) + '\n' +
                          std::to_string(view_.otherFileWrites);
  if (key == folderProblemsKey_) return;
  folderProblemsKey_ = key;
  if (folder.empty()) {
    folderProblems_->Clear();
    return;
  }
  folderProblems_->Start(folder, loaded, mod::ProblemRows);
}

}  // namespace dlg::ui
