#pragma once
// Builds a window's controls from a table of names, kinds, captions and places in twips (15 to a
// pixel). Every widget carries its control's name as objectName; text boxes and lists carry
// the caption of their label as accessible name, buttons their caption.

#include <QString>
#include <QWidget>
#include <map>
#include <span>
#include <string>

namespace dlg::ui {

enum class Kind {
  Frame,  // titled frame (QGroupBox); disabling it disables what it holds
  Panel,  // borderless frame
  Label,
  Button,
  Line,      // single-line text box
  Multi,     // multi-line text box with a vertical scroll bar
  List,      // list box
  Combo,     // editable drop-down list
  DropDown,  // drop-down list without an edit field (the drive list)
  Option,    // option button
  Picture,
};

struct Control {
  const char* name;
  const char* container;  // "" for the window's client area
  Kind kind;
  const char* caption;           // label, button, frame and option captions
  int left, top, width, height;  // twips
  int tab;                       // -1: takes no part in the tab order
  const char* accessible;        // the label's caption, for text boxes and lists
};

inline constexpr int kTwipsPerPixel = 15;
inline int Px(int twips) { return twips / kTwipsPerPixel; }

// Creates the controls in table order (later ones stand above earlier ones, labels below all),
// and chains the tab order by tab number.
std::map<std::string, QWidget*> BuildControls(QWidget* window, std::span<const Control> table);

}  // namespace dlg::ui
