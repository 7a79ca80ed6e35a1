#pragma once
// What the passes over a mod's files list for each file: the records that hold a text, and the
// checks' findings as dlgcheck prints them.

#include <string>
#include <string_view>

#include "check/folded_search.h"
#include "mod/folder_run.h"

namespace dlg::mod {

// "FILE  NUMBER  FIELD: TEXT" for every record whose male or female text or flags hold the
// needle, letter case ignored, as the Conversation window's Find lists them (the field that holds
// it first, named as check::kSearchedFields names it).
FileRows FoundRows(const check::FoldedSearch& search, const std::string& shown,
                   std::string_view bytes);

// "FILE: line 21 (file line 10): severity: message [check]", the findings dlgcheck prints for
// the file, as the Conversation window's Problems lists them.
FileRows ProblemRows(const std::string& shown, std::string_view bytes);

// "N errors, M warnings in K files", and ", U files could not be read", as dlgcheck ends.
std::string ProblemsSummary(const Progress& p);

}  // namespace dlg::mod
