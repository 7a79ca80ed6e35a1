#pragma once
// The checks that Save and Save As make before they write, and what they rest on: the working
// copy and the dialogue file as this editor last read or wrote them.

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "commands/editor.h"

namespace dlg {

// Before a write: a line whose write failed is written again, and the working copy is read and
// checked; one changed by another program goes out only if the user says so. False when they
// must stop (the user was told or said No).
bool WriteShownLine(Editor& ed);
bool ReadWorkingCopyToSave(Editor& ed, std::string& bytes);
// Save: false when the dialogue file was changed by another program and the user said No.
bool MayOverwriteDialogue(Editor& ed);
// After "Save": the dialogue file's new identity (`st` of the file written).
void NoteSaved(Editor& ed, const struct stat& st);

// Every read and write of the working copy: whether the copy read is still this editor's, and
// what it wrote.
void CheckReadCopy(Editor& ed, const struct stat& st, std::string_view bytes);
void NoteWrittenCopy(Editor& ed, const struct stat& st, std::uint64_t hash);
// The working copy is now `copy`, as this editor wrote or took it.
void NoteWorkingCopy(Editor& ed, const FileIdentity& copy);

}  // namespace dlg
