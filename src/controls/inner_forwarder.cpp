#include "controls/inner_forwarder.h"

#include "win/handles.h"

namespace kelp {
namespace {

constexpr char kKeptProcedureProperty[] = "KelpInnerProcedure";
constexpr char kForwardKillFocusProperty[] = "KelpForwardKillFocus";

WNDPROC KeptProcedure(HWND inner) { return reinterpret_cast<WNDPROC>(::GetPropA(inner, kKeptProcedureProperty)); }

// Non-client mouse messages reach the outer window as their client twins.
UINT ForwardedMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return message;
    case WM_NCMOUSEMOVE: return WM_MOUSEMOVE;
    case WM_NCLBUTTONDOWN: return WM_LBUTTONDOWN;
    case WM_NCLBUTTONUP: return WM_LBUTTONUP;
    case WM_NCLBUTTONDBLCLK: return WM_LBUTTONDBLCLK;
    default: return 0;
  }
}

LRESULT CALLBACK InnerForwarderProc(HWND inner, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC kept = KeptProcedure(inner);
  if (const UINT forwarded = ForwardedMessage(message)) {
    ::SendMessageA(::GetParent(inner), forwarded, wParam, lParam);
    return 0;
  }
  if (message == WM_KILLFOCUS && ::GetPropA(inner, kForwardKillFocusProperty) != nullptr) {
    ::SendMessageA(::GetParent(inner), WM_KILLFOCUS, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    ::RemovePropA(inner, kKeptProcedureProperty);
    ::RemovePropA(inner, kForwardKillFocusProperty);
    ::SetWindowLongPtrA(inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kept));
  }
  return kept != nullptr ? ::CallWindowProcA(kept, inner, message, wParam, lParam)
                         : ::DefWindowProcA(inner, message, wParam, lParam);
}

}  // namespace

void ForwardMouseToParent(HWND inner, bool forwardKillFocus) {
  if (inner == nullptr) return;
  // Each inner control keeps its own replaced procedure: tree views and list
  // views may come from different class procedures.
  const auto kept = ::SetWindowLongPtrA(inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InnerForwarderProc));
  ::SetPropA(inner, kKeptProcedureProperty, reinterpret_cast<HANDLE>(kept));
  if (forwardKillFocus) ::SetPropA(inner, kForwardKillFocusProperty, reinterpret_cast<HANDLE>(1));
}

HWND InnerControlOf(HWND outer) { return reinterpret_cast<HWND>(::GetWindowLongPtrA(outer, win::ExtraSlot(0))); }

}  // namespace kelp
