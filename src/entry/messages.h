// The private messages by which the library's windows talk to each other,
// and the commands of the designer's context menus. Hosts may send them too.
#pragma once

#include <windows.h>

namespace kelp {

// To a design-time control.
inline constexpr UINT DCM_SETID = 4000;
inline constexpr UINT DCM_SETIDNAME = 4001;
inline constexpr UINT DCM_SETBACKCOLOUR = 4002;
inline constexpr UINT DCM_CHANGEEXSTYLE = 4003;
inline constexpr UINT DCM_GETRECORD = 4007;
inline constexpr UINT DCM_PUTRECORD = 4008;

// To the project window.
inline constexpr UINT PRJ_ADDFORM = 4955;
inline constexpr UINT PRJ_ADDPROJECT = 4956;
inline constexpr UINT PRJ_ADDMODULE = 4957;
inline constexpr UINT PRJ_ADDCLASSMODULE = 4958;
inline constexpr UINT PRJ_SELECTWINDOW = 4959;
inline constexpr UINT PRJ_SETTITLE = 4961;  // wParam: the title; adds the project root if there is none
inline constexpr UINT PRJ_GETTITLE = 4962;  // wParam: a buffer, lParam: its size; returns the length
inline constexpr UINT PRJ_CLEAR = 4963;     // the tree is emptied: a new project begins
inline constexpr UINT PRJ_REMOVEWINDOW = 4964;  // lParam: the window whose item goes (a form Undo took away)

// To the properties window, and (a picked colour) to its property list.
inline constexpr UINT PWM_SHOWPROPERTIES = 5001;
inline constexpr UINT PWM_COLOURPICKED = 4960;

// To the colour field of the colour picker.
inline constexpr UINT CFM_REFRESHCOLOUR = 6689;
inline constexpr UINT CFM_MOUSEHOOK = 1030;  // from mhook.dll: wParam the pressed window, lParam the message

// To a form's design surface.
inline constexpr UINT FWM_CONTROLDELETED = 101;

// Context-menu commands (WM_COMMAND). IDM_COPY is also sent as a message
// to a design surface, with the copied control in lParam.
inline constexpr UINT IDM_PROPERTIES = 5000;
inline constexpr UINT IDM_COPY = 5002;
inline constexpr UINT IDM_PASTE = 5003;
inline constexpr UINT IDM_DELETE = 5004;
inline constexpr UINT IDM_VIEWCODE = 5005;

// Sent to the editor parent (the MDI client) after activity in an editor.
inline constexpr UINT kEditorActivityMessage = 0x596C;

}  // namespace kelp
