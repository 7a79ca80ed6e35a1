#pragma once
// The wordings of a conversation as a translator gets them: one entry for each non-empty male or
// female wording, in file order, with the context that names its record and form, and the bytes
// it stands on, so that the way back replaces exactly those bytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/conversation.h"

namespace dlg::translate {

enum class Form { Male, Female };

// What names a record across a file and its translation: its number as text (UTF-8), with
// " #2", " #3" for the later records of a number that several carry.
struct RecordKey {
  std::string text;
  int occurrence = 1;
};
std::vector<RecordKey> RecordKeys(const Conversation& c);

// "12", "12 female".
std::string Context(const RecordKey& key, Form form);
// "record 12", "record 12 #2", as messages name it.
std::string RecordName(const Record& r, const RecordKey& key);

struct Wording {
  int record = 0;
  Form form = Form::Male;
  std::string context;
  std::size_t offset = 0;  // the wording's bytes in the file
  std::size_t size = 0;
};
// `bytes` is what the conversation was read from.
std::vector<Wording> ListWordings(const Conversation& c, std::string_view bytes);

inline std::string_view WordingOf(const Record& r, Form form) {
  return form == Form::Male ? r.Fields().maleText : r.Fields().femaleText;
}

// For the translator, one line each: who speaks, what the female form means, the intelligence
// check and the condition.
std::string TranslatorNote(const Conversation& c, int record, Form form);

}  // namespace dlg::translate
