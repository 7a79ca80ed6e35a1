#pragma once
// Plain data for the kinds of control that the windows are made of. The commands read and set
// these exactly as a handler would read and set a real control; the Qt layer renders them.

#include <string>
#include <string_view>
#include <vector>

#include "commands/item_list.h"

namespace dlg {

struct TextBox {
  std::string text;
  bool enabled = true;
  bool visible = true;
};

struct ListBox {
  ItemList items;
  int selected = -1;  // -1: no item selected
  bool enabled = true;
  bool visible = true;

  void Clear() {
    items.clear();
    selected = -1;
  }
  void Add(std::string_view item) { items.push_back(item); }
  // The selection stays on its item.
  void Insert(std::size_t index, std::string_view item) {
    items.insert(index, item);
    if (selected >= static_cast<int>(index)) ++selected;
  }
  int Count() const { return static_cast<int>(items.size()); }
  // The item at `index`, or "" outside the list.
  std::string ItemAt(int index) const {
    return index >= 0 && index < Count() ? std::string(items[static_cast<std::size_t>(index)])
                                         : std::string();
  }
  std::string SelectedText() const { return ItemAt(selected); }
};

// An editable drop-down: its text is the picked item or whatever was typed.
struct ComboBox {
  std::vector<std::string> items;
  std::string text;
  bool enabled = true;
  bool visible = true;
};

struct Button {
  bool enabled = true;
  bool visible = true;
};

struct Frame {
  bool enabled = true;
  bool visible = true;
};

struct DriveList {
  std::vector<std::string> drives;  // mount paths
  std::string drive;                // the selected one
  bool enabled = true;
};

// A folder tree: the ancestors of `path` from the root down, then its sub-folders.
struct FolderList {
  std::string path;
  std::vector<std::string> ancestors;   // full paths, "/" first, `path` last
  std::vector<std::string> subfolders;  // names inside `path`, sorted
  bool enabled = true;
};

struct FileList {
  std::string path;
  std::string pattern = "*.dlg";
  std::vector<std::string> files;  // names in `path` matching `pattern`, sorted
  std::string fileName;            // the selected file name, "" when none
  bool enabled = true;
};

}  // namespace dlg
