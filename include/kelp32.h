/* Kelp32.dll: the visual-design library of a MASM rapid-application-
 * development environment. This header declares what a host program uses:
 * the exports, the private messages its windows accept and send, the
 * command identifiers a host receives, the kind and tool codes, and the
 * control record that DCM_GETRECORD copies out.
 *
 * Usable from C (C99 and later) and C++, for 32-bit and 64-bit hosts. On
 * 32-bit Windows every export is __stdcall and exported under its
 * undecorated name; link with libKelp32.dll.a (MinGW) or Kelp32.lib (MSVC
 * style), whose import symbols carry the decoration (_Init_DLL@8).
 *
 * A host, in this order: creates its main frame and an MDI client inside
 * it, calls Init_DLL, creates the tool windows and the menu bar, then opens
 * forms with NewProject or CreateFormWin (docs/host-contract.md walks through
 * it). What the library sends back:
 *   - to the MDI client, KELP32_EDITOR_ACTIVITY (wParam 0, lParam 0) after
 *     the user's activity in an editor, and WM_COMMAND IDM_EDITOR_UNDO ..
 *     IDM_EDITOR_DELETE from an editor's context menu, which the host passes
 *     on to any code window (class KELP32_CODE_WINDOW_CLASS);
 *   - to the main frame's own procedure, every menu command after the
 *     library's own handling; IDM_NEWPROJECT, IDM_OPENPROJECT,
 *     IDM_ADDPROJECT, IDM_SAVEPROJECT and IDM_ADDMDIFORM are the host's to
 *     carry out; and WM_DESTROY when the user chooses "&Exit" or closes the
 *     frame;
 *   - to the main frame's own procedure too, only for a host that asked
 *     with SetHostOptions: KELP32_PROJECT_CHANGED after each change the
 *     user makes, and KELP32_QUERY_EXIT before the shut-down.
 */
#ifndef KELP32_H
#define KELP32_H

#include <windows.h>
#include <stddef.h>

/* Calling convention of every export. */
#if defined(_M_IX86) || defined(__i386__)
#define KELP32_API __stdcall
#else
#define KELP32_API
#endif
/* The name the library's own sources use. */
#ifndef KELP_API
#define KELP_API KELP32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------------
 * Exports. Every argument and result is 32 bits wide on i686.
 */

/* Remembers the host's instance and MDI client (whose parent is the main
 * frame) and creates the library's default font, which it returns. Call it
 * once, before any other export. */
HFONT KELP32_API Init_DLL(HINSTANCE hostInstance, HWND mdiClient);

/* Opens a new form as an MDI child of mdiClient: "Project<n> - Form<k> (Form)".
 * formInstance is the instance its window classes are registered with; owner
 * is not used. Later forms and code windows open in this mdiClient. Returns
 * the form's frame window (class KELP32_FORM_FRAME_CLASS), or NULL. */
HWND KELP32_API CreateFormWin(HINSTANCE formInstance, HWND owner, HWND mdiClient,
                              DWORD projectNumber);

/* The toolbox: a "Tools" window with 23 check buttons, child of parent. */
HWND KELP32_API Create_Tool_Bar(HWND parent);

/* The properties window: a 200 x 300 "Properties" tool window, child of
 * parent, that shows and edits the rows of whatever the designer selects.
 * Call it once. The colour picker in it loads mhook.dll from the folder of
 * Kelp32.dll. */
HWND KELP32_API Create_Prop_Window(HWND parent);

/* The project window ("Projects", 200 x 150 at (500, 0) in parent): a tree
 * of the project's forms, modules and class modules under a small toolbar.
 * Double-clicking an item shows its window. */
HWND KELP32_API Create_Project_Window(HWND parent);

/* The Form Layout window (200 x 150 at (0, 0) in parent): a monitor whose
 * screen shows the real screen in miniature. */
HWND KELP32_API ScreenLayoutClass(HWND parent);

/* Sets the environment's owner-drawn menu bar on the main frame and
 * subclasses the frame. "&Add Form", "&Add Module", "&Add Class Module" and
 * "&Exit" (and closing the frame) are carried out by the library; every
 * command then reaches the frame's own procedure, and the project commands
 * (IDM_NEWPROJECT, IDM_OPENPROJECT, IDM_ADDPROJECT, IDM_SAVEPROJECT,
 * IDM_ADDMDIFORM) are the host's to act on. Shutting down destroys the menus
 * and sends WM_DESTROY to the frame. The argument is not used; returns 0. */
DWORD KELP32_API CreateMenuBar(DWORD unused);

