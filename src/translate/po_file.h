#pragma once
// PO files through gettext's own library, libgettextpo, which reads and writes files by name
// only: the bytes go through a file in memory, so that reading and writing the real files stays
// with the program's file layer. libgettextpo keeps global state: one call at a time.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dlg::translate {

// A problem with a PO file, at one of its lines (0: the file as a whole).
struct PoProblem {
  int line = 0;
  std::string message;
};

class PoWriter {
 public:
  PoWriter();
  ~PoWriter();
  PoWriter(const PoWriter&) = delete;
  PoWriter& operator=(const PoWriter&) = delete;

  // The header entry: its translator comment and its fields, "Name: value\n" each.
  void Header(const std::string& comment, const std::string& fields, bool fuzzy);
  // All UTF-8; `note` one line of the extracted comment per line.
  void Add(const std::string& context, const std::string& id, const std::string& str,
           const std::string& note, const std::string& file, int line);
  // The PO file's text, as gettext writes it. False with `problem` set when it could not.
  bool Write(std::string& text, std::string& problem);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// One entry of a PO file read, the header and obsolete entries left out. The pointers last as
// long as the reader.
struct PoEntry {
  const char* context;  // nullptr without msgctxt
  const char* id;
  const char* str;  // "" when untranslated
  bool fuzzy;
  std::size_t strOffset;  // where its msgstr keyword stands in the text
  int strLine;
};

class PoReader {
 public:
  PoReader();
  ~PoReader();
  PoReader(const PoReader&) = delete;
  PoReader& operator=(const PoReader&) = delete;

  // Reads `text` with gettext's reader. False with the problems gettext found (or a charset
  // other than UTF-8) when it could not read it.
  bool Read(std::string_view text, std::vector<PoProblem>& problems);
  void ForEach(const std::function<void(const PoEntry&)>& visit) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The line of a msgstr that holds a character: the first line of the msgstr (from the one at
// `strOffset`) whose strings hold `literal`, or the escape "\<escape>" when `escape` is given;
// `strLine` when none does.
int LineHolding(std::string_view text, std::size_t strOffset, int strLine, std::string_view literal,
                char escape = '\0');
// The line of a msgstr (as above) whose escape gettext reads as the byte 0 ("\0", "\400",
// "\x100"), where it ends the text; 0 when none does.
int LineOfEscapedNul(std::string_view text, std::size_t strOffset, int strLine);

}  // namespace dlg::translate
