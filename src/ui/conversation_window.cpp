#include "ui/conversation_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <utility>

#include "check/counts.h"
#include "commands/copy_for_views.h"
#include "ui/control_names.h"
#include "ui/conversation_find.h"
#include "ui/conversation_models.h"
#include "ui/editor_actions.h"
#include "ui/find_in_files_panel.h"
#include "ui/latest_job.h"
#include "ui/map_view.h"
#include "ui/text_bytes.h"
#include "ui/user_settings.h"
#include "ui/window_placement.h"

namespace dlg::ui {

namespace {

// An outline this short opens with every NPC line's replies shown; a longer one would take the
// window a while to lay out, and shows them on demand.
constexpr int kExpandedOutline = 5000;
// Work that ends sooner than this leaves nothing greyed: no flicker on every edit.
constexpr int kGreyAfterMs = 150;
const char kGeometryKey[] = "conversationWindow/geometry";
// Narrower than this, the window beside the editor would crowd its map: it opens over it.
constexpr int kLeastWidthBeside = 560;

QString Latin(const char* s) { return QString::fromLatin1(s); }

QWidget* Titled(QLabel* title, QWidget* body, QWidget* above = nullptr) {
  auto* panel = new QWidget;
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(2);
  column->addWidget(title);
  if (above) column->addWidget(above);
  column->addWidget(body, 1);
  title->setBuddy(body);
  return panel;
}

void SetGrey(QWidget* view, bool grey) {
  QPalette palette = view->palette();
  const QColor text = grey ? palette.color(QPalette::Disabled, QPalette::Text)
                           : QApplication::palette(view).color(QPalette::Active, QPalette::Text);
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
    palette.setColor(g, QPalette::Text, text);
  view->setPalette(palette);
}

template <class View>
View* ItemView(const char* name, const char* accessible) {
  auto* view = new View;
  view->setObjectName(Latin(name));
  view->setAccessibleName(Latin(accessible));
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  return view;
}

}  // namespace

ConversationWindow::ConversationWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(Latin(control::kConversationWindow));
  setWindowTitle(QStringLiteral("Conversation"));
  resize(960, 680);
  listsJob_ = new LatestJob(this);
  mapJob_ = new LatestJob(this);
  for (LatestJob* job : {listsJob_, mapJob_})
    connect(job, &LatestJob::finished, this, &ConversationWindow::CheckSettled);
  Build();
}

ConversationWindow::~ConversationWindow() = default;

void ConversationWindow::Build() {
  outlineModel_ = new OutlineModel(this);
  problemsModel_ = new RecordRowsModel(this);

  outline_ = ItemView<QTreeView>(control::kOutline, "Outline");
  outline_->setModel(outlineModel_);
  outline_->setHeaderHidden(true);
  outline_->setUniformRowHeights(true);
  outline_->setExpandsOnDoubleClick(false);  // a double-click goes to the line
  problems_ = ItemView<QListView>(control::kProblems, "Problems");
  problems_->setModel(problemsModel_);
  problems_->setUniformItemSizes(true);
  findPane_ = new FindPane;
  connect(findPane_, &FindPane::finished, this, &ConversationWindow::CheckSettled);
  connect(findPane_, &FindPane::goToLine, this, &ConversationWindow::goToLine);

  mapView_ = new MapView;
  mapView_->setObjectName(Latin(control::kMap));
  mapView_->setAccessibleName(QStringLiteral("Map"));
  mapNote_ = new QLabel;
  mapNote_->setObjectName(Latin(control::kMapNote));
  mapNote_->setWordWrap(true);
  auto* mapBar = new QWidget;
  auto* mapBarLayout = new QHBoxLayout(mapBar);
  mapBarLayout->setContentsMargins(0, 0, 0, 0);
  for (auto [name, caption, factor] :
       {std::tuple{control::kZoomIn, "Zoom In", 1.25},
        std::tuple{control::kZoomOut, "Zoom Out", 0.8}, std::tuple{control::kFitMap, "Fit", 0.0}}) {
    auto* button = new QPushButton(Latin(caption));
    button->setObjectName(Latin(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, f = factor] {
      if (f == 0.0) {
        mapView_->Fit();
      } else {
        mapView_->ZoomBy(f);
      }
    });
    mapBarLayout->addWidget(button);
  }
  mapBarLayout->addWidget(mapNote_, 1);

  problemsTitle_ = new QLabel(QStringLiteral("Problems"));
  auto* left = new QSplitter(Qt::Vertical);
  counts_ = new QLabel;
  counts_->setObjectName(Latin(control::kCounts));
  counts_->setWordWrap(true);
  left->addWidget(Titled(new QLabel(QStringLiteral("Outline")), outline_, counts_));
  left->addWidget(findPane_);
  left->setSizes({700, 300});
  auto* right = new QSplitter(Qt::Vertical);
  right->addWidget(Titled(new QLabel(QStringLiteral("Map")), mapView_, mapBar));
  QWidget* problemsChoice = BuildFolderParts();
  right->addWidget(Titled(problemsTitle_, problemsStack_, problemsChoice));
  right->setSizes({750, 250});
  auto* columns = new QSplitter(Qt::Horizontal);
  columns->addWidget(left);
  columns->addWidget(right);
  // The map has the larger share: it shows the conversation's shape at a glance.
  columns->setSizes({300, 700});
  // Find in Files below both, as wide as the window: its rows name files.
  auto* rows = new QSplitter(Qt::Vertical);
  rows->addWidget(columns);
  rows->addWidget(findInFiles_);
  rows->setSizes({820, 180});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(rows);
  setTabOrder(findPane_->Box(), findPane_->Found());
  setTabOrder(findPane_->Found(), outline_);
  setTabOrder(outline_, mapView_);
  setTabOrder(mapView_, problems_);
  setTabOrder(problems_, findInFiles_);

  // Enter and a double-click alike: the views' "activated".
  connect(outline_, &QTreeView::activated, this, [this](const QModelIndex& index) {
    if (const int record = outlineModel_->RecordAt(index); record >= 0)
      GoToRecord(record, outlineModel_->NumberAt(index));
  });
  connect(problems_, &QListView::activated, this, [this](const QModelIndex& index) {
    const int row = problemsModel_->RowAt(index);
    if (const auto number = problemsModel_->NumberAt(index); number && snapshot_)
      GoToRecord(snapshot_->problemRecords[static_cast<std::size_t>(row)], *number);
  });
  connect(mapView_, &MapView::linePicked, this, &ConversationWindow::goToLine);

  auto shortcut = [this](const char* shortcuts, auto action) {
    for (const QKeySequence& keys : KeysOf(shortcuts))
      connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
  };
  shortcut(EditorAction(ActionId::Find).shortcuts, [this] { FocusFind(); });
  shortcut(EditorAction(ActionId::FindInFiles).shortcuts, [this] { FocusFindInFiles(); });
  for (const ConversationAction& a : ConversationActions()) {
    switch (a.id) {
      case ConversationActionId::ZoomIn:
        shortcut(a.shortcuts, [this] { mapView_->ZoomBy(1.25); });
        break;
      case ConversationActionId::ZoomOut:
        shortcut(a.shortcuts, [this] { mapView_->ZoomBy(0.8); });
        break;
      case ConversationActionId::FitMap:
        shortcut(a.shortcuts, [this] { mapView_->Fit(); });
        break;
    }
  }
}