/* The New Project window, a top-most pop-up owned by owner (not modal):
 * "OK" on "Standard EXE" or "MDI" opens the project's first form and closes
 * it. Returns the window. */
HWND KELP32_API NewProject(HWND owner);

/* Design-time controls on a form's design surface (parent, class
 * KELP32_FORM_SURFACE_CLASS), at (x, y) in its client coordinates; text is
 * the window text and makes the handle name ("h" + text). Each returns the
 * control window, or NULL. The control's record is read with DCM_GETRECORD;
 * a control placed by the user with the mouse is also named and numbered
 * (DCM_SETIDNAME, DCM_SETID), which a host calling a creator does itself. */
HWND KELP32_API CreateButtonWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateCalWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateCheckBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateComboBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateDirListBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateDriveListBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateEditWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateFileListBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateHScrollBarWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateImageBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateListBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateProgressWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateRadioBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateStaticWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateStatusWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateTimerWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateTrackBarWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP32_API CreateVScrollBarWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
/* The seventh argument is not used. */
HWND KELP32_API CreateGroupBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text,
                                  const DWORD* unused);

/* Opens a code window, an MDI child of mdiClient titled `title`, holding an
 * editor whose keywords and comments are coloured by the word lists of
 * syntax.fmt beside the host executable. className is
 * KELP32_CODE_WINDOW_CLASS; instance is not used; owner is the window the
 * code belongs to, which the code window never destroys. Successive code
 * windows open 20 pixels further right and down. Fill it with
 * SendMessage(window, WM_SETTEXT, 0, text): the text goes into the editor
 * (child IDC_CODE_EDITOR, a "RichEdit20A" control, where the host reads it
 * back) and the caption stays. Closing it only hides it. Returns the code
 * window, or NULL. */
HWND KELP32_API InitRichEditBox(HWND mdiClient, HINSTANCE instance, LPCSTR className, LPCSTR title,
                                HWND owner);

/* The signature every control creator but CreateGroupBoxWin shares, for
 * hosts that look the creators up with GetProcAddress. */
typedef HWND(KELP32_API* KELP32_CREATOR)(HWND parent, int x, int y, int width, int height, LPCSTR text);

/* ------------------------------------------------------------------------
 * Private messages, sent with SendMessage. The library's windows send them
 * to each other; a host may send them too.
 */
enum {
  /* To a design-time control; each returns 0. */
  DCM_SETID = 4000,         /* lParam: the numeric identifier (record ctrlId) */
  DCM_SETIDNAME = 4001,     /* lParam: the symbolic identifier, < 260 bytes (idName) */
  DCM_SETBACKCOLOUR = 4002, /* lParam: a COLORREF (backColour); nothing is repainted */
  DCM_CHANGEEXSTYLE = 4003, /* wParam: extended style bits; lParam 1 adds, 2 removes */
  DCM_GETRECORD = 4007,     /* lParam: a KELP32_CONTROL_RECORD to copy the record into */
  DCM_PUTRECORD = 4008,     /* lParam: a KELP32_CONTROL_RECORD copied over the record */

  /* To the project window. */
  PRJ_ADDFORM = 4955,        /* wParam: the form's name; lParam: its frame window */
  PRJ_ADDPROJECT = 4956,     /* wParam: the project's title */
  PRJ_ADDMODULE = 4957,      /* wParam: the module's name; lParam: its code window */
  PRJ_ADDCLASSMODULE = 4958, /* wParam: the class module's name; lParam: its code window */
  PRJ_SELECTWINDOW = 4959,   /* wParam and lParam: the window whose item to select */

  /* To the properties window: show the rows of the selected window. */
  PWM_SHOWPROPERTIES = 5001, /* wParam: the window; lParam: its kind code */
  /* To the property list, from the colour picker. */
  PWM_COLOURPICKED = 4960, /* wParam: the window whose colour was picked; lParam: the COLORREF */

  /* To the colour picker's colour field. */
  CFM_REFRESHCOLOUR = 6689, /* show the picker's current colour again */
  CFM_MOUSEHOOK = 1030,     /* from mhook.dll (MHOOK_PRESS): wParam the pressed window,
                               lParam the mouse message */

  /* To a form's design surface: a control of it was deleted. */
  FWM_CONTROLDELETED = 101, /* wParam: the control window; lParam: its kind code */

  /* Sent by an editor to its parent, the MDI client, after each key
   * release (but F2), TAB and left-button release; wParam and lParam 0. */
  KELP32_EDITOR_ACTIVITY = 0x596C
};

/* ------------------------------------------------------------------------
 * Command identifiers (WM_COMMAND, identifier in the low word of wParam).
 */
