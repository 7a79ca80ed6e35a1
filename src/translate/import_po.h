#pragma once
// A translated PO file back into a dialogue (what po2dlg writes): the source with the wordings
// that have a translation replaced, every other byte kept.

#include <string>
#include <string_view>
#include <vector>

namespace dlg::translate {

struct ImportOptions {
  std::string sourceName;  // how messages name the dialogue file
  std::string poName;      // and the PO file
  bool fuzzy = false;      // take fuzzy translations too
  bool ignoreUnknown = false;
};

struct ImportResult {
  bool ok = false;
  std::string dialogue;  // the translated file's bytes
  int translated = 0;
  int wordings = 0;
  int fuzzyLeftOut = 0;
  int otherTextLeftOut = 0;           // entries whose msgid is not the wording they name
  std::vector<std::string> problems;  // "fr.po:12: ...", when nothing may be written
};

ImportResult ImportPo(std::string_view source, std::string_view po, const ImportOptions& options);

// "12 of 15 wordings translated, 1 fuzzy left out", and how many entries translate another text
// when some do
std::string Summary(const ImportResult& r);

}  // namespace dlg::translate
