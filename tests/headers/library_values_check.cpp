// The public headers against the library's own definitions: every message,
// command, kind, tool and class name of include/kelp32.h and include/mhook.h
// has the library's value, and the public control record lies exactly over
// the library's. Compiled for both architectures; a difference stops the
// build with the name of the constant or field. check_headers.py makes sure
// every constant of the public header is listed here.
#include <cstddef>
#include <string_view>
#include <type_traits>

#include "core/control_record.h"
#include "core/form_format.h"
#include "core/tools.h"
#include "designer/form_designer.h"
#include "editor/editor.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/project_api.h"
#include "frame/frame_commands.h"
#include "kelp32.h"
#include "mhook.h"

#define SAME_VALUE(name, library) static_assert(static_cast<long long>(::name) == (library), #name)
#define SAME_TEXT(name, library) static_assert(std::string_view(name) == (library), #name)

SAME_VALUE(DCM_SETID, kelp::DCM_SETID);
SAME_VALUE(DCM_SETIDNAME, kelp::DCM_SETIDNAME);
SAME_VALUE(DCM_SETBACKCOLOUR, kelp::DCM_SETBACKCOLOUR);
SAME_VALUE(DCM_CHANGEEXSTYLE, kelp::DCM_CHANGEEXSTYLE);
SAME_VALUE(DCM_GETRECORD, kelp::DCM_GETRECORD);
SAME_VALUE(DCM_PUTRECORD, kelp::DCM_PUTRECORD);
SAME_VALUE(PRJ_ADDFORM, kelp::PRJ_ADDFORM);
SAME_VALUE(PRJ_ADDPROJECT, kelp::PRJ_ADDPROJECT);
SAME_VALUE(PRJ_ADDMODULE, kelp::PRJ_ADDMODULE);
SAME_VALUE(PRJ_ADDCLASSMODULE, kelp::PRJ_ADDCLASSMODULE);
SAME_VALUE(PRJ_SELECTWINDOW, kelp::PRJ_SELECTWINDOW);
SAME_VALUE(PWM_SHOWPROPERTIES, kelp::PWM_SHOWPROPERTIES);
SAME_VALUE(PWM_COLOURPICKED, kelp::PWM_COLOURPICKED);
SAME_VALUE(CFM_REFRESHCOLOUR, kelp::CFM_REFRESHCOLOUR);
SAME_VALUE(CFM_MOUSEHOOK, kelp::CFM_MOUSEHOOK);
SAME_VALUE(FWM_CONTROLDELETED, kelp::FWM_CONTROLDELETED);
SAME_VALUE(KELP32_EDITOR_ACTIVITY, kelp::kEditorActivityMessage);
SAME_VALUE(MHOOK_PRESS, kelp::CFM_MOUSEHOOK);