enum {
  /* The context menus of a control and of a form's design surface, which
   * go to the control or the surface. IDM_COPY is also sent as a message to
   * a design surface, with the copied control in lParam. IDM_PROPERTIES
   * has no handler. */
  IDM_PROPERTIES = 5000,
  IDM_COPY = 5002,
  IDM_PASTE = 5003,
  IDM_DELETE = 5004,
  IDM_VIEWCODE = 5005,

  /* An editor's context menu: sent to the MDI client, the menu's owner;
   * any code window applies them to the current editor. The greyed Edit
   * menu of the menu bar carries the same identifiers and three more. */
  IDM_EDITOR_UNDO = 1100,
  IDM_EDITOR_CUT = 1101,
  IDM_EDITOR_COPY = 1102,
  IDM_EDITOR_PASTE = 1103,
  IDM_EDITOR_DELETE = 1104,
  IDM_FINDTEXT = 1105,
  IDM_FINDNEXT = 1106,
  IDM_SELECTALL = 1107,
  IDM_REDO = 1108,          /* KELP32_OPTION_DESIGN_TOOLS: the Edit menu's "&Redo" */
  /* KELP32_OPTION_DESIGN_TOOLS: the Format menu's commands on the selected controls */
  IDM_FORMAT_ALIGN_LEFTS = 1400,
  IDM_FORMAT_ALIGN_CENTERS = 1401,
  IDM_FORMAT_ALIGN_RIGHTS = 1402,
  IDM_FORMAT_ALIGN_TOPS = 1403,
  IDM_FORMAT_ALIGN_MIDDLES = 1404,
  IDM_FORMAT_ALIGN_BOTTOMS = 1405,
  IDM_FORMAT_SAME_WIDTH = 1406,
  IDM_FORMAT_SAME_HEIGHT = 1407,
  IDM_FORMAT_SAME_SIZE = 1408,
  IDM_FORMAT_CENTER_HORIZONTALLY = 1409,
  IDM_FORMAT_CENTER_VERTICALLY = 1410,

  /* The menu bar's File menu (repeated in View, Format, Tools, Add-Ins,
   * Help and About) and Project menu, sent to the main frame. */
  IDM_NEWPROJECT = 1000,    /* the host's: NewProject(frame) is the usual answer */
  IDM_OPENPROJECT = 1001,   /* the host's */
  IDM_ADDPROJECT = 1002,    /* the host's */
  IDM_REMOVEPROJECT = 1003, /* greyed */
  IDM_SAVEPROJECT = 1004,   /* the host's */
  IDM_EXIT = 1005,          /* the library destroys the menus and sends WM_DESTROY */
  IDM_ADDFORM = 1300,       /* the library opens a form */
  IDM_ADDMDIFORM = 1301,    /* the host's */
  IDM_ADDMODULE = 1302,     /* the library opens "Module<n> (Code)" */
  IDM_ADDCLASSMODULE = 1303, /* the library opens "Class<n> (Code)" */

  /* Children of the New Project window. */
  IDC_NEWPROJECT_CANCEL = 1000,
  IDC_NEWPROJECT_OK = 1001,

  /* Children of a code window: two drop-down lists and the editor. */
  IDC_CODE_FIRSTLIST = 200,
  IDC_CODE_SECONDLIST = 201,
  IDC_CODE_EDITOR = 800
};

/* ------------------------------------------------------------------------
 * Kind and tool codes. A control's kind is the identifier of the toolbox
 * tool that places it (the tool's command and the current tool are the same
 * value); a form's kind is KIND_FORM. TOOL_POINTER, TOOL_PICTUREBOX,
 * TOOL_SHAPE and TOOL_LINES place nothing.
 */
enum {
  KIND_FORM = 48,
  KIND_LABEL = 51,
  KIND_TEXTBOX = 52,
  KIND_GROUPBOX = 53,
  KIND_BUTTON = 54,
  KIND_CHECKBOX = 55,
  KIND_OPTIONBUTTON = 56,
  KIND_COMBOBOX = 57,
  KIND_LISTBOX = 58,
  KIND_HSCROLLBAR = 59,
  KIND_VSCROLLBAR = 60,
  KIND_TIMER = 61,
  KIND_DRIVELISTBOX = 62,
  KIND_DIRLISTBOX = 63,
  KIND_FILELISTBOX = 64,
  KIND_IMAGEBOX = 67,
  KIND_CALENDAR = 68,
  KIND_TRACKBAR = 69,
  KIND_PROGRESSBAR = 70,
  KIND_STATUSBAR = 71,