void ConversationWindow::GoToRecord(int record, const std::string& number) {
  const std::string note =
      snapshot_ ? check::UnreachableNote(snapshot_->conversation, record) : std::string();
  if (note.empty()) {
    emit goToLine(QByteArray::fromStdString(number));
  } else {
    emit cannotReach(QByteArray::fromStdString(note));
  }
}

void ConversationWindow::Follow(const EditorView& view) {
  const bool fileChanged = view.dialoguePath != view_.dialoguePath || view.loaded != view_.loaded;
  view_ = view;
  if (fileChanged) {
    const std::string& path = view_.dialoguePath;
    const std::size_t slash = path.find_last_of('/');
    setWindowTitle(view_.loaded
                       ? QStringLiteral("Conversation - ") +
                             DisplayText(slash == std::string::npos ? path : path.substr(slash + 1))
                       : QStringLiteral("Conversation"));
    mapView_->Fit();  // another file's map is seen whole first
  }
  if (isVisible()) {
    Refresh();
    RefreshFolderProblems();
  }
}

void ConversationWindow::FocusFind() {
  if (!isVisible()) show();
  raise();
  activateWindow();
  findPane_->Focus();
}

bool ConversationWindow::Busy() const {
  return listsJob_->Busy() || findPane_->Busy() || mapJob_->Busy() || FolderBusy();
}

void ConversationWindow::showEvent(QShowEvent* event) {
  if (!restored_) {
    restored_ = true;
    // Where the user left it; the first time, beside the editor where the screen has room.
    if (!restoreGeometry(UserSettings().value(QString::fromLatin1(kGeometryKey)).toByteArray()) &&
        parentWidget())
      OpenBeside(*this, *parentWidget()->window(), kLeastWidthBeside);
  }
  QWidget::showEvent(event);
  Refresh();
  RefreshFolderProblems();
}

void ConversationWindow::hideEvent(QHideEvent* event) {
  UserSettings().setValue(QString::fromLatin1(kGeometryKey), saveGeometry());
  QWidget::hideEvent(event);
}

void ConversationWindow::Refresh() {
  if (!view_.loaded) {
    shownKey_.clear();
    ReleaseAside(std::exchange(snapshot_, nullptr));
    ReleaseAside(std::exchange(mapSnapshot_, nullptr));
    shownRecord_ = -1;
    outlineModel_->Show(nullptr);
    problemsModel_->Show({});
    counts_->clear();
    findPane_->Search(nullptr);
    problemsTitle_->setText(QStringLiteral("Problems"));
    mapView_->Clear();
    mapNote_->clear();
    Grey();
    CheckSettled();
    return;
  }
  const std::string key = view_.workingCopy + '\n' + std::to_string(view_.copyWrites);
  if (key == shownKey_) {
    MarkShownLine();
    return;
  }
  shownKey_ = key;
  const std::string path = view_.workingCopy;
  FileOps& files = *view_.files;
  listsJob_->Request([this, &files, path, key] {
    CopyForViews copy = ReadCopyForViews(files, path);
    std::shared_ptr<const ConversationSnapshot> s =
        check::SnapshotOf(std::move(copy.bytes), std::move(copy.error));
    const QString counts = CountsText(check::CountDialogue(s->conversation));
    return [this, s, key, counts] {
      // Dropped when the editor has moved on to another file, or none.
      if (key != shownKey_) return;
      ShowSnapshot(s);
      counts_->setText(counts);
    };
  });
  GreyLater();
}

