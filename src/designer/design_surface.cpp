// The design surface (Form_Class): the dotted drawing area of a form, which
// always fills the back panel's client area.
#include "core/surface_grid.h"
#include "designer/form_designer.h"
#include "win/gdi.h"

namespace kelp {
namespace {

constexpr COLORREF kGridDotColour = RGB(0, 0, 0);

void Surface_OnCreate(HWND surface) {
  FormRecord* form = FormRecordOf(FrameOfSurface(surface));
  if (form != nullptr) form->surface = surface;
}

void Surface_OnSize(HWND surface) {
  RECT panelClient{};
  ::GetClientRect(::GetParent(surface), &panelClient);
  ::SetWindowPos(surface, nullptr, 0, 0, panelClient.right, panelClient.bottom, SWP_NOMOVE);
}

void Surface_OnPaint(HWND surface) {
  win::PaintDc paint(surface);
  RECT client{};
  ::GetClientRect(surface, &client);
  const ControlRecord* form = FormControlRecord(FrameOfSurface(surface));
  const COLORREF back = form != nullptr ? form->backColour : ::GetSysColor(COLOR_BTNFACE);

  win::OffscreenBuffer buffer(paint, client.right, client.bottom);
  const win::Brush backBrush = win::SolidBrush(back);
  ::FillRect(buffer, &client, backBrush.Get());
  ForEachGridDot(client.right, client.bottom,
                 [&](int x, int y) { ::SetPixel(buffer, x, y, kGridDotColour); });
  const RECT& dirty = paint.PaintRect();
  ::BitBlt(paint, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, buffer,
           dirty.left, dirty.top, SRCCOPY);
}

}  // namespace

LRESULT CALLBACK DesignSurfaceProc(HWND surface, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Surface_OnCreate(surface);
      return 0;
    case WM_SIZE:
      Surface_OnSize(surface);
      return 0;
    case WM_PAINT:
      Surface_OnPaint(surface);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    default:
      break;
  }
  return ::DefWindowProcA(surface, message, wParam, lParam);
}

}  // namespace kelp