  TOOL_POINTER = 49,
  TOOL_PICTUREBOX = 50,
  TOOL_LABEL = 51,
  TOOL_TEXTBOX = 52,
  TOOL_GROUPBOX = 53,
  TOOL_BUTTON = 54,
  TOOL_CHECKBOX = 55,
  TOOL_OPTIONBUTTON = 56,
  TOOL_COMBOBOX = 57,
  TOOL_LISTBOX = 58,
  TOOL_HSCROLLBAR = 59,
  TOOL_VSCROLLBAR = 60,
  TOOL_TIMER = 61,
  TOOL_DRIVELISTBOX = 62,
  TOOL_DIRLISTBOX = 63,
  TOOL_FILELISTBOX = 64,
  TOOL_SHAPE = 65,
  TOOL_LINES = 66,
  TOOL_IMAGEBOX = 67,
  TOOL_CALENDAR = 68,
  TOOL_TRACKBAR = 69,
  TOOL_PROGRESSBAR = 70,
  TOOL_STATUSBAR = 71
};

/* Window classes a host looks for. */
#define KELP32_CODE_WINDOW_CLASS "Editor_Class"       /* a code window */
#define KELP32_FORM_FRAME_CLASS "ClientForm_Class"    /* a form: the MDI child */
#define KELP32_FORM_PANEL_CLASS "BackForm_Class"      /* inside it, the back panel */
#define KELP32_FORM_SURFACE_CLASS "Form_Class"        /* inside that, the design surface */

/* ------------------------------------------------------------------------
 * The control record: what the designer knows of a design-time control,
 * copied whole by DCM_GETRECORD and DCM_PUTRECORD. The same 1928 bytes on
 * both architectures: handles are kept in 32 bits (USER and GDI handles
 * are 32-bit significant on Win64 as well); KELP32_HANDLE widens one.
 * Texts are zero-terminated ANSI strings.
 */
enum {
  KELP32_RECORD_SIZE = 1928,
  KELP32_TEXT_SIZE = 260
};

typedef struct KELP32_CONTROL_RECORD {
  DWORD settled;                    /* 1 while the control rests, 0 during a drag */
  DWORD hParent;                    /* the design surface it lives on */
  DWORD dragging;                   /* 1 from the press on it to the release */
  DWORD reserved1;
  DWORD kind;                       /* KIND_... */
  LONG left;                        /* in the design surface's client coordinates */
  LONG top;
  LONG width;
  LONG height;
  DWORD ctrlId;                     /* numeric identifier, e.g. 2000 */
  CHAR idName[KELP32_TEXT_SIZE];    /* symbolic identifier, e.g. IDC_BUTTON0 */
  CHAR handleName[KELP32_TEXT_SIZE]; /* handle variable, e.g. hButton0 */
  CHAR caption[KELP32_TEXT_SIZE];   /* the window text */
  CHAR reserved2[KELP32_TEXT_SIZE];
  DWORD reserved3[4];               /* copied along when a control is pasted */
  DWORD hFont;                      /* the control's font, or 0 */
  DWORD hPopupMenu;                 /* its context menu */
  CHAR reserved4[780];
  DWORD exStyle;                    /* extended window style */
  DWORD style;                      /* window style as created */
  DWORD classStyle;                 /* class style as created */
  DWORD enabled;                    /* wParam of the last WM_ENABLE */
  COLORREF backColour;              /* background colour */
  DWORD hBackBrush;                 /* a brush, or a system colour index + 1; a brush made
                                       for a picked colour goes with the control */
  COLORREF foreColour;              /* text colour */
  DWORD hCodeWindow;                /* its code window, once opened */
  DWORD reserved5[2];
  DWORD codeOpen;                   /* 1 once the code window exists */
} KELP32_CONTROL_RECORD;

/* A 32-bit handle field as a handle: sign-extended, as LongToHandle does. */
#define KELP32_HANDLE(type, field) ((type)(LONG_PTR)(LONG)(field))

