// The menu bar's command identifiers and the New Project window's buttons.
// Every menu command reaches the host's frame procedure as well (the host
// acts on the project commands), so include/kelp32.h publishes these values.
#pragma once

#include <windows.h>

namespace kelp {

// File (and View, Format, Tools, Add-Ins, Help, About).
inline constexpr UINT kNewProject = 1000;
inline constexpr UINT kOpenProject = 1001;
inline constexpr UINT kAddProject = 1002;
inline constexpr UINT kRemoveProject = 1003;
inline constexpr UINT kSaveProject = 1004;
inline constexpr UINT kExit = 1005;

// Edit: greyed; the first five share the editor context menu's identifiers.
inline constexpr UINT kFindText = 1105;
inline constexpr UINT kFindNext = 1106;
inline constexpr UINT kSelectAll = 1107;
// For hosts that ask for the designer's tools, after "&Undo".
inline constexpr UINT kRedo = 1108;
// The Format menu's commands, in the order of FormatCommand (the same hosts).
inline constexpr UINT kFormatFirst = 1400;

// Project.
inline constexpr UINT kAddForm = 1300;
inline constexpr UINT kAddMdiForm = 1301;
inline constexpr UINT kAddModule = 1302;
inline constexpr UINT kAddClassModule = 1303;

// The New Project window's buttons.
inline constexpr int kNewProjectCancelId = 1000;
inline constexpr int kNewProjectOkId = 1001;

}  // namespace kelp
