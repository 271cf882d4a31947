/* mhook.dll: tells one window about every mouse-button press on the thread
 * that installed it, so that a window which is never activated (a drop-down
 * pop-up) can close when the user clicks somewhere else. Kelp32.dll's colour
 * picker loads it from its own folder; a host only ships it beside
 * Kelp32.dll.
 *
 * From InstallHook(window) until UninstallHook(), each press (button down or
 * double click, any button, client or non-client area) anywhere in the
 * calling thread's windows first sends `window` the message MHOOK_PRESS with
 * wParam = the window the press is for and lParam = the mouse message.
 * UninstallHook without InstallHook does nothing; a second InstallHook moves
 * the hook to the new window. Both return TRUE, InstallHook FALSE when the
 * hook cannot be set. On 32-bit Windows both are __stdcall and exported
 * undecorated (import symbols _InstallHook@4, _UninstallHook@0). Usable from
 * C (C99 and later) and C++. */
#ifndef MHOOK_H
#define MHOOK_H

#include <windows.h>

#if defined(_M_IX86) || defined(__i386__)
#define MHOOK_API __stdcall
#else
#define MHOOK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum { MHOOK_PRESS = 1030 };

BOOL MHOOK_API InstallHook(HWND window);
BOOL MHOOK_API UninstallHook(void);

#ifdef __cplusplus
}
#endif

#endif /* MHOOK_H */