#if defined(__cplusplus) && __cplusplus >= 201103L
#define KELP32_STATIC_ASSERT(condition, name) static_assert(condition, #name)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define KELP32_STATIC_ASSERT(condition, name) _Static_assert(condition, #name)
#else
#define KELP32_STATIC_ASSERT(condition, name) typedef char kelp32_assert_##name[(condition) ? 1 : -1]
#endif
KELP32_STATIC_ASSERT(sizeof(KELP32_CONTROL_RECORD) == KELP32_RECORD_SIZE, record_size);
KELP32_STATIC_ASSERT(offsetof(KELP32_CONTROL_RECORD, kind) == 16, record_kind);
KELP32_STATIC_ASSERT(offsetof(KELP32_CONTROL_RECORD, ctrlId) == 36, record_ctrlId);
KELP32_STATIC_ASSERT(offsetof(KELP32_CONTROL_RECORD, idName) == 40, record_idName);
KELP32_STATIC_ASSERT(offsetof(KELP32_CONTROL_RECORD, caption) == 560, record_caption);
KELP32_STATIC_ASSERT(offsetof(KELP32_CONTROL_RECORD, hFont) == 1096, record_hFont);
KELP32_STATIC_ASSERT(offsetof(KELP32_CONTROL_RECORD, exStyle) == 1884, record_exStyle);
KELP32_STATIC_ASSERT(offsetof(KELP32_CONTROL_RECORD, hCodeWindow) == 1912, record_hCodeWindow);
KELP32_STATIC_ASSERT(offsetof(KELP32_CONTROL_RECORD, codeOpen) == 1924, record_codeOpen);

/* ------------------------------------------------------------------------
 * Saving and opening projects (docs/host-contract.md, "Saving and opening
 * projects"). A host that never calls these sees the library as before.
 *
 * To save: walk the forms with GetNextForm (creation order) and each
 * form's controls with GetNextControl (bottom to top); read each with
 * GetFormInfo and GetDesignProperties, each code window with GetCodeText,
 * the modules with GetNextCodeModule and GetCodeModuleInfo, and the
 * counters and title with GetProjectInfo. To rebuild: CloseProject, then
 * PRJ_SETTITLE, CreateProjectForm, PlaceDesignControl in the saved order
 * and SetDesignProperties for each form and control, SetCodeText, and
 * CreateCodeModule. Handles travel in 32-bit fields (KELP32_HANDLE).
 */

/* SetHostOptions bits: what the host asks the library for. */
enum {
  KELP32_OPTION_NOTIFY_CHANGES = 0x1,  /* KELP32_PROJECT_CHANGED after each change the user makes */
  KELP32_OPTION_ASK_BEFORE_EXIT = 0x2, /* KELP32_QUERY_EXIT before "&Exit" or WM_CLOSE shuts down */
  KELP32_OPTION_ADD_MDI_FORM = 0x4,    /* the library carries out "&Add MDI Form" (CreateMdiFormWin) */
  KELP32_OPTION_CODE_TOOLS = 0x8,      /* code windows: Ctrl+H Replace, Ctrl+G Go to line */
  KELP32_OPTION_DESIGN_TOOLS = 0x10    /* the designer: undo and redo, its keys, the Edit menu */
};

/* Sent to the main frame (its procedure behind the menu bar's subclass). */
enum {
  /* After a change the user made: wParam a KELP32_CHANGE_ code, lParam the
   * window concerned (below). Never while the host itself builds or fills
   * something through the exports. The answer is not used. */
  KELP32_PROJECT_CHANGED = 0x596D,
  /* Before "&Exit" (wParam IDM_EXIT) or WM_CLOSE (wParam WM_CLOSE) shuts the
   * environment down: 0 goes on; KELP32_CANCEL_EXIT (any nonzero answer)
   * cancels, and everything stays as it was (the command or WM_CLOSE does
   * not reach the host's procedure either). */
  KELP32_QUERY_EXIT = 0x596E,
  KELP32_CANCEL_EXIT = 1
};

/* What changed (wParam of KELP32_PROJECT_CHANGED), and lParam with it. */
enum {
  KELP32_CHANGE_CONTROL_DRAWN = 1,     /* the new control */
  KELP32_CHANGE_CONTROL_MOVED = 2,     /* the control: dragged, or raised or lowered among the others */
  KELP32_CHANGE_CONTROL_RESIZED = 3,   /* the control, sized with its grab handles */
  KELP32_CHANGE_CONTROL_PASTED = 4,    /* the new control */
  KELP32_CHANGE_CONTROL_DELETED = 5,   /* the design surface it was on */
  KELP32_CHANGE_PROPERTY = 6,          /* the control or the form's frame: a property typed */
  KELP32_CHANGE_COLOUR = 7,            /* the control or the form's frame: a colour picked */
  KELP32_CHANGE_FORM_ADDED = 8,        /* the form's frame */
  KELP32_CHANGE_MDIFORM_ADDED = 9,     /* the MDI form's frame */
  KELP32_CHANGE_MODULE_ADDED = 10,     /* the module's code window */
  KELP32_CHANGE_CLASSMODULE_ADDED = 11, /* the class module's code window */
  KELP32_CHANGE_CODE = 12,             /* the code window: text typed, pasted, cut, or a skeleton opened */
  KELP32_CHANGE_FORM_RESIZED = 13,     /* the form's frame: its markers or its border dragged */
  KELP32_CHANGE_FORM_MOVED = 14,       /* the form's frame, moved in the MDI client */
  KELP32_CHANGE_UNDONE = 15,           /* the form's frame: the designer's Undo put a step back (the MDI
                                          client: Undo took away a form the user had added) */
  KELP32_CHANGE_REDONE = 16            /* the form's frame: the designer's Redo did a step again */
};

