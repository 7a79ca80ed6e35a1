#include "ui/play_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

#include "commands/boxes.h"
#include "commands/copy_for_views.h"
#include "dialogue/cp1252.h"
#include "dialogue/quoted_text.h"
#include "fileio/file_ops.h"
#include "fileio/files.h"
#include "ui/control_names.h"
#include "ui/editor_actions.h"
#include "ui/latest_job.h"
#include "ui/text_bytes.h"
#include "ui/user_settings.h"
#include "ui/window_placement.h"

namespace dlg::ui {

namespace {

const char kGeometryKey[] = "playWindow/geometry";
// Narrower than this, the transcript and the conditions beside it would not be read.
constexpr int kLeastWidthBeside = 480;
// The line number an item stands for, to go to on a double-click; the reply it offers.
constexpr int kNumberRole = Qt::UserRole;
constexpr int kReplyRole = Qt::UserRole + 1;

QString Latin(const char* s) { return QString::fromLatin1(s); }

template <class W>
W* Named(W* widget, const char* name, const char* accessible) {
  widget->setObjectName(Latin(name));
  widget->setAccessibleName(Latin(accessible));
  return widget;
}

QPushButton* Button(const char* name, const char* caption) {
  auto* b = Named(new QPushButton(Latin(caption)), name, caption);
  b->setAutoDefault(false);
  return b;
}

QWidget* Titled(const char* title, QWidget* body, QWidget* beside = nullptr) {
  auto* panel = new QWidget;
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(2);
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(Latin(title));
  label->setBuddy(body);
  row->addWidget(label, 1);
  if (beside) row->addWidget(beside);
  column->addLayout(row);
  column->addWidget(body, 1);
  return panel;
}

QListWidgetItem* Item(const std::string& bytes, std::string_view number) {
  auto* item = new QListWidgetItem(BytesToText(bytes));
  if (!number.empty()) item->setData(kNumberRole, QByteArray::fromStdString(std::string(number)));
  return item;
}

// Through the editor's own file seam, as the Conversation window reads it.
std::shared_ptr<const PlayText> ReadPlayText(FileOps& ops, const std::string& path) {
  auto t = std::make_shared<PlayText>();
  CopyForViews copy = ReadCopyForViews(ops, path);
  t->bytes = std::move(copy.bytes);
  t->error = std::move(copy.error);
  // The views point into `bytes`, which stays where it is from here on.
  t->conversation = ReadConversation(std::string_view(t->bytes));
  return t;
}

}  // namespace

PlayWindow::PlayWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(Latin(control::kPlayWindow));
  setWindowTitle(QStringLiteral("Play"));
  resize(720, 560);
  readJob_ = new LatestJob(this);
  connect(readJob_, &LatestJob::finished, this, [this] {
    if (!Busy()) emit settled();
  });
  Build();
}

PlayWindow::~PlayWindow() = default;

