#pragma once
// The text of a field box as Qt holds it: the line breaks and characters a record cannot hold,
// and the paragraphs a long text is laid out in.

#include <QString>

namespace dlg::ui {

// Longest run without blanks in one paragraph: Qt wraps such a run in time that grows with the
// square of its length.
inline constexpr qsizetype kPiece = 4096;

// Length past which a paragraph of words ends at its next blank: Qt lays out the whole paragraph
// again after each key, 0.25 s for a megabyte and some 6 ms at this length. A text up to this
// length shows as the one paragraph it is.
inline constexpr qsizetype kParagraph = 32768;

// CR, LF and Unicode's line and paragraph separators.
bool IsBreak(QChar c);

struct CleanedText {
  QString text;
  QString leftOut;       // "}" and the characters outside the table, in the order met
  bool refused = false;  // something was left out
};
// Line breaks (CR LF, CR, LF and Unicode's separators) become one blank each; what a record
// cannot hold is left out, unless `keep`: a box shows what the file holds, and gives it back.
CleanedText CleanFieldText(const QString& text, bool keep = false);

// A text without line breaks with the box's own paragraph ends: inside a run without blanks
// longer than kPiece, and after a blank once a paragraph holds `paragraph` characters. A text of
// words that is not that long stays one paragraph, so no word is broken and the box wraps it at
// its blanks.
QString InPieces(const QString& text, qsizetype paragraph);

}  // namespace dlg::ui