/* To the project window. */
enum {
  PRJ_SETTITLE = 4961, /* wParam: the project's title; adds the project root if there is none */
  PRJ_GETTITLE = 4962  /* wParam: a buffer, lParam: its size; returns the title's length (0: none) */
};

/* Flags of KELP32_FORM_INFO, KELP32_MODULE_INFO and SetCodeText. */
enum {
  KELP32_FORM_MDI = 0x1,     /* the project's MDI form (there is at most one) */
  KELP32_FORM_HIDDEN = 0x2,  /* closed by the user: the frame is hidden */
  KELP32_CODE_VISIBLE = 0x1  /* the code window is shown (SetCodeText: show it) */
};

/* Module kinds (KELP32_MODULE_INFO, CreateCodeModule). */
enum {
  KELP32_MODULE = 1,       /* Module<n>, "&Add Module" */
  KELP32_CLASS_MODULE = 2  /* Class<n>, "&Add Class Module" */
};

/* Brush kinds (KELP32_DESIGN_PROPERTIES.brushKind): how hBackBrush was made. */
enum {
  KELP32_BRUSH_NONE = 0,   /* none: the control's own background */
  KELP32_BRUSH_SYSTEM = 1, /* a system colour, brushSystemColour (the record holds index + 1) */
  KELP32_BRUSH_PICKED = 2  /* a brush made for backColour, as the colour picker makes it */
};

/* SetDesignProperties: which fields to set (KELP32_DESIGN_PROPERTIES.fields). */
enum {
  KELP32_SET_NAME = 0x1,         /* handleName (a form's title is left alone) */
  KELP32_SET_IDNAME = 0x2,       /* idName */
  KELP32_SET_ID = 0x4,           /* ctrlId */
  KELP32_SET_CAPTION = 0x8,      /* caption: the window text (a form's back panel) */
  KELP32_SET_BACKCOLOUR = 0x10,  /* backColour with brushKind and brushSystemColour */
  KELP32_SET_FORECOLOUR = 0x20,  /* foreColour */
  KELP32_SET_SIZE = 0x40,        /* width and height, as the properties window sizes the window */
  KELP32_SET_PLACE = 0x80,       /* the window to window*, then left, top, width, height into the record */
  KELP32_SET_ENABLED = 0x100,    /* enabled (the record's; the window stays usable) */
  KELP32_SET_STYLES = 0x200,     /* style, exStyle and classStyle */
  KELP32_SET_FONT = 0x400,       /* font, when hasFont (controls only) */
  KELP32_SET_SAVED = 0x7BF       /* all a rebuild restores: everything but KELP32_SET_SIZE */
};

/* A form (GetFormInfo, CreateProjectForm). 572 bytes. */
typedef struct KELP32_FORM_INFO {
  DWORD hFrame;         /* the form's frame (KELP32_FORM_FRAME_CLASS), an MDI child */
  DWORD hBackPanel;     /* KELP32_FORM_PANEL_CLASS, inside the frame */
  DWORD hSurface;       /* KELP32_FORM_SURFACE_CLASS, where the controls are */
  DWORD hCodeWindow;    /* the form's code window, or 0 until it is opened */
  DWORD number;         /* Form1 is 1; numbers are never reused */
  DWORD flags;          /* KELP32_FORM_MDI, KELP32_FORM_HIDDEN */
  DWORD projectNumber;  /* the n of "Project<n>" the form was opened with */
  LONG left;            /* the frame's place and size in the MDI client */
  LONG top;
  LONG frameWidth;
  LONG frameHeight;
  LONG width;           /* the back panel's size: the form's size (record width and height) */
  LONG height;
  CHAR formName[KELP32_TEXT_SIZE];  /* Form1: the design surface's text and the project item */
  CHAR formTitle[KELP32_TEXT_SIZE]; /* the frame's title, "Project1 - Form1 (Form)" */
} KELP32_FORM_INFO;

/* The face and measures of a font, laid out as LOGFONTA (60 bytes). */
typedef LOGFONTA KELP32_LOGFONT;

/* What the properties window shows of a form or control, and what a save
 * needs beside it (GetDesignProperties, SetDesignProperties). 928 bytes. */
