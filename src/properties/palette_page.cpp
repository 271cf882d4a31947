// The palette page (Palette_Class): an 8 x 8 grid of fixed colours. A press
// or a drag with the button down selects the cell under the cursor; the
// release picks the selected colour.
#include <windowsx.h>

#include "core/colour_tables.h"
#include "core/property_layout.h"
#include "entry/messages.h"
#include "properties/colour_picker.h"
#include "win/draw.h"
#include "win/gdi.h"
#include "win/repaint.h"

namespace kelp {
namespace {

constexpr COLORREF kPaletteGrey = RGB(128, 128, 128);
constexpr COLORREF kHighlightWhite = RGB(255, 255, 255);

void SelectCell(ColourFieldState& state, int cell) {
  state.colour = kPalette[static_cast<std::size_t>(cell)];
  state.selected = 1;
  state.selectedCell = win::ToRECT(PaletteCell(cell));
}

void HitTest(HWND page, ColourFieldState& state) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::ScreenToClient(page, &cursor);
  if (const auto cell = PaletteCellAt({cursor.x, cursor.y})) SelectCell(state, *cell);
}

void FillFramed(HDC dc, const Rect& area, COLORREF colour) {
  const win::Brush fill = win::SolidBrush(colour);
  win::FillArea(dc, area, fill.Get());
  win::FrameArea(dc, area, win::BlackBrush());
}

void Palette_OnPaint(HWND page, const ColourFieldState& state) {
  win::PaintDc paint(page);
  win::OffscreenBuffer image(paint, kPaletteImageSize, kPaletteImageSize);
  win::FillArea(image, {0, 0, kPaletteImageSize, kPaletteImageSize}, ::GetSysColorBrush(COLOR_BTNFACE));
  FillFramed(image, kPaletteBackground, kPaletteGrey);
  for (int cell = 0; cell < kPaletteCellCount; ++cell) {
    FillFramed(image, PaletteCell(cell), kPalette[static_cast<std::size_t>(cell)]);
  }
  if (state.selected != 0) {
    const Rect cell = win::FromRECT(state.selectedCell);
    FillFramed(image, Grown(cell, kHighlightMargin), kHighlightWhite);
    FillFramed(image, cell, state.colour);
  }
  ::BitBlt(paint, 0, 0, kPaletteShownSize, kPaletteShownSize, image, 0, 0, SRCCOPY);
}

// The pick closes the picker: the field, the pop-up and this page are gone
// when PWM_COLOURPICKED returns, and nothing of them is touched after.
void Palette_OnLButtonUp(HWND page, const ColourFieldState& state) {
  if (state.selected == 1) {
    const ColourFieldState picked = state;
    ::SendMessageA(picked.parent, PWM_COLOURPICKED, reinterpret_cast<WPARAM>(picked.target),
                   static_cast<LPARAM>(picked.colour));
    if (!::IsWindow(page)) return;
    ::SendMessageA(picked.field, CFM_REFRESHCOLOUR, 0, static_cast<LPARAM>(picked.colour));
    ::ShowWindow(picked.popup, SW_HIDE);
  }
  win::RedrawNow(page);
}

// The last cell of the preset colour is selected (the white cells at the
// bottom win over the one at the top).
void Palette_OnSetCurSel(HWND page, ColourFieldState& state, COLORREF colour) {
  if (const auto cell = LastPaletteCellOf(colour)) SelectCell(state, *cell);
  ::SendMessageA(state.field, CFM_REFRESHCOLOUR, 0, static_cast<LPARAM>(state.colour));
  win::RedrawNow(page);
}

}  // namespace

LRESULT CALLBACK PalettePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    SetFieldState(page, gColourPicker.current);
    return 0;
  }
  ColourFieldState* state = FieldStateOf(page);
  if (state == nullptr) return ::DefWindowProcA(page, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      Palette_OnPaint(page, *state);
      return 0;
    case WM_MOUSEMOVE:
      if (wParam == MK_LBUTTON) {
        HitTest(page, *state);
        win::RedrawNow(page);
      }
      return 0;
    case WM_LBUTTONDOWN:
      HitTest(page, *state);
      win::RedrawNow(page);
      return 0;
    case WM_LBUTTONUP:
      Palette_OnLButtonUp(page, *state);
      if (!::IsWindow(page)) return 0;
      break;
    case CB_SETCURSEL:
      Palette_OnSetCurSel(page, *state, static_cast<COLORREF>(lParam));
      return 0;
    case WM_DESTROY:
      SetFieldState(page, nullptr);
      break;
    default:
      break;
  }
  return ::DefWindowProcA(page, message, wParam, lParam);
}

}  // namespace kelp
