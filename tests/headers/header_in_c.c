/* The public headers as a C host (and, through header_in_cxx.cpp, a C++
 * host) uses them, compiled with every warning as an error: the exports
 * through pointers of the header's own types, the messages as case labels,
 * the record's fields and the handle macro. Built for both architectures as
 * C99, C11 and C++11; nothing runs. */
#include "kelp32.h"
#include "mhook.h"

static KELP32_CREATOR const kCreators[] = {CreateButtonWin, CreateStaticWin, CreateTimerWin};

static LRESULT ReadButton(HWND control, KELP32_CONTROL_RECORD* record) {
  return SendMessageA(control, DCM_GETRECORD, 0, (LPARAM)record);
}

int KelpHeaderInUse(HWND surface, UINT message);

int KelpHeaderInUse(HWND surface, UINT message) {
  KELP32_CONTROL_RECORD record;
  HWND control = kCreators[0](surface, 8, 8, 80, 24, "OK");
  HWND parent;
  ReadButton(control, &record);
  parent = KELP32_HANDLE(HWND, record.hParent);
  InstallHook(parent);
  UninstallHook();
  switch (message) {
    case DCM_SETID:
    case PWM_SHOWPROPERTIES:
    case KELP32_EDITOR_ACTIVITY:
    case MHOOK_PRESS:
      return record.kind == KIND_BUTTON && record.left >= 0 && record.caption[0] == 'O';
    case IDM_EDITOR_UNDO:
      return FindWindowExA(parent, NULL, KELP32_CODE_WINDOW_CLASS, NULL) != NULL;
    default:
      return (int)sizeof(record) == KELP32_RECORD_SIZE && TOOL_POINTER < TOOL_STATUSBAR;
  }
}
