#pragma once
// The names of the controls of the two windows: each widget's object name and accessible id,
// the interface by which tests, tools and assistive technology find it. They are written here
// (the labels, which no code reaches, in the layout table) and nowhere else: the code names a
// control by what it does.

namespace dlg::ui::control {

// The editor window.
inline constexpr char kEditorWindow[] = "Ashgloamdlgeditor";
inline constexpr char kBrowseFrame[] = "frmBrowse";
inline constexpr char kDriveList[] = "Drive1";
inline constexpr char kFolderList[] = "Dir1";
inline constexpr char kFileList[] = "File1";
inline constexpr char kLoadFile[] = "Command2";
inline constexpr char kUnloadFile[] = "Command8";
inline constexpr char kSave[] = "Commandsave";
inline constexpr char kSaveAs[] = "Command9";
inline constexpr char kQuit[] = "Command6";
inline constexpr char kDialogueFrame[] = "Frame1";
inline constexpr char kBanner[] = "Picture1";
inline constexpr char kLineNumber[] = "txtLineNum";
inline constexpr char kGoToFirst[] = "Command7";
inline constexpr char kGoTo[] = "Command5";
inline constexpr char kGoToNumber[] = "txtgoline";
inline constexpr char kLineKind[] = "txtnpc";
inline constexpr char kLineKindChoice[] = "lstnpc";
inline constexpr char kUsedNumbers[] = "lstusednum";
inline constexpr char kMaleText[] = "txtDialogue";
inline constexpr char kFemaleText[] = "txtfemale";
inline constexpr char kIntCheck[] = "txtIntCheck";
inline constexpr char kConditionFlags[] = "txtFlags1";
inline constexpr char kAddConditionFlags[] = "Command10";
inline constexpr char kJumpLine[] = "txtlinejump";
inline constexpr char kJump[] = "Command3";
inline constexpr char kExecutionFlags[] = "txtflags2";
inline constexpr char kAddExecutionFlags[] = "cmdadd";
inline constexpr char kSaveNewLine[] = "cmdsaveline";
inline constexpr char kRepliesFrame[] = "Frame2";
inline constexpr char kReplyFlagTexts[] = "lstflags";
inline constexpr char kNewLineNumber[] = "txtaddline";
inline constexpr char kAddLine[] = "cmdaddline";
inline constexpr char kReplyNumbers[] = "lsthideline";
inline constexpr char kReplies[] = "lstresponses";
inline constexpr char kReplyIntChecks[] = "lstint";
inline constexpr char kReplyForms[] = "lstForM";
inline constexpr char kReplyTargets[] = "lstline";
inline constexpr char kReplyFlags[] = "txtflags";
inline constexpr char kEditResponse[] = "Command4";
inline constexpr char kSaveResponse[] = "cdmsave";
inline constexpr char kRespond[] = "Command1";

// The Flag Editor window.
inline constexpr char kFlagEditor[] = "Form1";
inline constexpr char kConditionPanel[] = "Frame1";
inline constexpr char kConditionCatalog[] = "listbool";
inline constexpr char kInsertCondition[] = "Command3";
inline constexpr char kJoinAnd[] = "Option1_0";
inline constexpr char kJoinOr[] = "Option1_1";
inline constexpr char kJoinNone[] = "Option1_2";
inline constexpr char kActionPanel[] = "Frame2";
inline constexpr char kActionCatalog[] = "listexec";
inline constexpr char kInsertAction[] = "Command4";
inline constexpr char kEditBox[] = "txtedit";
inline constexpr char kAccept[] = "Command1";
inline constexpr char kCancel[] = "Command2";

// What stands around the windows of the layout tables: the editor's menu bar and its client
// area, and the Conversation window.
inline constexpr char kMenuBar[] = "menuBar";
inline constexpr char kClientArea[] = "clientArea";
inline constexpr char kConversationWindow[] = "conversationWindow";
inline constexpr char kOutline[] = "outline";
inline constexpr char kMap[] = "map";
inline constexpr char kMapNote[] = "mapNote";
inline constexpr char kZoomIn[] = "zoomIn";
inline constexpr char kZoomOut[] = "zoomOut";
inline constexpr char kFitMap[] = "fitMap";
inline constexpr char kProblems[] = "problems";
inline constexpr char kFindText[] = "findText";
inline constexpr char kFoundRecords[] = "foundRecords";
inline constexpr char kCounts[] = "counts";
inline constexpr char kFindInFilesText[] = "findInFilesText";
inline constexpr char kStartFindInFiles[] = "findInFiles";
inline constexpr char kStopFindInFiles[] = "stopFindInFiles";
inline constexpr char kFindInFilesFolder[] = "findInFilesFolder";
inline constexpr char kFindInFilesCount[] = "findInFilesCount";
inline constexpr char kFilesFound[] = "filesFound";
inline constexpr char kProblemsThisFile[] = "problemsThisFile";
inline constexpr char kProblemsAllFiles[] = "problemsAllFiles";
inline constexpr char kFolderProblems[] = "folderProblems";
inline constexpr char kFolderProblemsSummary[] = "folderProblemsSummary";
// The Play window.
inline constexpr char kPlayWindow[] = "playWindow";
inline constexpr char kPlaySex[] = "playSex";
inline constexpr char kPlayIntelligence[] = "playIntelligence";
inline constexpr char kTranscript[] = "transcript";
inline constexpr char kOfferedReplies[] = "offeredReplies";
inline constexpr char kShowHeldBack[] = "showHeldBack";
inline constexpr char kConditions[] = "conditions";
inline constexpr char kChooseReply[] = "chooseReply";
inline constexpr char kPlayBack[] = "playBack";
inline constexpr char kPlayRestart[] = "playRestart";
inline constexpr char kCopyTranscript[] = "copyTranscript";
inline constexpr char kSaveTranscript[] = "saveTranscript";

}  // namespace dlg::ui::control
