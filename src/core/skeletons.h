// The MASM skeletons a code window starts with: for a form, a banner and a
// window procedure named after the form (Form1Proc); for a control, a
// commented block testing wParam against its symbolic identifier. Every line
// ends in CR LF; the texts are byte-exact.
#pragma once

#include <string>
#include <string_view>

namespace kelp {

// Two lines of a semicolon and 85 asterisks around two lines of a semicolon.
inline constexpr std::string_view kFormBanner =
    ";*************************************************************************************\r\n"
    ";\r\n"
    ";\r\n"
    ";*************************************************************************************\r\n";

// Follows the form's name with no separator, so that name and "Proc" make
// one identifier. It has no line that closes the procedure.
inline constexpr std::string_view kFormProcedureText =
    "Proc proc hWin:DWORD,uMsg:DWORD,wParam:DWORD,lParam:DWORD\r\n"
    "\r\n\r\n\r\n"
    "            .if uMsg == WM_CREATE\r\n"
    "\r\n\r\n\r\n"
    "            .endif\r\n"
    "\r\n"
    "            invoke DefWindowProc,hWin,uMsg,wParam,lParam\r\n"
    "            ret\r\n"
    "\r\n";

// Ends without a line end: the control's identifier follows.
inline constexpr std::string_view kControlHandlerOpening =
    ";-----------------------------------------------\r\n"
    ";TODO: Place code here for this Click action.\r\n"
    ";-----------------------------------------------\r\n"
    "        .if wParam == ";

inline constexpr std::string_view kControlHandlerClosing = "\r\n\r\n\r\n\r\n        .endif\r\n";

inline constexpr std::string_view kCodeTitleSuffix = " (Code)";

std::string FormSkeleton(std::string_view formName);
std::string ControlSkeleton(std::string_view idName);
std::string CodeWindowTitle(std::string_view subject);

}  // namespace kelp