void PlayWindow::Build() {
  sex_ = Named(new QComboBox, control::kPlaySex, "Sex:");
  sex_->addItems({QStringLiteral("Male"), QStringLiteral("Female")});
  intelligence_ = Named(new QSpinBox, control::kPlayIntelligence, "Intelligence:");
  intelligence_->setRange(play::kLeastIntelligence, play::kMostIntelligence);
  intelligence_->setValue(play::Setup().intelligence);
  auto* restart = Button(control::kPlayRestart, "Restart");
  back_ = Button(control::kPlayBack, "Back");
  auto* player = new QHBoxLayout;
  for (auto [caption, field] :
       {std::pair<const char*, QWidget*>{"&Sex:", sex_},
        std::pair<const char*, QWidget*>{"&Intelligence:", intelligence_}}) {
    auto* label = new QLabel(Latin(caption));
    label->setBuddy(field);
    player->addWidget(label);
    player->addWidget(field);
  }
  player->addStretch(1);
  player->addWidget(back_);
  player->addWidget(restart);

  transcript_ = Named(new QListWidget, control::kTranscript, "Transcript");
  transcript_->setWordWrap(true);
  replies_ = Named(new QListWidget, control::kOfferedReplies, "Replies");
  replies_->setWordWrap(true);
  showHeldBack_ = Named(new QCheckBox(QStringLiteral("Show &held back")), control::kShowHeldBack,
                        "Show held back");
  choose_ = Button(control::kChooseReply, "Choose");
  auto* replyBar = new QWidget;
  auto* replyRow = new QHBoxLayout(replyBar);
  replyRow->setContentsMargins(0, 0, 0, 0);
  replyRow->addWidget(showHeldBack_);
  replyRow->addWidget(choose_);
  conditionList_ = Named(new QListWidget, control::kConditions, "Conditions");

  auto* talk = new QSplitter(Qt::Vertical);
  talk->addWidget(Titled("Transcript", transcript_));
  talk->addWidget(Titled("Replies", replies_, replyBar));
  talk->setStretchFactor(0, 3);
  talk->setStretchFactor(1, 2);
  auto* columns = new QSplitter(Qt::Horizontal);
  columns->addWidget(talk);
  columns->addWidget(Titled("Conditions", conditionList_));
  columns->setStretchFactor(0, 3);
  columns->setStretchFactor(1, 1);
  copy_ = Button(control::kCopyTranscript, "Copy Transcript");
  save_ = Button(control::kSaveTranscript, "Save Transcript...");
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(copy_);
  bottom->addWidget(save_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(player);
  layout->addWidget(columns, 1);
  layout->addLayout(bottom);

  connect(sex_, &QComboBox::currentIndexChanged, this, &PlayWindow::Replay);
  connect(intelligence_, &QSpinBox::valueChanged, this, &PlayWindow::Replay);
  connect(showHeldBack_, &QCheckBox::toggled, this, &PlayWindow::Render);
  connect(conditionList_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    const auto row = static_cast<std::size_t>(conditionList_->row(item));
    if (row >= conditions_.size()) return;
    conditions_[row].second = item->checkState() == Qt::Checked;
    Replay();
  });
  connect(replies_, &QListWidget::currentRowChanged, this,
          [this](int row) { choose_->setEnabled(row >= 0); });
  connect(choose_, &QPushButton::clicked, this, [this] { Choose(replies_->currentRow()); });
  connect(back_, &QPushButton::clicked, this, &PlayWindow::Back);
  connect(restart, &QPushButton::clicked, this, [this] { Start(from_); });
  connect(copy_, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(QString::fromStdString(TranscriptUtf8())); });
  connect(save_, &QPushButton::clicked, this, &PlayWindow::SaveTranscript);
  for (QListWidget* list : {transcript_, replies_}) {
    connect(list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
      const QByteArray number = item->data(kNumberRole).toByteArray();
      if (!number.isEmpty()) emit goToLine(number);
    });
  }
  for (const PlayAction& a : PlayActions()) {
    const QList<QKeySequence> keys = KeysOf(a.shortcuts);
    for (int n = 0; n < keys.size(); ++n) {
      connect(new QShortcut(keys[n], this), &QShortcut::activated, this, [this, id = a.id, n] {
        switch (id) {
          case PlayActionId::ChooseReply:
            if (n < static_cast<int>(play_.offered.size())) Choose(n);
            break;
          case PlayActionId::Back:
            Back();
            break;
          case PlayActionId::Restart:
            Start(from_);
            break;
        }
      });
    }
  }
}

void PlayWindow::Follow(const EditorView& view) {
  const bool fileChanged = view.dialoguePath != view_.dialoguePath || view.loaded != view_.loaded;
  view_ = view;
  if (fileChanged) {
    const std::string& path = view_.dialoguePath;
    const std::size_t slash = path.find_last_of('/');
    setWindowTitle(view_.loaded
                       ? QStringLiteral("Play - ") +
                             DisplayText(slash == std::string::npos ? path : path.substr(slash + 1))
                       : QStringLiteral("Play"));
    // Another file is another conversation: its play begins at its start.
    from_.clear();
    choices_.clear();
    conditions_.clear();
  }
  if (isVisible()) Read();
}

void PlayWindow::Start(const std::string& from) {
  from_ = from;
  choices_.clear();
  Replay();
}

bool PlayWindow::Busy() const { return readJob_->Busy(); }

std::string PlayWindow::TranscriptUtf8() const { return VisibleText(play::TranscriptText(play_)); }

void PlayWindow::showEvent(QShowEvent* event) {
  if (!restored_) {
    restored_ = true;
    // Where the user left it; the first time, beside the editor where the screen has room,
    // narrowed to that room if need be, and else where the system puts a new window.
    if (!restoreGeometry(UserSettings().value(Latin(kGeometryKey)).toByteArray()) && parentWidget())
      OpenBeside(*this, *parentWidget()->window(), kLeastWidthBeside);
  }
  QWidget::showEvent(event);
  Read();
}

void PlayWindow::hideEvent(QHideEvent* event) {
  UserSettings().setValue(Latin(kGeometryKey), saveGeometry());
  QWidget::hideEvent(event);
}

