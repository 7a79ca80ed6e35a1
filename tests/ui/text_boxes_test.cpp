// The byte <-> character table and the text boxes: every byte survives model -> widget -> model,
// and what cannot be written back into a record never gets in.

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>
#include <QtTest>

#include "ui/field_boxes.h"
#include "ui/text_bytes.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::ui;
using dlg::test::WindowSession;

class TextBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  // Model -> widget -> model through the window's own wiring: the line boxes keep every byte;
  // the multi-line boxes keep every byte but the two line breaks, which read back as blanks.
  void everyByteSurvivesTheWindow_data() {
    QTest::addColumn<bool>("multiLine");
    QTest::newRow("line box") << false;
    QTest::newRow("multi-line box") << true;
  }

  void everyByteSurvivesTheWindow() {
    QFETCH(bool, multiLine);
    WindowSession<> s;
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string expected = all;
    if (multiLine) expected[10] = expected[13] = ' ';
    TextBox& box = multiLine ? s.ed.window.maleText : s.ed.window.conditionFlags;
    box.text = all;
    s.form.Render();
    box.text.clear();
    QWidget* widget = s.W(multiLine ? "txtDialogue" : "txtFlags1");
    QVERIFY(widget);
    if (auto* line = qobject_cast<FieldLineEdit*>(widget)) emit line->edited();
    if (auto* multi = qobject_cast<FieldTextEdit*>(widget)) emit multi->edited();
    QCOMPARE(QByteArray::fromStdString(box.text), QByteArray::fromStdString(expected));
  }

  // "}" and the line breaks would break the record, typed or pasted (a pasted line break becomes
  // a blank); a character without a byte cannot be saved. A paste keeps the rest.
  void whatARecordCannotHoldNeverGetsIn_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("pasted");
    QTest::newRow("a brace") << QStringLiteral("a}b") << QByteArray("ab") << QByteArray("ab");
    QTest::newRow("outside the table")  // U+0080: 0x80 is the euro sign
        << QStringLiteral("x\u4E2D\u0080\u0100\U0001F600y") << QByteArray("xy") << QByteArray("xy");
    QTest::newRow("Windows-1252") << QStringLiteral("\u20AC5 caf\u00E9")
                                  << QByteArray("\x80\x35 caf\xE9")
                                  << QByteArray("\x80\x35 caf\xE9");
    QTest::newRow("line breaks") << QStringLiteral("one\r\ntwo\nthree\rfour")
                                 << QByteArray("onetwothreefour")
                                 << QByteArray("one two three four");
  }

  void whatARecordCannotHoldNeverGetsIn() {
    QFETCH(QString, text);
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, pasted);
    FieldLineEdit line, pastedLine;
    FieldTextEdit multi, pastedMulti;
    for (QWidget* box : {static_cast<QWidget*>(&line), static_cast<QWidget*>(&multi)}) {
      test::TypeChars(box, text);
      QTest::keyClick(box, Qt::Key_Return);
    }
    QGuiApplication::clipboard()->setText(text);
    pastedLine.paste();
    pastedMulti.paste();
    QCOMPARE(QByteArray::fromStdString(line.bytes()), typed);
    QCOMPARE(QByteArray::fromStdString(multi.bytes()), typed);
    QCOMPARE(QByteArray::fromStdString(pastedLine.bytes()), pasted);
    QCOMPARE(QByteArray::fromStdString(pastedMulti.bytes()), pasted);
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
    test::TypeChars(QApplication::focusWidget(), QStringLiteral("!"));
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
    test::TypeChars(multi, QStringLiteral("!"));
    QCOMPARE(multi->bytes(), field + "!");
  }

  // The male text shows a long field as the field it is: no word is broken where the box holds
  // the text in paragraphs, and a copy (whole or in part), a screen reader and the model get
  // exactly the field's characters, with what is pasted and typed.
  void aLongTextShowsAndCopiesAsItIs_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("words");  // every paragraph end of the box must fall after a blank
    const QByteArray phrase = "The long road leads on.\xA0 ";  // a no-break space copies as one
    QByteArray run(10000, 'x');
    for (qsizetype i = 0; i < run.size(); i += 7) run[i] = static_cast<char>('a' + i % 26);
    // Two paragraphs of the box; a word spans character 4,096.
    QTest::newRow("40,000 of words") << phrase.repeated(1600).left(40000) << true;
    QTest::newRow("a 10,000 run among words") << "Said before: " + run + " and after." << false;
  }

  void aLongTextShowsAndCopiesAsItIs() {
    QFETCH(QByteArray, text);
    QFETCH(bool, words);
    WindowSession<> s;
    auto* box = s.W<FieldTextEdit>("txtDialogue");
    QVERIFY(box);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
    QVERIFY(reader && reader->textInterface());
    s.ed.window.dialogueFrame.enabled = true;  // as after Load File
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
    test::TypeChars(box, QStringLiteral("!"));
    QVERIFY(box->bytes() == text.toStdString() + text.mid(4000, 5000).toStdString() + "!");
  }

  void captionsAndPathsShowAsUtf8WhenTheyAreUtf8() {
    QCOMPARE(DisplayText("/home/m\xC3\xA4rta/a.dlg"), QStringLiteral("/home/m\u00E4rta/a.dlg"));
    QCOMPARE(DisplayText("/tmp/m\xE4rta"), QStringLiteral("/tmp/m\u00E4rta"));  // not UTF-8
  }
};

QTEST_MAIN(TextBoxesTest)
#include "text_boxes_test.moc"
