#pragma once
// A dialogue's wordings as a PO file (what dlg2po writes): one entry for each wording, in file
// order, named by record and form, with a note for the translator and the file line.

#include <string>
#include <string_view>
#include <vector>

namespace dlg::translate {

struct ExportOptions {
  std::string sourceName;      // as the references name the dialogue file
  bool templateFile = false;   // a .pot: the header's fields left for the translator
  std::string language;        // the header's Language, "" when not known
  std::string date;            // "2026-12-08 01:30+0000"
  std::string translatedName;  // when harvesting: how messages name the translated file
};

struct ExportResult {
  bool ok = false;
  std::string po;                  // the PO file's text
  int wordings = 0;                // its entries
  std::vector<std::string> notes;  // wordings left out, records of a translated file unmatched
  std::string problem;             // why nothing could be written
};

// `translated`, when given, is a translation made earlier by hand: its wordings become the
// translations of the entries whose record and form match.
ExportResult ExportPo(std::string_view source, const ExportOptions& options,
                      const std::string_view* translated = nullptr);

// The time of a PO header: SOURCE_DATE_EPOCH when set (reproducible builds), else now.
std::string PoDateNow();

}  // namespace dlg::translate