void PlayWindow::Read() {
  if (!view_.loaded) {
    readKey_.clear();
    text_.reset();
    Replay();
    return;
  }
  const std::string key = view_.workingCopy + '\n' + std::to_string(view_.copyWrites);
  if (key == readKey_) return;
  readKey_ = key;
  const std::string path = view_.workingCopy;
  FileOps& files = *view_.files;
  readJob_->Request([this, &files, path, key] {
    std::shared_ptr<const PlayText> t = ReadPlayText(files, path);
    return [this, t, key] {
      // Dropped when the editor has moved on to another file, or none.
      if (key != readKey_) return;
      text_ = t;
      Replay();
    };
  });
}

play::Setup PlayWindow::CurrentSetup() const {
  play::Setup setup;
  setup.sex = sex_->currentIndex() == 1 ? play::Sex::Female : play::Sex::Male;
  setup.intelligence = intelligence_->value();
  for (const auto& [condition, holds] : conditions_)
    if (!holds) setup.falseConditions.insert(condition);
  setup.from = from_;
  return setup;
}

void PlayWindow::Replay() {
  play_ =
      text_ ? play::PlayConversation(text_->conversation, CurrentSetup(), choices_) : play::Play{};
  for (const std::string& met : play_.conditions) {
    const bool known = std::any_of(conditions_.begin(), conditions_.end(),
                                   [&](const auto& c) { return c.first == met; });
    if (!known) conditions_.emplace_back(met, true);
  }
  Render();
}

void PlayWindow::Render() {
  transcript_->clear();
  if (text_ && !text_->error.empty())
    transcript_->addItem(new QListWidgetItem(DisplayText(text_->error)));
  for (const play::Entry& e : play_.transcript) {
    const std::vector<std::string> lines = play::EntryLines(e);
    for (std::size_t k = 0; k < lines.size(); ++k) {
      // The lines under a stop are the replies it held back.
      const std::string_view number =
          e.kind == play::EntryKind::Stop && k > 0 ? e.heldBack[k - 1].number : e.number;
      transcript_->addItem(Item(lines[k], number));
    }
  }
  transcript_->scrollToBottom();

  replies_->clear();
  for (std::size_t i = 0; i < play_.offered.size(); ++i) {
    const play::Reply& r = play_.offered[i];
    QListWidgetItem* item = Item(std::to_string(i + 1) + ". " + play::ReplyLine(r), r.number);
    item->setData(kReplyRole, static_cast<int>(i));
    replies_->addItem(item);
  }
  if (showHeldBack_->isChecked()) {
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    for (std::size_t i = 0; i < play_.heldBack.size(); ++i) {
      const play::Reply& r = play_.heldBack[i];
      QListWidgetItem* item = Item("held back: " + play::ReplyLine(r), r.number);
      item->setData(kReplyRole, -1 - static_cast<int>(i));
      item->setForeground(grey);
      replies_->addItem(item);
    }
  }
  choose_->setEnabled(false);

  const QSignalBlocker quiet(conditionList_);
  conditionList_->clear();
  for (const auto& [condition, holds] : conditions_) {
    auto* item = new QListWidgetItem(BytesToText(condition));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(holds ? Qt::Checked : Qt::Unchecked);
    conditionList_->addItem(item);
  }
  back_->setEnabled(!choices_.empty());
  copy_->setEnabled(!play_.transcript.empty());
  save_->setEnabled(!play_.transcript.empty());
}

void PlayWindow::Choose(int row) {
  QListWidgetItem* item = replies_->item(row);
  if (item == nullptr) return;
  const int at = item->data(kReplyRole).toInt();
  const play::Reply& r = at >= 0 ? play_.offered[static_cast<std::size_t>(at)]
                                 : play_.heldBack[static_cast<std::size_t>(-1 - at)];
  // A choice that the replay could not take is dropped with those after it.
  choices_.resize(play_.choicesTaken);
  choices_.push_back({r.name, at < 0});
  Replay();
}

void PlayWindow::Back() {
  if (choices_.size() > play_.choicesTaken) {
    choices_.resize(play_.choicesTaken);
  } else if (!choices_.empty()) {
    choices_.pop_back();
  }
  Replay();
}

void PlayWindow::SaveTranscript() {
  QString suggested;
  if (view_.loaded) {
    std::string base = view_.dialoguePath;
    if (base.ends_with(".dlg")) base.resize(base.size() - 4);
    suggested = DisplayText(base + "-play.txt");
  }
  const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Save Transcript"),
                                                      suggested, QStringLiteral("Text (*.txt)"));
  if (chosen.isEmpty()) return;
  const std::string path = QFile::encodeName(chosen).toStdString();
  Files files(view_.files ? *view_.files : PosixFileOps());
  if (FileResult r = files.ReplaceWhole(path, TranscriptUtf8()); !r)
    QMessageBox::critical(this, QStringLiteral("Save Transcript"),
                          DisplayText(FileErrorText(r.failure)));
}

}  // namespace dlg::ui