SAME_VALUE(IDM_PROPERTIES, kelp::IDM_PROPERTIES);
SAME_VALUE(IDM_COPY, kelp::IDM_COPY);
SAME_VALUE(IDM_PASTE, kelp::IDM_PASTE);
SAME_VALUE(IDM_DELETE, kelp::IDM_DELETE);
SAME_VALUE(IDM_VIEWCODE, kelp::IDM_VIEWCODE);
SAME_VALUE(IDM_EDITOR_UNDO, kelp::IDM_EDITOR_UNDO);
SAME_VALUE(IDM_EDITOR_CUT, kelp::IDM_EDITOR_CUT);
SAME_VALUE(IDM_EDITOR_COPY, kelp::IDM_EDITOR_COPY);
SAME_VALUE(IDM_EDITOR_PASTE, kelp::IDM_EDITOR_PASTE);
SAME_VALUE(IDM_EDITOR_DELETE, kelp::IDM_EDITOR_DELETE);
SAME_VALUE(IDM_FINDTEXT, kelp::kFindText);
SAME_VALUE(IDM_FINDNEXT, kelp::kFindNext);
SAME_VALUE(IDM_SELECTALL, kelp::kSelectAll);
SAME_VALUE(IDM_REDO, kelp::kRedo);
SAME_VALUE(IDM_FORMAT_ALIGN_LEFTS, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kAlignLefts));
SAME_VALUE(IDM_FORMAT_ALIGN_CENTERS, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kAlignCenters));
SAME_VALUE(IDM_FORMAT_ALIGN_RIGHTS, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kAlignRights));
SAME_VALUE(IDM_FORMAT_ALIGN_TOPS, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kAlignTops));
SAME_VALUE(IDM_FORMAT_ALIGN_MIDDLES, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kAlignMiddles));
SAME_VALUE(IDM_FORMAT_ALIGN_BOTTOMS, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kAlignBottoms));
SAME_VALUE(IDM_FORMAT_SAME_WIDTH, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kSameWidth));
SAME_VALUE(IDM_FORMAT_SAME_HEIGHT, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kSameHeight));
SAME_VALUE(IDM_FORMAT_SAME_SIZE, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kSameSize));
SAME_VALUE(IDM_FORMAT_CENTER_HORIZONTALLY, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kCenterHorizontally));
SAME_VALUE(IDM_FORMAT_CENTER_VERTICALLY, kelp::kFormatFirst + static_cast<UINT>(kelp::FormatCommand::kCenterVertically));
SAME_VALUE(IDM_NEWPROJECT, kelp::kNewProject);
SAME_VALUE(IDM_OPENPROJECT, kelp::kOpenProject);
SAME_VALUE(IDM_ADDPROJECT, kelp::kAddProject);
SAME_VALUE(IDM_REMOVEPROJECT, kelp::kRemoveProject);
SAME_VALUE(IDM_SAVEPROJECT, kelp::kSaveProject);
SAME_VALUE(IDM_EXIT, kelp::kExit);
SAME_VALUE(IDM_ADDFORM, kelp::kAddForm);
SAME_VALUE(IDM_ADDMDIFORM, kelp::kAddMdiForm);
SAME_VALUE(IDM_ADDMODULE, kelp::kAddModule);
SAME_VALUE(IDM_ADDCLASSMODULE, kelp::kAddClassModule);
SAME_VALUE(IDC_NEWPROJECT_CANCEL, kelp::kNewProjectCancelId);
SAME_VALUE(IDC_NEWPROJECT_OK, kelp::kNewProjectOkId);
SAME_VALUE(IDC_CODE_FIRSTLIST, kelp::kFirstListBoxId);
SAME_VALUE(IDC_CODE_SECONDLIST, kelp::kSecondListBoxId);
SAME_VALUE(IDC_CODE_EDITOR, kelp::kEditorControlId);

SAME_VALUE(KIND_FORM, kelp::kKindForm);
SAME_VALUE(KIND_LABEL, kelp::kKindLabel);
SAME_VALUE(KIND_TEXTBOX, kelp::kKindTextBox);
SAME_VALUE(KIND_GROUPBOX, kelp::kKindGroupBox);
SAME_VALUE(KIND_BUTTON, kelp::kKindButton);
SAME_VALUE(KIND_CHECKBOX, kelp::kKindCheckBox);
SAME_VALUE(KIND_OPTIONBUTTON, kelp::kKindOptionButton);
SAME_VALUE(KIND_COMBOBOX, kelp::kKindComboBox);
SAME_VALUE(KIND_LISTBOX, kelp::kKindListBox);
SAME_VALUE(KIND_HSCROLLBAR, kelp::kKindHScrollBar);
SAME_VALUE(KIND_VSCROLLBAR, kelp::kKindVScrollBar);
SAME_VALUE(KIND_TIMER, kelp::kKindTimer);
SAME_VALUE(KIND_DRIVELISTBOX, kelp::kKindDriveListBox);
SAME_VALUE(KIND_DIRLISTBOX, kelp::kKindDirListBox);
SAME_VALUE(KIND_FILELISTBOX, kelp::kKindFileListBox);
SAME_VALUE(KIND_IMAGEBOX, kelp::kKindImageBox);
SAME_VALUE(KIND_CALENDAR, kelp::kKindCalendar);
SAME_VALUE(KIND_TRACKBAR, kelp::kKindTrackBar);
SAME_VALUE(KIND_PROGRESSBAR, kelp::kKindProgressBar);
SAME_VALUE(KIND_STATUSBAR, kelp::kKindStatusBar);