void ConversationWindow::ShowSnapshot(std::shared_ptr<const ConversationSnapshot> snapshot) {
  ReleaseAside(std::exchange(snapshot_, std::move(snapshot)));
  shownRecord_ = -1;
  outlineModel_->Show(snapshot_);
  if (static_cast<int>(snapshot_->conversation.records.size()) <= kExpandedOutline)
    outline_->expandAll();
  const std::shared_ptr<const ConversationSnapshot> s = snapshot_;
  problemsModel_->Show({static_cast<int>(s->problems.size()),
                        [s](int row) {
                          return QString::fromStdString(check::ProblemText(
                              s->conversation, s->problems[static_cast<std::size_t>(row)]));
                        },
                        [s](int row) -> std::optional<std::string> {
                          const int record = s->problemRecords[static_cast<std::size_t>(row)];
                          if (record < 0) return std::nullopt;
                          return s->NumberOf(record);
                        }});
  QString title = QStringLiteral("Problems (%1)").arg(s->problems.size());
  if (!s->error.empty()) title = QStringLiteral("Problems: ") + DisplayText(s->error);
  problemsTitle_->setProperty(kThisFileTitle, title);
  if (!allFiles_->isChecked()) problemsTitle_->setText(title);
  findPane_->Search(snapshot_);
  MarkShownLine();
  RequestMap();
  Grey();
}

void ConversationWindow::MarkShownLine() {
  if (!snapshot_) return;
  const int record = RecordShownIn(*snapshot_);
  if (record != shownRecord_) {
    shownRecord_ = record;
    outlineModel_->Mark(record);
    const QModelIndex index = outlineModel_->Reveal(record);
    if (index.isValid()) {
      outline_->setCurrentIndex(index);
      outline_->scrollTo(index);
    }
  }
  if (!mapSnapshot_) return;
  // The map may stand for an older state of the file: the line is looked for in its own.
  const int onMap = RecordShownIn(*mapSnapshot_);
  if (!map::MapServes(*mapSnapshot_, map_, onMap)) {
    RequestMap();
    return;
  }
  const auto& records = mapSnapshot_->conversation.records;
  const int npc = onMap < 0 ? -1 : records[static_cast<std::size_t>(onMap)].group;
  mapView_->MarkLine(npc < 0 ? std::string() : mapSnapshot_->NumberOf(npc));
}

int ConversationWindow::RecordShownIn(const ConversationSnapshot& s) {
  // Looked up once for each file state and line: every handler of the editor asks again.
  for (ShownIn& memo : shownIn_)
    if (memo.snapshot == &s && memo.number == view_.shownNumber) return memo.record;
  ShownIn& memo = shownIn_[&s == snapshot_.get() ? 0 : 1];
  memo = {&s, view_.shownNumber, s.RecordOf(view_.shownNumber)};
  return memo.record;
}

void ConversationWindow::RequestMap() {
  const std::shared_ptr<const ConversationSnapshot> s = snapshot_;
  if (!s) return;
  const int record = RecordShownIn(*s);
  mapJob_->Request([this, s, record] {
    auto picture = std::make_shared<MapPicture>(map::LayOutConversation(*s, record));
    return [this, s, picture] { ShowMap(s, std::move(*picture)); };
  });
  GreyLater();
}

void ConversationWindow::ShowMap(std::shared_ptr<const ConversationSnapshot> snapshot,
                                 MapPicture picture) {
  if (!snapshot_) return;  // the file was unloaded meanwhile
  ReleaseAside(std::exchange(mapSnapshot_, std::move(snapshot)));
  map_ = std::move(picture);
  mapView_->ShowLayout(map_.layout);
  mapNote_->setText(QString::fromStdString(map_.note));
  MarkShownLine();
  Grey();
}

void ConversationWindow::GreyLater() {
  QTimer::singleShot(kGreyAfterMs, this, &ConversationWindow::Grey);
}

void ConversationWindow::Grey() {
  const bool listsStale = listsJob_->Busy();
  for (QWidget* view : {static_cast<QWidget*>(outline_), static_cast<QWidget*>(problems_),
                        static_cast<QWidget*>(findPane_->Found())})
    SetGrey(view, listsStale);
  mapView_->SetStale(mapJob_->Busy() || (mapSnapshot_ && mapSnapshot_ != snapshot_));
}

void ConversationWindow::CheckSettled() {
  if (!Busy()) emit settled();
}

}  // namespace dlg::ui
