// The image box ("Static_Class"): at design time a black rectangle with a
// client edge; while it is dragged a red line runs along its left and top.
#include "controls/control_classes.h"
#include "controls/design_control.h"
#include "win/gdi.h"

namespace kelp {
namespace {

// The frame reaches past the right and bottom edges, so only its left and
// top sides show.
constexpr int kFrameOverhang = 4;

void ImageBox_OnPaint(HWND window) {
  win::PaintDc dc(window);
  RECT client{};
  ::GetClientRect(window, &client);
  const win::Brush black = win::SolidBrush(RGB(0, 0, 0));
  ::FillRect(dc, &client, black.Get());
  const ControlRecord* record = RecordOfControl(window);
  if (record != nullptr && record->dragging == 1) {
    RECT frame = client;
    frame.right += kFrameOverhang;
    frame.bottom += kFrameOverhang;
    const win::Brush red = win::SolidBrush(kDragFrameColour);
    ::FrameRect(dc, &frame, red.Get());
  }
}

}  // namespace

LRESULT CALLBACK ImageBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    ImageBox_OnPaint(window);
    return 0;
  }
  return DesignControlBehaviour(::DefWindowProcA, window, message, wParam, lParam);
}

}  // namespace kelp
