#pragma once
// An editor window over a fresh folder that holds "ferry.dlg", shown and driven with real
// clicks and keys, for the window tests.

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QtTest>
#include <cstdlib>
#include <filesystem>

#include "commands/browse.h"
#include "commands/editor.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"
#include "ui/control_names.h"
#include "ui/editor_form.h"
#include "ui/field_boxes.h"
#include "ui/list_view.h"

namespace dlg::test {

using namespace dlg::ui;

// The windows keep the user's settings (the recent files, the places of the windows) in the XDG
// config folder: those of a test program go to a folder of its own, gone at its end.
struct SettingsInTemp {
  TempDir dir;
  SettingsInTemp() { ::setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1); }
};
inline const SettingsInTemp kSettingsInTemp;

// Line 1 with two replies (the second with a female form), and the lines they lead to.
inline const std::string kFerry =
    "{1}{Crossing costs three silver \x97 each way.}{}{}{}{}{}\r\n"
    "{2}{Too much.}{}{}{}{10}{}\r\n"
    "{3}{Here.}{Take it.}{8}{pc.money_get() >= 3}{20}{pc.money_adj(-3)}\r\n"
    "{10}{Then swim.}{}{}{}{ }{}\r\n"
    "{20}{Sit down.}{}{}{}{}{}\r\n";

inline QStringList Texts(std::initializer_list<const char*> texts) {
  QStringList out;
  for (const char* t : texts) out << QString::fromUtf8(t);
  return out;
}

// Each character as a key press carrying it (QTest's key clicks know only ASCII).
inline void TypeChars(QWidget* box, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
  }
}

// A window beside the editor (Conversation, Play): its controls by name, its lists' rows, and a
// double-click on a row as the window system delivers one.
template <class Window>
struct Beside {
  Window* window;
  template <class T = QWidget>
  T* W(const char* name) {
    return window->template findChild<T*>(QString::fromLatin1(name));
  }
  // Waits for the work on the latest state of the file to be shown.
  bool Settle() {
    return QTest::qWaitFor([this] { return !window->Busy(); }, 20000);
  }
  // Every row, a tree's children after their row.
  QStringList Rows(const char* name, const QModelIndex& parent = {}) {
    QAbstractItemModel* model = W<QAbstractItemView>(name)->model();
    QStringList rows;
    for (int i = 0; i < model->rowCount(parent); ++i) {
      const QModelIndex index = model->index(i, 0, parent);
      rows << index.data().toString();
      rows += Rows(name, index);
    }
    return rows;
  }
  void DoubleClickRow(const char* name, int row) {
    DoubleClickAt(name, W<QAbstractItemView>(name)->model()->index(row, 0));
  }
  // The row that reads `text`, at any depth.
  void DoubleClickRow(const char* name, const QString& text) {
    QAbstractItemModel* model = W<QAbstractItemView>(name)->model();
    const QModelIndexList hits = model->match(model->index(0, 0), Qt::DisplayRole, text, 1,
                                              Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY2(!hits.isEmpty(), qPrintable(text));
    DoubleClickAt(name, hits[0]);
  }
  void DoubleClickAt(const char* name, const QModelIndex& index) {
    auto* view = W<QAbstractItemView>(name);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  }
};

template <class Platform = ScriptedPlatform>
struct WindowSession {
  TempDir dir;
  Platform platform;
  Editor ed{platform};
  EditorForm form{ed};

  WindowSession() {
    dir.Put("ferry.dlg", kFerry);
    std::filesystem::create_directory(dir.File("sub"));
    form.Load();
    ChangeFolder(ed, dir.File("sub"));
    form.Render();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
  }
  template <class T = QWidget>
  T* W(const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
  }
  void Click(const char* name) { QTest::mouseClick(W(name), Qt::LeftButton); }
  // A menu command by its text.
  QAction* Action(const char* text) {
    for (QAction* a : form.findChildren<QAction*>())
      if (a->text() == QLatin1String(text)) return a;
    return nullptr;
  }
  QPoint RowCentre(const char* list, int row) {
    ListView* l = W<ListView>(list);
    l->scrollTo(l->model()->index(row, 0));
    return l->visualRect(l->model()->index(row, 0)).center();
  }
  void ClickRow(const char* list, int row, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(W<ListView>(list)->viewport(), Qt::LeftButton, keys, RowCentre(list, row));
  }
  // As the window system delivers it: a click, then the second press as a double-click.
  void DoubleClick(const char* list, QPoint at) {
    QTest::mouseClick(W<ListView>(list)->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(W<ListView>(list)->viewport(), Qt::LeftButton, {}, at);
  }
  int RowOf(const char* list, const QString& text) {
    for (int i = 0; i < W<ListView>(list)->rowCount(); ++i)
      if (W<ListView>(list)->rowText(i).trimmed() == text) return i;
    return -1;
  }
  void Type(const char* box, const QString& text) {
    QTest::mouseClick(W(box), Qt::LeftButton);
    QTest::keyClick(W(box), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(W(box), text);
  }
  // Opens a drop-down with a click on its arrow and clicks the item.
  void Pick(const char* name, int index) {
    auto* combo = W<QComboBox>(name);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 6, combo->height() / 2));
    QTRY_VERIFY(combo->view()->isVisible());
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // the popup ignores a quick release
    const QRect item = combo->view()->visualRect(combo->model()->index(index, 0));
    QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, item.center());
  }
  void Load(bool click = true, const std::string& folder = "") {
    ChangeFolder(ed, folder.empty() ? dir.Path() : folder);
    form.Render();
    if (click) ClickRow("File1", 0);
    if (click) Click("Command2");
  }
  // "ferry.dlg" holding `bytes` instead, loaded.
  void LoadFerry(const std::string& bytes) {
    dir.Put("ferry.dlg", bytes);
    Load();
  }
  // Types `number` into the "Go to:" box and clicks it.
  void GoTo(const char* number) {
    Type(control::kGoToNumber, QString::fromLatin1(number));
    Click(control::kGoTo);
  }
  QString Rows(const char* list) {
    QStringList rows;
    for (int i = 0; i < W<ListView>(list)->rowCount(); ++i) rows << W<ListView>(list)->rowText(i);
    return rows.join(QLatin1Char(','));
  }
  QString Text(const char* name) {
    if (auto* line = W<FieldLineEdit>(name)) return line->text();
    return W<FieldTextEdit>(name)->toPlainText();
  }
  // The line shown: number, kind, male text.
  QString Line() { return Text("txtLineNum") + u'|' + Text("txtnpc") + u'|' + Text("txtDialogue"); }
  QStringList Boxes() {
    QStringList out;
    for (const ShownBox& b : platform.boxes) out << QString::fromStdString(b.title + ": " + b.text);
    platform.boxes.clear();
    return out;
  }
  std::string Copy() { return ReadBytes(dir.File("ferry.dlg.bak")); }
};

}  // namespace dlg::test
