/* minimal_host.c: a complete small host of Kelp32.dll.
 *
 * A main frame with an MDI client, the library's toolbox down the left
 * edge, its project, properties and Form Layout windows down the right edge,
 * its menu bar, and a first form. File > "&New Project" opens the New
 * Project window; File > "&Save Project" writes the text of every code
 * window to "<name>.asm" in the current folder. Everything else on the menu
 * is the library's own, or ignored.
 *
 *   x86_64-w64-mingw32-gcc minimal_host.c -I../../include -L../../lib -lKelp32 -mwindows
 *
 * Kelp32.dll, mhook.dll and syntax.fmt go beside the executable.
 */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "kelp32.h"

#define HOST_CLASS "MinimalKelpHost_Class"
#define HOST_TITLE "Minimal Kelp32 Host"
#define TOOLBOX_WIDTH 72
#define STRIP_WIDTH 220
#define PROJECT_HEIGHT 150
#define LAYOUT_HEIGHT 150
#define FIRST_MDI_CHILD 50000

static HWND gFrame, gClient, gToolbox, gProject, gProperties, gLayout;
static WNDPROC gClientProc;

/* The MDI client owns the editors' context menus, so their commands
 * (IDM_EDITOR_UNDO .. IDM_EDITOR_DELETE) arrive here; any code window
 * applies them to the editor the user right-clicked. The activity
 * notification could mark the project as changed. */
static LRESULT CALLBACK ClientProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) >= IDM_EDITOR_UNDO && LOWORD(wParam) <= IDM_EDITOR_DELETE) {
    HWND code = FindWindowExA(client, NULL, KELP32_CODE_WINDOW_CLASS, NULL);
    return code != NULL ? SendMessageA(code, message, wParam, lParam) : 0;
  }
  if (message == KELP32_EDITOR_ACTIVITY) return 0;
  return CallWindowProcA(gClientProc, client, message, wParam, lParam);
}

/* "Module1 (Code)" -> Module1.asm: the editor's text, as the user left it. */
static void SaveCodeWindow(HWND code) {
  char title[KELP32_TEXT_SIZE], path[KELP32_TEXT_SIZE + 8];
  HWND editor = GetDlgItem(code, IDC_CODE_EDITOR);
  int length = GetWindowTextLengthA(editor);
  char* text = (char*)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)length + 1);
  char* space;
  FILE* file;
  if (text == NULL) return;
  GetWindowTextA(editor, text, length + 1);
  GetWindowTextA(code, title, sizeof(title));
  space = strchr(title, ' ');
  if (space != NULL) *space = '\0';
  sprintf(path, "%s.asm", title);
  file = fopen(path, "wb");
  if (file != NULL) {
    fwrite(text, 1, (size_t)length, file);
    fclose(file);
  }
  HeapFree(GetProcessHeap(), 0, text);
}

static void SaveProject(void) {
  HWND code = NULL;
  while ((code = FindWindowExA(gClient, code, KELP32_CODE_WINDOW_CLASS, NULL)) != NULL) SaveCodeWindow(code);
}

static void LayOut(int width, int height) {
  int strip = width - STRIP_WIDTH;
  MoveWindow(gToolbox, 0, 0, TOOLBOX_WIDTH, height, TRUE);
  MoveWindow(gClient, TOOLBOX_WIDTH, 0, strip - TOOLBOX_WIDTH, height, TRUE);
  MoveWindow(gProject, strip, 0, STRIP_WIDTH, PROJECT_HEIGHT, TRUE);
  MoveWindow(gProperties, strip, PROJECT_HEIGHT, STRIP_WIDTH, height - PROJECT_HEIGHT - LAYOUT_HEIGHT, TRUE);
  MoveWindow(gLayout, strip, height - LAYOUT_HEIGHT, STRIP_WIDTH, LAYOUT_HEIGHT, TRUE);
}

/* After CreateMenuBar this procedure sits behind the library's subclass:
 * every menu command arrives here once the library has done its part. */
static LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT client;
      client.hWindowMenu = NULL;
      client.idFirstChild = FIRST_MDI_CHILD;
      gClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL,
                                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0,
                                frame, NULL, ((LPCREATESTRUCTA)lParam)->hInstance, &client);
      gClientProc = (WNDPROC)SetWindowLongPtrA(gClient, GWLP_WNDPROC, (LONG_PTR)ClientProc);
      return 0;
    }
    case WM_SIZE:
      if (gLayout != NULL) LayOut(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDM_NEWPROJECT) NewProject(frame);
      if (LOWORD(wParam) == IDM_SAVEPROJECT) SaveProject();
      break;
    case WM_DESTROY: /* "&Exit", or the frame's close box, through the library */
      PostQuitMessage(0);
      return 0;
  }
  return DefFrameProcA(frame, gClient, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  WNDCLASSEXA frameClass;
  RECT client;
  MSG message;
  (void)previous;
  (void)commandLine;

  memset(&frameClass, 0, sizeof(frameClass));
  frameClass.cbSize = sizeof(frameClass);
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
  frameClass.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
  frameClass.lpszClassName = HOST_CLASS;
  RegisterClassExA(&frameClass);
  gFrame = CreateWindowExA(0, HOST_CLASS, HOST_TITLE, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1024, 740,
                           NULL, NULL, instance, NULL);
  if (gFrame == NULL) return 1;

  /* 1. The library first: it remembers the MDI client and its parent. */
  Init_DLL(instance, gClient);
  /* 2. The workspace's windows, each once, and the menu bar. */
  gToolbox = Create_Tool_Bar(gFrame);
  gProject = Create_Project_Window(gFrame);
  gProperties = Create_Prop_Window(gFrame);
  gLayout = ScreenLayoutClass(gFrame);
  CreateMenuBar(0);
  GetClientRect(gFrame, &client);
  LayOut(client.right, client.bottom);
  ShowWindow(gFrame, show);
  /* 3. A first form, as "&Add Form" opens one: its window classes belong
   * to the library. NewProject(gFrame) would let the user choose instead. */
  CreateFormWin(GetModuleHandleA("Kelp32.dll"), gFrame, gClient, 1);

  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    if (!TranslateMDISysAccel(gClient, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return (int)message.wParam;
}
