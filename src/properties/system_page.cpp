// The system page (System_Class): an owner-drawn list of the 25 named system
// colours. Choosing a row, with the mouse or the keyboard, picks its colour.
#include <utility>

#include "core/colour_tables.h"
#include "core/number_format.h"
#include "core/property_layout.h"
#include "entry/messages.h"
#include "properties/colour_picker.h"
#include "properties/owner_draw.h"
#include "win/draw.h"
#include "win/gdi.h"
#include "win/repaint.h"

namespace kelp {
namespace {

constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED | LBS_NOTIFY;
static_assert(kListStyle == 0x50B00011);

void System_OnCreate(HWND page, ColourFieldState& state) {
  const Rect& p = kSystemListPlace;
  state.systemList =
      ::CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", nullptr, kListStyle, p.left, p.top, p.Width(),
                        p.Height(), page, reinterpret_cast<HMENU>(kSystemListId), state.instance, nullptr);
  ::SendMessageA(state.systemList, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), 0);
  for (const SystemColourRow& row : kSystemColours) {
    // No LBS_HASSTRINGS: the item data is the name constant itself.
    ::SendMessageA(state.systemList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.name));
  }
}

void System_OnDrawItem(const DRAWITEMSTRUCT& item) {
  const RowLook look = LookOf(item);
  if (look == RowLook::kNone || item.itemID >= kSystemColours.size()) return;
  HDC dc = item.hDC;
  const Rect row = RowRect(item);
  const SystemColourRow& colour = kSystemColours[item.itemID];
  const bool selected = look == RowLook::kSelected;
  ::SetBkMode(dc, TRANSPARENT);
  win::FillArea(dc, row, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const Rect swatch = SystemRowSwatch(row);
  win::FillArea(dc, swatch, ::GetSysColorBrush(colour.index));
  win::FrameArea(dc, swatch, win::BlackBrush());
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  win::DrawTextIn(dc, colour.name, SystemRowName(row), kSingleLineFormat);
  win::FrameArea(dc, RowFrame(row), ::GetSysColorBrush(COLOR_MENU));
}

// The pick closes the picker: nothing of it is touched after it returns.
void System_OnSelectionChange(HWND page, ColourFieldState& state) {
  const LRESULT row = ::SendMessageA(state.systemList, LB_GETCURSEL, 0, 0);
  if (row < 0 || static_cast<std::size_t>(row) >= kSystemColours.size()) return;
  state.colour = ::GetSysColor(kSystemColours[static_cast<std::size_t>(row)].index);
  FormatHexColor(state.colour, state.text);
  state.selected = 0;
  const ColourFieldState picked = state;
  ::SendMessageA(picked.parent, PWM_COLOURPICKED, reinterpret_cast<WPARAM>(picked.target),
                 static_cast<LPARAM>(picked.colour));
  if (!::IsWindow(page)) return;
  ::SendMessageA(picked.field, CFM_REFRESHCOLOUR, 0, static_cast<LPARAM>(picked.colour));
}

// The first row of the preset colour, if any, is selected: a button-shadow
// preset selects "Button Shadow", never "Button Dark Shadow".
void System_OnSetCurSel(ColourFieldState& state, COLORREF colour) {
  const auto row = FirstSystemRowOf(colour, [](int index) { return ::GetSysColor(index); });
  if (!row) return;
  ::SendMessageA(state.systemList, LB_SETCURSEL, static_cast<WPARAM>(*row), 0);
  state.colour = colour;
  FormatHexColor(colour, state.text);
  state.selected = 0;
  ::SendMessageA(state.field, CFM_REFRESHCOLOUR, 0, static_cast<LPARAM>(state.colour));
}

void System_OnMeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemWidth = kSystemRowWidth;
  item.itemHeight = kSystemRowHeight;
}

void System_OnDestroy(HWND page, ColourFieldState& state, bool forgetState) {
  if (HWND list = std::exchange(state.systemList, nullptr)) ::DestroyWindow(list);
  if (forgetState) SetFieldState(page, nullptr);
}

}  // namespace

LRESULT CALLBACK SystemPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) SetFieldState(page, gColourPicker.current);
  ColourFieldState* state = FieldStateOf(page);
  if (state == nullptr) return ::DefWindowProcA(page, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      System_OnCreate(page, *state);
      break;
    case WM_MEASUREITEM:
      System_OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      System_OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == LBN_SELCHANGE) System_OnSelectionChange(page, *state);
      if (!::IsWindow(page)) return 0;
      win::RedrawNow(page);
      break;
    case CB_SETCURSEL:
      System_OnSetCurSel(*state, static_cast<COLORREF>(lParam));
      return 0;
    case WM_CLOSE:
      System_OnDestroy(page, *state, false);
      break;
    case WM_DESTROY:
      System_OnDestroy(page, *state, true);
      break;
    default:
      break;
  }
  return ::DefWindowProcA(page, message, wParam, lParam);
}

}  // namespace kelp