// A tool places the kind of its own number; the four that place nothing
// have tooltips of their own.
SAME_VALUE(TOOL_POINTER, kelp::kToolPointer);
SAME_VALUE(TOOL_PICTUREBOX, kelp::kToolUnused50);
SAME_VALUE(TOOL_LABEL, kelp::kKindLabel);
SAME_VALUE(TOOL_TEXTBOX, kelp::kKindTextBox);
SAME_VALUE(TOOL_GROUPBOX, kelp::kKindGroupBox);
SAME_VALUE(TOOL_BUTTON, kelp::kKindButton);
SAME_VALUE(TOOL_CHECKBOX, kelp::kKindCheckBox);
SAME_VALUE(TOOL_OPTIONBUTTON, kelp::kKindOptionButton);
SAME_VALUE(TOOL_COMBOBOX, kelp::kKindComboBox);
SAME_VALUE(TOOL_LISTBOX, kelp::kKindListBox);
SAME_VALUE(TOOL_HSCROLLBAR, kelp::kKindHScrollBar);
SAME_VALUE(TOOL_VSCROLLBAR, kelp::kKindVScrollBar);
SAME_VALUE(TOOL_TIMER, kelp::kKindTimer);
SAME_VALUE(TOOL_DRIVELISTBOX, kelp::kKindDriveListBox);
SAME_VALUE(TOOL_DIRLISTBOX, kelp::kKindDirListBox);
SAME_VALUE(TOOL_FILELISTBOX, kelp::kKindFileListBox);
SAME_VALUE(TOOL_SHAPE, kelp::kToolUnused65);
SAME_VALUE(TOOL_LINES, kelp::kToolUnused66);
SAME_VALUE(TOOL_IMAGEBOX, kelp::kKindImageBox);
SAME_VALUE(TOOL_CALENDAR, kelp::kKindCalendar);
SAME_VALUE(TOOL_TRACKBAR, kelp::kKindTrackBar);
SAME_VALUE(TOOL_PROGRESSBAR, kelp::kKindProgressBar);
SAME_VALUE(TOOL_STATUSBAR, kelp::kKindStatusBar);
static_assert(TOOL_POINTER == kelp::kFirstTool && TOOL_STATUSBAR == kelp::kLastTool, "tool range");
static_assert(kelp::kToolTips[TOOL_PICTUREBOX - TOOL_POINTER].text == std::string_view("PictureBox"));
static_assert(kelp::kToolTips[TOOL_SHAPE - TOOL_POINTER].text == std::string_view("Shape"));
static_assert(kelp::kToolTips[TOOL_LINES - TOOL_POINTER].text == std::string_view("Lines"));

// Saving and opening projects.
SAME_VALUE(KELP32_OPTION_NOTIFY_CHANGES, kelp::kOptionNotifyChanges);
SAME_VALUE(KELP32_OPTION_ASK_BEFORE_EXIT, kelp::kOptionAskBeforeExit);
SAME_VALUE(KELP32_OPTION_ADD_MDI_FORM, kelp::kOptionAddMdiForm);
SAME_VALUE(KELP32_OPTION_CODE_TOOLS, kelp::kOptionCodeTools);
SAME_VALUE(KELP32_OPTION_DESIGN_TOOLS, kelp::kOptionDesignTools);
SAME_VALUE(KELP32_PROJECT_CHANGED, kelp::kProjectChangedMessage);
SAME_VALUE(KELP32_QUERY_EXIT, kelp::kQueryExitMessage);
SAME_VALUE(KELP32_CANCEL_EXIT, kelp::kCancelExit);
SAME_VALUE(KELP32_CHANGE_CONTROL_DRAWN, kelp::kChangeControlDrawn);
SAME_VALUE(KELP32_CHANGE_CONTROL_MOVED, kelp::kChangeControlMoved);
SAME_VALUE(KELP32_CHANGE_CONTROL_RESIZED, kelp::kChangeControlResized);
SAME_VALUE(KELP32_CHANGE_CONTROL_PASTED, kelp::kChangeControlPasted);
SAME_VALUE(KELP32_CHANGE_CONTROL_DELETED, kelp::kChangeControlDeleted);
SAME_VALUE(KELP32_CHANGE_PROPERTY, kelp::kChangeProperty);
SAME_VALUE(KELP32_CHANGE_COLOUR, kelp::kChangeColour);
SAME_VALUE(KELP32_CHANGE_FORM_ADDED, kelp::kChangeFormAdded);
SAME_VALUE(KELP32_CHANGE_MDIFORM_ADDED, kelp::kChangeMdiFormAdded);
SAME_VALUE(KELP32_CHANGE_MODULE_ADDED, kelp::kChangeModuleAdded);
SAME_VALUE(KELP32_CHANGE_CLASSMODULE_ADDED, kelp::kChangeClassModuleAdded);
SAME_VALUE(KELP32_CHANGE_CODE, kelp::kChangeCode);
SAME_VALUE(KELP32_CHANGE_FORM_RESIZED, kelp::kChangeFormResized);
SAME_VALUE(KELP32_CHANGE_FORM_MOVED, kelp::kChangeFormMoved);
SAME_VALUE(KELP32_CHANGE_UNDONE, kelp::kChangeUndone);
SAME_VALUE(KELP32_CHANGE_REDONE, kelp::kChangeRedone);
SAME_VALUE(PRJ_SETTITLE, kelp::PRJ_SETTITLE);
SAME_VALUE(PRJ_GETTITLE, kelp::PRJ_GETTITLE);
SAME_VALUE(KELP32_FORM_MDI, kelp::kFormFlagMdi);
SAME_VALUE(KELP32_FORM_HIDDEN, kelp::kFormFlagHidden);
SAME_VALUE(KELP32_CODE_VISIBLE, kelp::kCodeFlagVisible);
SAME_VALUE(KELP32_MODULE, kelp::kModule);
SAME_VALUE(KELP32_CLASS_MODULE, kelp::kClassModule);
SAME_VALUE(KELP32_BRUSH_NONE, kelp::kBrushNone);
SAME_VALUE(KELP32_BRUSH_SYSTEM, kelp::kBrushSystem);
SAME_VALUE(KELP32_BRUSH_PICKED, kelp::kBrushPicked);
SAME_VALUE(KELP32_SET_NAME, kelp::kSetName);
SAME_VALUE(KELP32_SET_IDNAME, kelp::kSetIdName);
SAME_VALUE(KELP32_SET_ID, kelp::kSetId);
SAME_VALUE(KELP32_SET_CAPTION, kelp::kSetCaption);
SAME_VALUE(KELP32_SET_BACKCOLOUR, kelp::kSetBackColour);
SAME_VALUE(KELP32_SET_FORECOLOUR, kelp::kSetForeColour);
SAME_VALUE(KELP32_SET_SIZE, kelp::kSetSize);
SAME_VALUE(KELP32_SET_PLACE, kelp::kSetPlace);
SAME_VALUE(KELP32_SET_ENABLED, kelp::kSetEnabled);
SAME_VALUE(KELP32_SET_STYLES, kelp::kSetStyles);
SAME_VALUE(KELP32_SET_FONT, kelp::kSetFont);
SAME_VALUE(KELP32_SET_SAVED, kelp::kSetSaved);
static_assert(sizeof(KELP32_LOGFONT) == sizeof(LOGFONTA), "the font is a LOGFONTA");

