#include "ui/field_text.h"

#include "ui/text_bytes.h"

namespace dlg::ui {

namespace {

// Where Qt may wrap a line (a no-break space holds its words together).
bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

}  // namespace

bool IsBreak(QChar c) {
  return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

CleanedText CleanFieldText(const QString& text, bool keep) {
  CleanedText out;
  out.text.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (IsBreak(c)) {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out.text += u' ';
      continue;
    }
    if (!keep && (c == u'}' || !InTable(c))) {
      out.leftOut += c;
      // A character beyond the first 65,536 is two halves, left out together.
      if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        out.leftOut += text[++i];
      continue;
    }
    out.text += c;
  }
  out.refused = !out.leftOut.isEmpty();
  return out;
}

QString InPieces(const QString& text, qsizetype paragraph) {
  QString pieces;
  pieces.reserve(text.size() + text.size() / kPiece + 1);
  qsizetype from = 0;  // start of the paragraph
  qsizetype run = 0;   // start of the run without blanks
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (IsBlank(text[i])) {
      run = i + 1;
      if (run - from < paragraph || run == text.size()) continue;
    } else if (i - run < kPiece) {
      continue;
    } else {
      run = i;
    }
    // Cut before `run`: after the blank, or inside the run after a piece of it.
    pieces += QStringView(text).sliced(from, run - from);
    pieces += u'\n';
    from = run;
  }
  pieces += QStringView(text).sliced(from);
  return pieces;
}

}  // namespace dlg::ui
