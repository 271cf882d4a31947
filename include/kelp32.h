/* Kelp32.dll: the visual-design library of a MASM rapid-application-
 * development environment. This header declares what a host program calls.
 * Usable from C and C++, for 32-bit and 64-bit hosts; on 32-bit Windows
 * every export is __stdcall and exported under its undecorated name.
 *
 * A host, in this order: creates its main frame and MDI client, calls
 * Init_DLL, creates the tool windows, then opens forms with CreateFormWin.
 */
#ifndef KELP32_H
#define KELP32_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KELP_API __stdcall

/* Remembers the host's instance and MDI client (whose parent is the main
 * frame) and creates the library's default font, which it returns. Call it
 * once, before any other export. */
HFONT KELP_API Init_DLL(HINSTANCE hostInstance, HWND mdiClient);

/* Opens a new form as an MDI child of mdiClient: "Project<n> - Form<k> (Form)".
 * formInstance is the instance its window classes are registered with; owner
 * is not used. Returns the form's frame window, or NULL. */
HWND KELP_API CreateFormWin(HINSTANCE formInstance, HWND owner, HWND mdiClient,
                            DWORD projectNumber);

#ifdef __cplusplus
}
#endif

#endif /* KELP32_H */
