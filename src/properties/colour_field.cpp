// The colour field (ColorCombo_Class): a one-line child that shows a swatch,
// the colour's hexadecimal text and a drop-down button. The button opens the
// pop-up under the field; the field owns the state that the pop-up and its
// pages share, and takes them all with it when it is destroyed.
#include <windowsx.h>

#include <utility>

#include "core/number_format.h"
#include "core/property_layout.h"
#include "core/text.h"
#include "entry/messages.h"
#include "entry/window_utilities.h"
#include "properties/colour_picker.h"
#include "properties/owner_draw.h"
#include "win/draw.h"
#include "win/gdi.h"
#include "win/handles.h"
#include "win/records.h"
#include "win/repaint.h"

namespace kelp {

ColourPickerState gColourPicker;

ColourFieldState* FieldStateOf(HWND window) {
  return win::WindowPointer<ColourFieldState>(window, 0);
}

void SetFieldState(HWND window, ColourFieldState* state) {
  win::SetWindowPointer(window, 0, state);
}

namespace {

constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE;
static_assert(kFieldStyle == 0x50000000);
constexpr char kNoColourText[] = "00000000h";

RECT ScreenRectOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}

bool CursorIn(const Rect& screenArea) {
  const RECT r = win::ToRECT(screenArea);
  return CursorInRect(&r) != FALSE;
}

void RefreshText(HWND field, ColourFieldState& state) {
  FormatHexColor(state.colour, state.text);
  win::RedrawNow(field);
}

LRESULT Field_OnCreate(HWND field) {
  auto* state = win::AllocateRecord<ColourFieldState>();
  char* text = static_cast<char*>(win::AllocateRecord(kColourTextBytes));
  if (state == nullptr || text == nullptr) {
    win::FreeRecord(state);
    win::FreeRecord(text);
    return -1;
  }
  state->instance = ::GetModuleHandleA(nullptr);
  state->field = field;
  state->target = gColourPicker.pendingTarget;
  state->parent = ::GetParent(field);
  state->font = ::CreateFontA(kPickerFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                              OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_SWISS | DEFAULT_PITCH,
                              kPickerFontFace);
  state->text = text;
  CopyText(state->text, kColourTextBytes, kNoColourText);
  SetFieldState(field, state);
  gColourPicker.current = state;
  return 0;
}

void ShowPopup(HWND field, ColourFieldState& state, const Rect& place) {
  if (state.popup == nullptr) {
    state.popup = CreateColorPopup(field, place.left, place.top, kPopupWidth, kPopupHeight);
    InstallFieldHook(field);
  }
  ::SetWindowPos(state.popup, HWND_TOP, place.left, place.top, kPopupWidth, kPopupHeight,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
  const auto colour = static_cast<LPARAM>(state.colour);
  if (state.palettePage != nullptr) ::SendMessageA(state.palettePage, CB_SETCURSEL, 0, colour);
  if (state.systemPage != nullptr) ::SendMessageA(state.systemPage, CB_SETCURSEL, 0, colour);
  state.selected = 1;
}

void Field_OnLButtonDown(HWND field, ColourFieldState& state) {
  const Rect bounds = win::FromRECT(ScreenRectOf(field));
  if (CursorIn(DropDownButton(bounds))) {
    state.pressed = 1;
    ShowPopup(field, state, PopupPlace(bounds));
  } else if (state.popup != nullptr) {
    ::ShowWindow(state.popup, SW_HIDE);
  }
  win::RedrawNow(field);
}

// A release over the pop-up belongs to the pick that is going on there.
bool Field_OnLButtonUp(HWND field, ColourFieldState& state) {
  if (CursorIn(PopupPlace(win::FromRECT(ScreenRectOf(field))))) return true;
  state.pressed = 0;
  win::RedrawNow(field);
  return false;
}

void Field_OnPaint(HWND field, const ColourFieldState* state) {
  win::PaintDc paint(field);
  if (state == nullptr) return;
  RECT client{};
  ::GetClientRect(field, &client);
  const int w = client.right;
  const int h = client.bottom;
  win::OffscreenBuffer buffer(paint, w, h);
  ::SetBkMode(buffer, TRANSPARENT);
  ::FillRect(buffer, &client, ::GetSysColorBrush(COLOR_WINDOW));
  const Rect swatch = FieldSwatch(w, h);
  const win::Brush colour = win::SolidBrush(state->colour);
  win::FillArea(buffer, swatch, colour.Get());
  win::FrameArea(buffer, swatch, win::BlackBrush());
  ::SetTextColor(buffer, ::GetSysColor(COLOR_MENUTEXT));
  {
    win::ScopedSelect font(buffer, state->font);
    win::DrawTextIn(buffer, state->text, FieldColourText(w, h), kSingleLineFormat);
  }
  RECT button = win::ToRECT(FieldButton(w, h));
  ::DrawFrameControl(buffer, &button, DFC_SCROLL, DFCS_SCROLLDOWN | (state->pressed != 0 ? DFCS_PUSHED : 0));
  const RECT& dirty = paint.PaintRect();
  ::BitBlt(paint, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, buffer,
           dirty.left, dirty.top, SRCCOPY);
}

// Presets the colour; the pages, once they exist, follow it.
void Field_OnSetCurSel(HWND field, ColourFieldState& state, WPARAM page, LPARAM colour) {
  HWND to = page == 0 ? state.palettePage : state.systemPage;
  if (to != nullptr) ::SendMessageA(to, CB_SETCURSEL, page, colour);
  state.colour = static_cast<COLORREF>(colour);
  RefreshText(field, state);
}

bool IsPress(LPARAM message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

// A press anywhere but on the picker's own windows hides the pop-up.
void Field_OnMouseHook(const ColourFieldState& state, HWND pressed, LPARAM message) {
  if (!IsPress(message) || state.popup == nullptr) return;
  for (HWND own :
       {state.tabControl, state.palettePage, state.systemPage, state.popup, state.field, state.systemList}) {
    if (pressed == own) return;
  }
  ::ShowWindow(state.popup, SW_HIDE);
}

// Everything the field made goes with it; the pop-up's windows read the
// state while they are destroyed, so it is freed last.
void Field_OnDestroy(HWND field, ColourFieldState* state) {
  UninstallFieldHook();
  SetFieldState(field, nullptr);
  if (gColourPicker.current == state) gColourPicker.current = nullptr;
  if (state == nullptr) return;
  win::FreeRecord(std::exchange(state->text, nullptr));
  if (state->font != nullptr) ::DeleteObject(state->font);
  if (state->popup != nullptr) ::DestroyWindow(state->popup);
  win::FreeRecord(state);
}

LRESULT CALLBACK ColourFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  ColourFieldState* state = FieldStateOf(field);
  if (state == nullptr && message != WM_CREATE && message != WM_PAINT) {
    return ::DefWindowProcA(field, message, wParam, lParam);  // made, or already gone
  }
  switch (message) {
    case WM_CREATE:
      return Field_OnCreate(field);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the second press of a quick pair is a press too
      Field_OnLButtonDown(field, *state);
      return 0;
    case WM_LBUTTONUP:
      if (Field_OnLButtonUp(field, *state)) return 0;
      break;
    case WM_SIZE:
      win::RedrawNow(field);
      break;
    case WM_MOUSEMOVE:
      return 0;
    case WM_PAINT:
      Field_OnPaint(field, state);
      return 0;
    case CB_SETCURSEL:
      Field_OnSetCurSel(field, *state, wParam, lParam);
      break;
    case CFM_REFRESHCOLOUR:
      RefreshText(field, *state);
      return 0;
    case CFM_MOUSEHOOK:
      Field_OnMouseHook(*state, reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case WM_DESTROY:
      Field_OnDestroy(field, state);
      break;
    default:
      break;
  }
  return ::DefWindowProcA(field, message, wParam, lParam);
}

}  // namespace

HWND CreateColorField(HWND parent, int x, int y, int width, int height, HWND target) {
  gColourPicker.pendingTarget = target;
  HWND field = CreateClassWindow(0, kFieldStyle, kColourFieldClassName, nullptr, x, y, width, height,
                                 ColourFieldProc, nullptr, nullptr, ::GetModuleHandleA(nullptr), parent);
  if (field != nullptr) ::ShowWindow(field, SW_SHOW);
  return field;
}

}  // namespace kelp