typedef struct KELP32_DESIGN_PROPERTIES {
  DWORD fields;         /* SetDesignProperties: the KELP32_SET_ bits to set; GetDesignProperties fills all */
  DWORD kind;           /* KIND_ (read only) */
  DWORD number;         /* a control's number on its form (Button3 is 3), a form's (read only) */
  DWORD hCodeWindow;    /* its code window, or 0 (read only) */
  CHAR handleName[KELP32_TEXT_SIZE];
  CHAR idName[KELP32_TEXT_SIZE];
  DWORD ctrlId;
  CHAR caption[KELP32_TEXT_SIZE];
  LONG left;            /* the record's place and size */
  LONG top;
  LONG width;
  LONG height;
  LONG windowLeft;      /* the window's: a control's on its design surface, a form's back panel */
  LONG windowTop;
  LONG windowWidth;
  LONG windowHeight;
  DWORD style;
  DWORD exStyle;
  DWORD classStyle;
  DWORD enabled;
  COLORREF backColour;
  DWORD brushKind;         /* KELP32_BRUSH_ */
  DWORD brushSystemColour; /* the system colour index when brushKind is KELP32_BRUSH_SYSTEM */
  COLORREF foreColour;
  DWORD hasFont;           /* 1: the control has a font of its own, described by font */
  KELP32_LOGFONT font;
} KELP32_DESIGN_PROPERTIES;

/* A module or class module (GetCodeModuleInfo). 276 bytes. */
typedef struct KELP32_MODULE_INFO {
  DWORD kind;           /* KELP32_MODULE or KELP32_CLASS_MODULE */
  DWORD number;         /* Module1 is 1 */
  DWORD hCodeWindow;
  DWORD flags;          /* KELP32_CODE_VISIBLE */
  CHAR moduleName[KELP32_TEXT_SIZE]; /* Module1: the project item */
} KELP32_MODULE_INFO;

/* The project (GetProjectInfo). 280 bytes. */
typedef struct KELP32_PROJECT_INFO {
  DWORD formCounter;        /* the last form number given: the next form is one more */
  DWORD moduleCounter;
  DWORD classModuleCounter;
  DWORD hMdiForm;           /* the MDI form's frame, or 0 */
  DWORD options;            /* as SetHostOptions set them */
  CHAR projectTitle[KELP32_TEXT_SIZE]; /* the project root's text in the project window, or empty */
} KELP32_PROJECT_INFO;

KELP32_STATIC_ASSERT(sizeof(KELP32_LOGFONT) == 60, logfont_size);
KELP32_STATIC_ASSERT(sizeof(KELP32_FORM_INFO) == 572, form_info_size);
KELP32_STATIC_ASSERT(offsetof(KELP32_FORM_INFO, left) == 28, form_info_left);
KELP32_STATIC_ASSERT(offsetof(KELP32_FORM_INFO, formName) == 52, form_info_formName);
KELP32_STATIC_ASSERT(offsetof(KELP32_FORM_INFO, formTitle) == 312, form_info_formTitle);
KELP32_STATIC_ASSERT(sizeof(KELP32_DESIGN_PROPERTIES) == 928, properties_size);
KELP32_STATIC_ASSERT(offsetof(KELP32_DESIGN_PROPERTIES, handleName) == 16, properties_handleName);
KELP32_STATIC_ASSERT(offsetof(KELP32_DESIGN_PROPERTIES, ctrlId) == 536, properties_ctrlId);
KELP32_STATIC_ASSERT(offsetof(KELP32_DESIGN_PROPERTIES, left) == 800, properties_left);
KELP32_STATIC_ASSERT(offsetof(KELP32_DESIGN_PROPERTIES, style) == 832, properties_style);
KELP32_STATIC_ASSERT(offsetof(KELP32_DESIGN_PROPERTIES, hasFont) == 864, properties_hasFont);
KELP32_STATIC_ASSERT(offsetof(KELP32_DESIGN_PROPERTIES, font) == 868, properties_font);
KELP32_STATIC_ASSERT(sizeof(KELP32_MODULE_INFO) == 276, module_info_size);
KELP32_STATIC_ASSERT(sizeof(KELP32_PROJECT_INFO) == 280, project_info_size);

/* Sets the options (KELP32_OPTION_ bits) and returns the previous ones.
 * Until a host calls it, none is set. */
DWORD KELP32_API SetHostOptions(DWORD options);

/* The project's forms in the order they were created: NULL gives the
 * first, a form's frame the next; NULL after the last. */
HWND KELP32_API GetNextForm(HWND frame);

