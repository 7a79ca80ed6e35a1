// The byte <-> character table and the text boxes: every byte survives model -> widget -> model,
// and what cannot be written back into a record never gets in. The recent files as the settings
// file keeps them: names byte for byte, whatever their bytes, and no more than the list holds read
// from a file that holds more, or things that are no path.

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>
#include <QtTest>
#include <fstream>

#include "ui/field_boxes.h"
#include "ui/text_bytes.h"
#include "ui/user_settings.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::test;

namespace {

void WriteSettings(const std::string& text) {
  std::ofstream(UserSettings().fileName().toStdString(), std::ios::binary | std::ios::trunc)
      << text;
}

}  // namespace

class TextBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  // Model -> widget -> model through the window's own wiring: the line boxes keep every byte;
  // the multi-line boxes keep every byte but the two line breaks, which read back as blanks.
  void everyByteSurvivesTheWindow() {
    WindowSession<> s;
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string blanks = all;
    blanks[10] = blanks[13] = ' ';
    s.ed.window.maleText.text = s.ed.window.conditionFlags.text = all;
    s.form.Render();
    s.ed.window.maleText.text = s.ed.window.conditionFlags.text = "";
    emit s.W<FieldLineEdit>("txtFlags1")->edited();
    emit s.W<FieldTextEdit>("txtDialogue")->edited();
    QCOMPARE(QByteArray::fromStdString(s.ed.window.conditionFlags.text),
             QByteArray::fromStdString(all));
    QCOMPARE(QByteArray::fromStdString(s.ed.window.maleText.text),
             QByteArray::fromStdString(blanks));
  }

  // "}" and the line breaks would break the record, typed or pasted (a pasted line break becomes
  // a blank); a character without a byte cannot be saved. A paste keeps the rest.
  void whatARecordCannotHoldNeverGetsIn() {
    const struct {
      const char16_t* text;
      const char *typed, *pasted;
    } rows[] = {
        {u"a}b", "ab", "ab"},
        {u"x\u4E2D\u0080\u0100\U0001F600y", "xy", "xy"},  // U+0080: 0x80 is the euro sign
        {u"\u20AC5 caf\u00E9", "\x80\x35 caf\xE9", "\x80\x35 caf\xE9"},         // all in the table
        {u"one\r\ntwo\nthree\rfour", "onetwothreefour", "one two three four"},  // pasted: blanks
    };
    for (const auto& r : rows) {
      const QString text = QString::fromUtf16(r.text);
      FieldLineEdit line, pastedLine;
      FieldTextEdit multi, pastedMulti;
      for (QWidget* box : {static_cast<QWidget*>(&line), static_cast<QWidget*>(&multi)}) {
        TypeChars(box, text);
        QTest::keyClick(box, Qt::Key_Return);
      }
      QGuiApplication::clipboard()->setText(text);
      pastedLine.paste();
      pastedMulti.paste();
      QCOMPARE(QByteArray::fromStdString(line.bytes()), QByteArray(r.typed));
      QCOMPARE(QByteArray::fromStdString(multi.bytes()), QByteArray(r.typed));
      QCOMPARE(QByteArray::fromStdString(pastedLine.bytes()), QByteArray(r.pasted));
      QCOMPARE(QByteArray::fromStdString(pastedMulti.bytes()), QByteArray(r.pasted));
    }
  }

  // A field far longer than a line edit's default limit or a paragraph the box lays out at once
  // comes back whole, and what is typed at its end joins it. The line box keeps its focus, and
  // reports its loss only when the user moves on, while it changes how it holds the field.
  void aLongFieldComesBackWholeWithWhatIsTyped() {
    std::string field(100000, 'w');
    field[0] = '<';
    field.back() = '>';
    QWidget window;
    auto* line = new FieldLineEdit(&window);
    auto* multi = new FieldTextEdit(&window);
    multi->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    int lost = 0;
    connect(line, &FieldLineEdit::focusLost, &window, [&lost] { ++lost; });
    line->setBytes(field);
    multi->setBytes(field);
    QCOMPARE(line->bytes(), field);
    QCOMPARE(multi->bytes(), field);

    line->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    TypeChars(QApplication::focusWidget(), QStringLiteral("!"));
    QCOMPARE(line->bytes(), field + "!");
    std::string odd = field;  // a line break from an odd file
    odd[500] = '\r';
    line->setBytes(odd);
    QCOMPARE(line->bytes(), odd);
    QVERIFY(line->hasFocus());
    line->setBytes(field);
    QVERIFY(line->hasFocus());
    QCOMPARE(lost, 0);
    multi->setFocus();
    QCOMPARE(lost, 1);

    multi->moveCursor(QTextCursor::End);
    TypeChars(multi, QStringLiteral("!"));
    QCOMPARE(multi->bytes(), field + "!");
  }

  // The male text shows a long field as the field it is: no word is broken where the box holds
  // the text in paragraphs, and a copy (whole or in part), a screen reader and the model get
  // exactly the field's characters, with what is pasted and typed.
  void aLongTextShowsAndCopiesAsItIs() {
    const QByteArray phrase = "The long road leads on.\xA0 ";  // a no-break space copies as one
    QByteArray run(10000, 'x');
    for (qsizetype i = 0; i < run.size(); i += 7) run[i] = static_cast<char>('a' + i % 26);
    // 40,000 of words: two paragraphs of the box, a word spans character 4,096, every paragraph
    // end of the box must fall after a blank. Then a 10,000 run among words.
    const std::pair<QByteArray, bool> rows[] = {{phrase.repeated(1600).left(40000), true},
                                                {"Said before: " + run + " and after.", false}};
    WindowSession<> s;
    auto* box = s.W<FieldTextEdit>("txtDialogue");
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
    QVERIFY(reader && reader->textInterface());
    s.ed.window.dialogueFrame.enabled = true;  // as after Load File
    for (const auto& [text, words] : rows) {
      s.ed.window.maleText.text = text.toStdString();
      s.form.Render();
      const QString field = BytesToText(text.toStdString());
      for (QTextBlock b = box->document()->begin(); words && b.next().isValid(); b = b.next())
        QVERIFY(b.text().endsWith(u' '));
      if (words) {  // the word at character 4,096 shows whole on its line
        const qsizetype from = field.lastIndexOf(u' ', 4096) + 1, to = field.indexOf(u' ', 4096);
        const QTextBlock block = box->document()->findBlock(4096);
        box->document()->documentLayout()->blockBoundingRect(block);  // lays it out
        const QTextLine line = block.layout()->lineForTextPosition(4096 - block.position());
        const int start = block.position() + line.textStart();
        QVERIFY(start <= from && start + line.textLength() >= to);
      }
      box->selectAll();
      box->copy();
      QVERIFY(QGuiApplication::clipboard()->text() == field);
      reader->textInterface()->setSelection(0, 4000, 9000);
      box->copy();
      QVERIFY(QGuiApplication::clipboard()->text() == field.mid(4000, 5000));
      QCOMPARE(reader->textInterface()->characterCount(), field.size());
      QVERIFY(reader->textInterface()->text(0, int(field.size())) == field);
      QVERIFY(reader->text(QAccessible::Value) == field);
      box->moveCursor(QTextCursor::End);
      box->paste();
      TypeChars(box, QStringLiteral("!"));
      QVERIFY(box->bytes() == text.toStdString() + text.mid(4000, 5000).toStdString() + "!");
    }
  }

  void captionsAndPathsShowAsUtf8WhenTheyAreUtf8() {
    QCOMPARE(DisplayText("/home/m\xC3\xA4rta/a.dlg"), QStringLiteral("/home/m\u00E4rta/a.dlg"));
    QCOMPARE(DisplayText("/tmp/m\xE4rta"), QStringLiteral("/tmp/m\u00E4rta"));  // not UTF-8
  }

  void namesComeBackByteForByte() {
    std::string everyByte = "/d/";
    for (int b = 1; b < 256; ++b)
      if (b != '/') everyByte += static_cast<char>(b);
    for (const std::string& name : {std::string("/d/caf\xe9.dlg"), std::string("/d/a, \"b\".dlg"),
                                    std::string("/d/@ByteArray(x).dlg"), everyByte}) {
      RememberRecentFile(name);
      QCOMPARE(RecentFiles(), std::vector{name});
      ForgetRecentFile(name);
      QVERIFY(RecentFiles().empty());
    }
  }

  void atMostTenAreReadAndOnlyPaths() {
    std::string list = "[General]\nrecentFiles=, relative.dlg, /ok.dlg";
    for (int n = 0; n < 20000; ++n) list += ", /f" + std::to_string(n) + ".dlg";
    WriteSettings(list + "\n");
    const std::vector<std::string> paths = RecentFiles();
    QCOMPARE(paths.size(), std::size_t{10});
    QCOMPARE(paths.front(), std::string("/ok.dlg"));
    QCOMPARE(paths.back(), std::string("/f8.dlg"));
    WriteSettings("[General]\nrecentFiles=\n");
    QVERIFY(RecentFiles().empty());
  }
};

QTEST_MAIN(TextBoxesTest)
#include "text_boxes_test.moc"
