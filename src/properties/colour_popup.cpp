// The colour pop-up (ColorBox_Class): a bordered top-level window under the
// field, never activated when it opens, holding a tab control whose two
// pages are the palette and the system colours. Hidden and shown by the
// field; destroyed with it.
#include <utility>

#include "core/colour_tables.h"
#include "core/property_layout.h"
#include "entry/messages.h"
#include "entry/window_utilities.h"
#include "properties/colour_picker.h"
#include "win/rect.h"

namespace kelp {
namespace {

constexpr DWORD kPopupStyle = WS_POPUP | WS_VISIBLE | WS_BORDER;
static_assert(kPopupStyle == 0x90800000);
constexpr DWORD kPageStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
static_assert(kPageStyle == 0x52000000);
const auto kButtonFaceBrush = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
const auto kMenuBrush = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
constexpr int kPlainTabs = 0;

// A press inside the pop-up must not activate it: when the activation came
// back to the environment's frame, the frame would give the keyboard focus to
// the form, which selects itself and so closes the picker. A click is kept
// from activating it by WM_MOUSEACTIVATE; this guard also refuses what a
// child's SetFocus would do (the tab control and the list take the focus).
LRESULT CALLBACK RefuseActivation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && reinterpret_cast<HWND>(wParam) == gColourPicker.openPopup) return 1;
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void GuardActivation(HWND popup) {
  if (gColourPicker.activationGuard == nullptr) {
    gColourPicker.activationGuard =
        ::SetWindowsHookExA(WH_CBT, RefuseActivation, nullptr, ::GetCurrentThreadId());
  }
  gColourPicker.openPopup = popup;
}

void EndActivationGuard(HWND popup) {
  if (gColourPicker.openPopup != popup) return;
  gColourPicker.openPopup = nullptr;
  if (HHOOK guard = std::exchange(gColourPicker.activationGuard, nullptr)) ::UnhookWindowsHookEx(guard);
}

HWND CreatePage(const char* className, WNDPROC procedure, const ColourFieldState& state) {
  const Rect& p = kPickerPagePlace;
  return CreateClassWindow(0, kPageStyle, className, nullptr, p.left, p.top, p.Width(), p.Height(), procedure,
                           nullptr, kMenuBrush, state.instance, state.tabControl);
}

void Popup_OnCreate(HWND popup) {
  ::ShowWindow(popup, SW_HIDE);
  GuardActivation(popup);
  ColourFieldState* state = gColourPicker.current;
  SetFieldState(popup, state);
  if (state == nullptr) return;
  // What lies under the pop-up in the property list needs no repainting for it.
  RECT covered{};
  ::GetWindowRect(popup, &covered);
  ::MapWindowPoints(nullptr, state->parent, reinterpret_cast<POINT*>(&covered), 2);
  ::ValidateRect(state->parent, &covered);

  const Rect& t = kPickerTabPlace;
  state->tabControl =
      CreateTabControl(popup, t.left, t.top, t.Width(), t.Height(), kPickerTabNames, kPlainTabs);
  ::SendMessageA(state->tabControl, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), 0);
  state->palettePage = CreatePage(kPaletteClassName, PalettePageProc, *state);
  state->systemPage = CreatePage(kSystemPageClassName, SystemPageProc, *state);
  SetFieldState(state->palettePage, state);
  SetFieldState(state->systemPage, state);
  state->visiblePage = state->palettePage;
  ::ShowWindow(state->systemPage, SW_HIDE);
}

void ShowPage(ColourFieldState& state, HWND page) {
  ::ShowWindow(state.visiblePage, SW_HIDE);
  ::ShowWindow(page, SW_SHOW);
  state.visiblePage = page;
}

void Popup_OnNotify(HWND popup, const ColourFieldState* state, const NMHDR* notification) {
  if (state != nullptr) TabSelectionToCommand(popup, state->tabControl, notification, kPickerTabCommands);
}

void Popup_OnCommand(ColourFieldState* state, WPARAM command) {
  if (state == nullptr) return;
  if (command == kPaletteTabCommand) ShowPage(*state, state->palettePage);
  if (command == kSystemTabCommand) ShowPage(*state, state->systemPage);
}

// A press on the pop-up itself, beside the tab control.
void Popup_OnLButtonDown(const ColourFieldState* state, LPARAM position) {
  if (state != nullptr) ::SendMessageA(state->field, CFM_REFRESHCOLOUR, 1, position);
}

void DestroyPages(ColourFieldState& state, bool withList) {
  for (HWND* window : {&state.palettePage, &state.systemPage, &state.tabControl}) {
    if (HWND w = std::exchange(*window, nullptr)) ::DestroyWindow(w);
  }
  if (withList) {
    if (HWND list = std::exchange(state.systemList, nullptr)) ::DestroyWindow(list);
  }
  state.visiblePage = nullptr;
}

// The pop-up may also go before the field (closed on its own); the field then
// makes a new one at the next press on its button.
void Popup_OnDestroy(HWND popup, ColourFieldState* state) {
  EndActivationGuard(popup);
  SetFieldState(popup, nullptr);
  if (state == nullptr) return;
  DestroyPages(*state, false);
  if (state->popup == popup) state->popup = nullptr;
}

LRESULT CALLBACK ColourPopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
  ColourFieldState* state = FieldStateOf(popup);
  switch (message) {
    case WM_CREATE:
      Popup_OnCreate(popup);
      break;
    case WM_NOTIFY:
      Popup_OnNotify(popup, state, reinterpret_cast<const NMHDR*>(lParam));
      break;
    case WM_COMMAND:
      Popup_OnCommand(state, wParam);
      break;
    case WM_LBUTTONDOWN:
      Popup_OnLButtonDown(state, lParam);
      break;
    case WM_MOUSEMOVE:
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // a click inside keeps the environment's frame active
    case WM_CLOSE:
      if (state != nullptr) DestroyPages(*state, true);
      break;
    case WM_DESTROY:
      Popup_OnDestroy(popup, state);
      break;
    default:
      break;
  }
  return ::DefWindowProcA(popup, message, wParam, lParam);
}

}  // namespace

// Made hidden: a window made visible is also activated, and the pop-up must
// never take the activation from the environment's frame (whose return
// would select the form again). The field shows it without activating it.
HWND CreateColorPopup(HWND owner, int x, int y, int width, int height) {
  return CreateClassWindow(0, kPopupStyle & ~WS_VISIBLE, kColourPopupClassName, nullptr, x, y, width, height,
                           ColourPopupProc, nullptr, kButtonFaceBrush, ::GetModuleHandleA(nullptr), owner);
}

}  // namespace kelp