/* Fills info for a form's frame; FALSE for any other window. */
BOOL KELP32_API GetFormInfo(HWND frame, KELP32_FORM_INFO* info);

/* The design-time controls of a surface, bottom to top: NULL gives the
 * bottom one, a control the one above it; NULL after the top one. Grab
 * handles and anything else that is not a design-time control are skipped. */
HWND KELP32_API GetNextControl(HWND surface, HWND control);

/* What the properties window shows of a control or a form (its frame), and
 * the rest a save needs; FALSE for any other window. */
BOOL KELP32_API GetDesignProperties(HWND object, KELP32_DESIGN_PROPERTIES* properties);

/* Sets the fields that properties->fields names on a control or a form (its
 * frame), as the properties window does. Nothing is selected, and no
 * KELP32_PROJECT_CHANGED is sent. FALSE for any other window. */
BOOL KELP32_API SetDesignProperties(HWND object, const KELP32_DESIGN_PROPERTIES* properties);

/* The modules and class modules in the order they were opened: NULL gives
 * the first code window, one the next; NULL after the last. */
HWND KELP32_API GetNextCodeModule(HWND codeWindow);

/* Fills info for a module's or class module's code window; FALSE otherwise. */
BOOL KELP32_API GetCodeModuleInfo(HWND codeWindow, KELP32_MODULE_INFO* info);

/* Copies a code window's text, exactly as it is (line ends as they were
 * given or typed: CR LF, lone LF or lone CR), zero-terminated, into buffer
 * (at most size bytes). Returns the text's whole length without the zero;
 * call with size 0 to learn it. 0 for any other window. */
DWORD KELP32_API GetCodeText(HWND codeWindow, LPSTR text, DWORD size);

/* Gives owner (a form's frame, a control, or a code window) exactly this
 * text as its code, with no skeleton: the code window is made if it does
 * not exist yet, shown with KELP32_CODE_VISIBLE and hidden without it; its
 * undo buffer is empty and it is not marked modified. Returns the code
 * window, or NULL. */
HWND KELP32_API SetCodeText(HWND owner, LPCSTR text, DWORD flags);

/* Fills info with the counters, the MDI form, the options and the title. */
BOOL KELP32_API GetProjectInfo(KELP32_PROJECT_INFO* info);

/* Closes the whole project: every form and code window is destroyed, the
 * project window emptied, the selection cleared and the properties window
 * left empty; the counters then hold the given numbers (0, 0, 0: the next
 * form is Form1). Returns TRUE. */
BOOL KELP32_API CloseProject(DWORD formCounter, DWORD moduleCounter, DWORD classModuleCounter);

/* Opens a form as "&Add Form" does, with info's number (refused, NULL, when
 * a form has it), formName (empty: Form<n>, or MDIForm<n> for the MDI form),
 * formTitle (empty: "Project<p> - <formName> (Form)"), flags (KELP32_FORM_MDI is
 * refused when the project has an MDI form), and, when frameWidth is not 0,
 * the frame's place and size; when width is not 0, the back panel's size.
 * Later forms are numbered on from the highest number. Fills hFrame,
 * hBackPanel and hSurface of info and returns the frame, or NULL. */
HWND KELP32_API CreateProjectForm(KELP32_FORM_INFO* info);

/* "&Add MDI Form": the project's MDI form, "Project<p> - MDIForm<n> (MDIForm)",
 * numbered as the next form. NULL when the project has one already. */
HWND KELP32_API CreateMdiFormWin(HINSTANCE formInstance, HWND owner, HWND mdiClient, DWORD projectNumber);

/* Places a control of the kind with the number on the surface, named as the
 * designer names it (Button3, IDC_BUTTON3, 2003), or, with a name, created
 * with that text; at (x, y), width x height. The number is taken in the
 * form's numbers: NULL when it is taken already or out of range, or the kind
 * places nothing. The control goes above the others, a group box above the
 * other group boxes but beneath everything else. Returns the control. */
HWND KELP32_API PlaceDesignControl(HWND surface, DWORD kind, DWORD number, LPCSTR name, int x, int y,
                                   int width, int height);

/* Opens a module or class module (kind) with the number (refused, NULL,
 * when one of the kind has it) and name (NULL: Module<n> or Class<n>),
 * listed in the project window as "&Add Module" lists it, holding exactly
 * text (as SetCodeText). Later ones are numbered on from the highest. */
HWND KELP32_API CreateCodeModule(DWORD kind, DWORD number, LPCSTR name, LPCSTR text, DWORD flags);

#ifdef __cplusplus
}
#endif

#endif /* KELP32_H */
