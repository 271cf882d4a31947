// mhook.dll: a thread mouse hook that reports presses to one window (see
// include/mhook.h). A thread hook (WH_MOUSE) rather than a low-level one:
// it sees exactly the environment's own windows, needs no message loop of its
// own, and runs on the thread whose windows it reports to, so the report can
// be sent synchronously before the press itself is handled.
#include "mhook.h"

namespace {

struct HookState {
  HHOOK hook = nullptr;
  HWND window = nullptr;
};

HookState gHook;

bool IsPress(WPARAM message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_NCXBUTTONDOWN:
    case WM_NCXBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

// HC_NOREMOVE (a peek that leaves the press queued) is skipped: the same
// press comes again, as HC_ACTION, when it is taken from the queue.
LRESULT CALLBACK MouseProc(int code, WPARAM message, LPARAM lParam) {
  if (code == HC_ACTION && IsPress(message) && gHook.window != nullptr) {
    const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    ::SendMessageA(gHook.window, MHOOK_PRESS, reinterpret_cast<WPARAM>(mouse->hwnd),
                   static_cast<LPARAM>(message));
  }
  return ::CallNextHookEx(gHook.hook, code, message, lParam);
}

}  // namespace

extern "C" BOOL MHOOK_API UninstallHook(void) {
  if (gHook.hook != nullptr) ::UnhookWindowsHookEx(gHook.hook);
  gHook = {};
  return TRUE;
}

extern "C" BOOL MHOOK_API InstallHook(HWND window) {
  UninstallHook();
  gHook.hook = ::SetWindowsHookExA(WH_MOUSE, MouseProc, nullptr, ::GetCurrentThreadId());
  if (gHook.hook == nullptr) return FALSE;
  gHook.window = window;
  return TRUE;
}
