#pragma once
// The character-level reading operations that every command shares. They accept any byte and
// follow the record syntax only as far as the rules below say; a read at the end of the file
// where no end test is made stops the reading (the caller keeps what was read so far).

#include <string>
#include <string_view>

#include "dialogue/char_source.h"

namespace dlg {

// Reads one field at the current position, its opener included, appending its text to `dest`.
// `ch` is the caller's character field; on a complete read it holds "}". Returns false when the
// end of the file cut the field short.
bool ScanField(CharSource& src, Char& ch, std::string& dest);
// The same, with the field's text as a view into the source's bytes (empty for an empty field).
bool ScanField(CharSource& src, Char& ch, std::string_view& field);

}  // namespace dlg
