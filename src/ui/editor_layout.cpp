// The editor window's controls: names, captions, places and tab numbers.

#include "ui/editor_layout.h"

namespace dlg::ui {

namespace {

using K = Kind;

constexpr Control kEditorControls[] = {
    // name, container, kind, caption, left, top, width, height, tab, accessible name
    {"Frame1", "", K::Frame, "Dialogue", 120, 0, 13455, 10935, 5, nullptr},
    {"frmBrowse", "", K::Frame, "Browse for .DLG files", 120, 0, 2535, 10935, 0, nullptr},

    {"Drive1", "frmBrowse", K::DropDown, "", 120, 360, 2295, 315, 1, "Drive"},
    {"Dir1", "frmBrowse", K::List, "", 120, 720, 2295, 3240, 2, "Folder"},
    {"File1", "frmBrowse", K::List, "", 120, 4080, 2295, 4380, 3, "Dialogue files (*.dlg)"},
    {"Command2", "frmBrowse", K::Button, "Load File", 240, 8640, 975, 375, 4, nullptr},
    {"Command8", "frmBrowse", K::Button, "Unload File", 1320, 8640, 1095, 375, 28, nullptr},
    {"Commandsave", "frmBrowse", K::Button, "Save", 240, 9120, 975, 375, 26, nullptr},
    {"Command9", "frmBrowse", K::Button, "Save As", 1320, 9120, 1095, 375, 27, nullptr},
    {"Command6", "frmBrowse", K::Button, "Quit", 1320, 10320, 1095, 375, 24, nullptr},

    {"Picture1", "Frame1", K::Picture, "", 9000, 120, 2655, 1215, 23, "Ashgloam Dialogue Editor"},
    {"Label15", "Frame1", K::Label, "Dialogue Line Numbers:", 12120, 240, 855, 615, 52, nullptr},
    {"Label2", "Frame1", K::Label, "Line Number:", 3120, 360, 975, 375, 22, nullptr},
    {"txtLineNum", "Frame1", K::Line, "", 4080, 360, 855, 375, 13, "Line Number:"},
    {"Command7", "Frame1", K::Button, "Go to 1", 4920, 360, 735, 375, 25, nullptr},
    {"Command5", "Frame1", K::Button, "Go to:", 6120, 360, 615, 375, 55, nullptr},
    {"txtgoline", "Frame1", K::Line, "", 6720, 360, 615, 375, 56, "Go to:"},
    {"Label16", "Frame1", K::Label, "OR", 5760, 480, 255, 255, 57, nullptr},
    {"Label3", "Frame1", K::Label, "NPC or PC:", 3240, 840, 855, 375, 21, nullptr},
    {"txtnpc", "Frame1", K::Line, "", 4080, 840, 855, 375, 6, "NPC or PC:"},
    {"lstnpc", "Frame1", K::Combo, "", 4080, 840, 975, 315, 53, "NPC or PC:"},
    {"lstusednum", "Frame1", K::List, "", 12120, 840, 735, 8835, 50, "Dialogue Line Numbers:"},
    {"Label4", "Frame1", K::Label, "Male Dialogue:", 3000, 1320, 1095, 375, 20, nullptr},
    {"txtDialogue", "Frame1", K::Multi, "", 4080, 1320, 7815, 1455, 10, "Male Dialogue:"},
    {"Label11", "Frame1", K::Label, "Female Dialogue:", 2880, 2760, 1335, 375, 15, nullptr},
    {"txtfemale", "Frame1", K::Multi, "", 4080, 2760, 7815, 1455, 7, "Female Dialogue:"},
    {"Label5", "Frame1", K::Label, "Intelligence Check:", 2640, 4200, 1575, 375, 16, nullptr},
    {"txtIntCheck", "Frame1", K::Line, "", 4080, 4200, 735, 375, 8, "Intelligence Check:"},
    {"Label6", "Frame1", K::Label, "Conditional Flags:", 2760, 4560, 1335, 375, 19, nullptr},
    {"txtFlags1", "Frame1", K::Line, "", 4080, 4560, 6975, 375, 14, "Conditional Flags:"},
    {"Command10", "Frame1", K::Button, "Add Flags", 11040, 4560, 855, 375, 46, nullptr},
    {"Label7", "Frame1", K::Label, "Jump to Line:", 3120, 4920, 975, 255, 18, nullptr},
    {"txtlinejump", "Frame1", K::Line, "", 4080, 4920, 855, 375, 12, "Jump to Line:"},
    {"Command3", "Frame1", K::Button, "Jump", 4920, 4920, 615, 375, 9, nullptr},
    {"Label8", "Frame1", K::Label, "Executuion Flags:", 2760, 5280, 1335, 375, 17, nullptr},
    {"txtflags2", "Frame1", K::Line, "", 4080, 5280, 6975, 375, 11, "Executuion Flags:"},
    {"cmdadd", "Frame1", K::Button, "Add Flags", 11040, 5280, 855, 375, 47, nullptr},
    {"cmdsaveline", "Frame1", K::Button, "Save New Line", 9240, 5760, 2655, 375, 54, nullptr},
    {"Frame2", "Frame1", K::Frame, "Responses", 2520, 6120, 9375, 4815, 30, nullptr},
    {"lstflags", "Frame1", K::List, "", 120, 7800, 2415, 2400, 29, "Flags:"},
    {"Label12", "Frame1", K::Label, "Line number:", 12000, 9720, 975, 255, 51, nullptr},
    {"txtaddline", "Frame1", K::Line, "", 12120, 9960, 735, 375, 48, "Line number:"},
    {"cmdaddline", "Frame1", K::Button, "Add Line", 12120, 10320, 855, 375, 49, nullptr},

    {"Label14", "Frame2", K::Label, "Line Number:", 120, 360, 1215, 375, 41, nullptr},
    {"Label1", "Frame2", K::Label, "Responses:  (click to view flags, double click to edit)", 1200,
     360, 4095, 375, 42, nullptr},
    {"Label9", "Frame2", K::Label, "Int:", 6960, 360, 375, 375, 43, nullptr},
    {"label333", "Frame2", K::Label, "F/M", 7680, 360, 375, 375, 45, nullptr},
    {"Label10", "Frame2", K::Label, "Go to Line:", 8400, 360, 855, 735, 44, nullptr},
    {"lsthideline", "Frame2", K::List, "", 480, 600, 615, 2595, 33, "Line Number:"},
    {"lstresponses", "Frame2", K::List, "", 1200, 600, 5655, 2595, 35,
     "Responses:  (click to view flags, double click to edit)"},
    {"lstint", "Frame2", K::List, "", 6960, 600, 615, 2595, 38, "Int:"},
    {"lstForM", "Frame2", K::List, "", 7680, 600, 735, 2595, 39, "F/M"},
    {"lstline", "Frame2", K::List, "", 8520, 600, 735, 2595, 37, "Go to Line:"},
    {"Label13", "Frame2", K::Label, "Flags:", 0, 3240, 495, 495, 40, nullptr},
    {"txtflags", "Frame2", K::Multi, "", 480, 3240, 8775, 1095, 31, "Flags:"},
    {"Command4", "Frame2", K::Button, "Edit Response", 6960, 4320, 2295, 375, 34, nullptr},
    {"cdmsave", "Frame2", K::Button, "Save Changes to This Response", 0, 4560, 855, 375, 32,
     nullptr},
    {"Command1", "Frame2", K::Button, "Respond", 840, 4560, 615, 375, 36, nullptr},
};

// The two panels stand at the same place; the opening command shows one of them.
constexpr Control kFlagEditorControls[] = {
    {"Frame1", "", K::Panel, "", 120, 0, 9015, 855, 4, nullptr},
    {"Label1", "Frame1", K::Label, "Conditional functions:  (example variables have been left in)",
     0, 120, 4335, 375, 10, nullptr},
    {"listbool", "Frame1", K::Combo, "", 0, 360, 5055, 315, 9,
     "Conditional functions:  (example variables have been left in)"},
    {"Command3", "Frame1", K::Button, "Insert", 5160, 360, 1335, 375, 8, nullptr},
    {"Option1_0", "Frame1", K::Option, "AND", 6720, 360, 735, 375, 7, nullptr},
    {"Option1_1", "Frame1", K::Option, "OR", 7440, 360, 615, 375, 6, nullptr},
    {"Option1_2", "Frame1", K::Option, "NONE", 8040, 360, 855, 375, 5, nullptr},
    {"Frame2", "", K::Panel, "", 120, 120, 8895, 735, 11, nullptr},
    {"Label2", "Frame2", K::Label, "Executive Functions:  (example variables have been left in)", 0,
     0, 4335, 255, 14, nullptr},
    {"listexec", "Frame2", K::Combo, "", 0, 240, 5535, 315, 13,
     "Executive Functions:  (example variables have been left in)"},
    {"Command4", "Frame2", K::Button, "Insert", 5640, 240, 1455, 375, 12, nullptr},
    {"Label3", "", K::Label, "Edit before placement:", 120, 840, 2535, 375, 1, nullptr},
    {"txtedit", "", K::Line, "", 120, 1080, 8775, 855, 0, "Edit before placement:"},
    {"Command1", "", K::Button, "Accept", 5640, 2040, 1575, 495, 2, nullptr},
    {"Command2", "", K::Button, "Cancel", 7320, 2040, 1575, 495, 3, nullptr},
};

}  // namespace

std::span<const Control> EditorControls() { return kEditorControls; }
std::span<const Control> FlagEditorControls() { return kFlagEditorControls; }

}  // namespace dlg::ui
