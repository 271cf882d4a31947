/* Kelp32.dll: the visual-design library of a MASM rapid-application-
 * development environment. This header declares what a host program calls.
 * Usable from C and C++, for 32-bit and 64-bit hosts; on 32-bit Windows
 * every export is __stdcall and exported under its undecorated name.
 *
 * A host, in this order: creates its main frame and MDI client, calls
 * Init_DLL, creates the tool windows, then opens forms with CreateFormWin
 * and code windows with InitRichEditBox.
 *
 * What the library sends to the host's MDI client: message 0x596C (wParam 0,
 * lParam 0) after the user's activity in an editor, and WM_COMMAND 1100..1104
 * from an editor's context menu, which the host passes on to any code window
 * (class "Editor_Class"), e.g. with SendMessage.
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

/* The toolbox: a "Tools" window with 23 check buttons, child of parent. */
HWND KELP_API Create_Tool_Bar(HWND parent);

/* The properties window: a 200 x 300 "Properties" tool window, child of
 * parent, that shows and edits the rows of whatever the designer selects.
 * Call it once. The colour picker in it loads mhook.dll from the folder of
 * Kelp32.dll. */
HWND KELP_API Create_Prop_Window(HWND parent);

/* The project window ("Projects", 200 x 150 at (500, 0) in parent): a tree
 * of the project's forms, modules and class modules under a small toolbar.
 * Double-clicking an item shows its window. */
HWND KELP_API Create_Project_Window(HWND parent);

/* The Form Layout window (200 x 150 at (0, 0) in parent): a monitor whose
 * screen shows the real screen in miniature. */
HWND KELP_API ScreenLayoutClass(HWND parent);

/* Sets the environment's owner-drawn menu bar on the main frame and
 * subclasses the frame. "&Add Form", "&Add Module", "&Add Class Module" and
 * "&Exit" (and closing the frame) are carried out by the library; every
 * command then reaches the frame's own procedure, and the project commands
 * (1000 "&New Project", 1001, 1002, 1004, 1301) are the host's to act on.
 * Shutting down destroys the menus and sends WM_DESTROY to the frame. The
 * argument is not used; returns 0. */
DWORD KELP_API CreateMenuBar(DWORD unused);

/* The New Project window, a top-most pop-up owned by owner (not modal):
 * "OK" on "Standard EXE" or "MDI" opens the project's first form and closes
 * it. Returns the window. */
HWND KELP_API NewProject(HWND owner);

/* Design-time controls on a form's design surface (parent), at (x, y) in its
 * client coordinates; text is the window text and makes the handle name
 * ("h" + text). Each returns the control window, or NULL. The control's
 * record is reached with DCM_GETRECORD. */
HWND KELP_API CreateButtonWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateCalWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateCheckBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateComboBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateDirListBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateDriveListBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateEditWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateFileListBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateHScrollBarWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateImageBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateListBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateProgressWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateRadioBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateStaticWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateStatusWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateTimerWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateTrackBarWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
HWND KELP_API CreateVScrollBarWin(HWND parent, int x, int y, int width, int height, LPCSTR text);
/* The seventh argument is not used. */
HWND KELP_API CreateGroupBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text,
                                const DWORD* unused);
/* Opens a code window, an MDI child of mdiClient titled `title`, holding an
 * editor whose keywords and comments are coloured by the word lists of
 * syntax.fmt beside the host executable. className is "Editor_Class";
 * instance is not used; owner is the window the code belongs to, which the
 * code window never destroys. Successive code windows open 20 pixels further
 * right and down. Fill it with SendMessage(window, WM_SETTEXT, 0, text): the
 * text goes into the editor and the caption stays. Closing it only hides it.
 * Returns the code window, or NULL. */
HWND KELP_API InitRichEditBox(HWND mdiClient, HINSTANCE instance, LPCSTR className, LPCSTR title,
                              HWND owner);

#ifdef __cplusplus
}
#endif

#endif /* KELP32_H */