SAME_TEXT(KELP32_CODE_WINDOW_CLASS, kelp::kCodeWindowClassName);
SAME_TEXT(KELP32_FORM_FRAME_CLASS, kelp::kFrameClassName);
SAME_TEXT(KELP32_FORM_PANEL_CLASS, kelp::kBackPanelClassName);
SAME_TEXT(KELP32_FORM_SURFACE_CLASS, kelp::kSurfaceClassName);

SAME_VALUE(KELP32_RECORD_SIZE, sizeof(kelp::ControlRecord));
SAME_VALUE(KELP32_TEXT_SIZE, kelp::kTextFieldSize);
static_assert(sizeof(KELP32_CONTROL_RECORD) == sizeof(kelp::ControlRecord), "record size");

#define SAME_FIELD(field)                                                                              \
  static_assert(offsetof(KELP32_CONTROL_RECORD, field) == offsetof(kelp::ControlRecord, field) &&     \
                    sizeof(KELP32_CONTROL_RECORD::field) == sizeof(kelp::ControlRecord::field) &&      \
                    std::is_signed_v<decltype(KELP32_CONTROL_RECORD::field)> ==                        \
                        std::is_signed_v<decltype(kelp::ControlRecord::field)>,                        \
                "record field " #field)

SAME_FIELD(settled);
SAME_FIELD(hParent);
SAME_FIELD(dragging);
SAME_FIELD(reserved1);
SAME_FIELD(kind);
SAME_FIELD(left);
SAME_FIELD(top);
SAME_FIELD(width);
SAME_FIELD(height);
SAME_FIELD(ctrlId);
SAME_FIELD(idName);
SAME_FIELD(handleName);
SAME_FIELD(caption);
SAME_FIELD(reserved2);
SAME_FIELD(reserved3);
SAME_FIELD(hFont);
SAME_FIELD(hPopupMenu);
SAME_FIELD(reserved4);
SAME_FIELD(exStyle);
SAME_FIELD(style);
SAME_FIELD(classStyle);
SAME_FIELD(enabled);
SAME_FIELD(backColour);
SAME_FIELD(hBackBrush);
SAME_FIELD(foreColour);
SAME_FIELD(hCodeWindow);
SAME_FIELD(reserved5);
SAME_FIELD(codeOpen);
