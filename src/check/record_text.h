#pragma once
// A dialogue as text that a line-by-line diff reads record by record (`dlgcheck --textconv`, for
// git's textconv): every record a heading line, then one line for each field it fills, so that a
// change shows as the field of the record that changed. In UTF-8 through the Windows-1252 table.
//
//   10 NPC                     an NPC line (a blank line before it sets its replies apart)
//   12 PC -> 20                a reply and where it leads; "-> 0 (end)" ends the conversation
//     male: ...                the wordings,
//     female: ...
//     int: 12                  the intelligence check,
//     if: ...                  the condition flags,
//     runs: ...                the execution flags; an empty field has no line
//     after: ...               what follows the seventh "}", which the editor reads further
//     unclosed: ...            the text of a field that the line ends in, before its "}"
//   file line 9: blank         a line without a record, as it stands: "blank", or its text
//   file line 9: no record: ...
//
// A record read from fewer than seven fields says "(N of 7 fields)" after its heading. A record
// without a number is headed "(no number)". Line ends are not shown; dlgcheck's own checks name a
// wrong one.

#include <string>

#include "dialogue/conversation.h"

namespace dlg::check {

std::string RecordText(const Conversation& c);

}  // namespace dlg::check
