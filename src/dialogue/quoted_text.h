#pragma once
// A field's bytes as a message names them, for every tool that speaks of records.

#include <string>
#include <string_view>

namespace dlg {

// A field's text as a message shows it: in quotes, through the Windows-1252 table, with control
// characters, quotes and backslashes escaped and long text cut short.
std::string Quoted(std::string_view bytes);
// Text printed for a reader (a transcript, a diff) in UTF-8 through the Windows-1252 table,
// whole, with each control character but tab and line feed written as "\xNN": a file's bytes never
// drive the terminal that shows them.
std::string VisibleText(std::string_view bytes);
// What a terminal may take for a command: the C0 and C1 controls and DEL.
constexpr bool IsControlCharacter(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }
// Appends "\xNN" for the byte.
void AppendHexByte(std::string& out, unsigned char b);
// A file's name as every report and message shows it: as it is when it is UTF-8, else each byte
// through the editor's Windows-1252 table, so that text and JSON name one file alike; a control
// character in it, a line break too, is written as "\xNN", so that a name never drives the
// terminal nor splits the line that names it.
std::string NameShown(std::string_view path);
// A line number as messages name it: plain digits as they are, anything else quoted.
std::string NumberText(std::string_view number);

}  // namespace dlg
