// The back panel (BackForm_Class): the child of the frame that looks like the
// form's own captioned window. Its caption and border never move or size it:
// the form is resized only by the frame's markers.
#include "core/text.h"
#include "designer/form_designer.h"
#include "designer/grab_handles.h"
#include "entry/selection.h"
#include "entry/window_utilities.h"
#include "win/repaint.h"

namespace kelp {
namespace {

constexpr DWORD kSurfaceStyle = WS_CHILD | WS_VISIBLE;
constexpr int kSurfaceWidth = 350, kSurfaceHeight = 250;
const auto kButtonFaceBrush = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

void ForgetRubberBand() { gFormDesigner.dragRectangle = {}; }

void Panel_OnCreate(HWND panel) {
  HWND frame = ::GetParent(panel);
  CreateClassWindow(0, kSurfaceStyle, kSurfaceClassName, gFormDesigner.formName, 0, 0, kSurfaceWidth,
                    kSurfaceHeight, DesignSurfaceProc, gFormDesigner.formIcon, kButtonFaceBrush,
                    gFormDesigner.formInstance, panel);
  ControlRecord* record = FormControlRecord(frame);
  if (record == nullptr) return;
  ::GetWindowTextA(panel, record->caption, sizeof(record->caption));
  record->kind = kKindForm;
  RECT bounds{};
  ::GetWindowRect(panel, &bounds);
  record->width = bounds.right - bounds.left;
  record->height = bounds.bottom - bounds.top;
}

void Panel_OnSize(HWND panel, WPARAM wParam, LPARAM lParam) {
  const FormRecord* form = FormRecordOf(::GetParent(panel));
  if (form != nullptr && form->surface != nullptr) ::SendMessageA(form->surface, WM_SIZE, wParam, lParam);
}

// A press on the caption or border selects the form instead of moving or
// sizing the panel; the caption is only drawn active.
LRESULT Panel_OnNcLButtonDown(HWND panel, WPARAM hitTest, LPARAM lParam) {
  HWND frame = ::GetParent(panel);
  FormRecord* form = FormRecordOf(frame);
  DeselectUnless(nullptr);
  RecordSelection(frame, kKindForm);
  ShowPropertiesOf(frame, kKindForm);
  if (form != nullptr) {
    form->rememberedWindow = frame;
    form->rememberedKind = kKindForm;
  }
  SelectInProject(frame);
  LRESULT result = 0;
  if (hitTest == HTMENU) {
    result = ::DefWindowProcA(panel, WM_NCLBUTTONDOWN, hitTest, lParam);
  } else {
    DeselectUnless(nullptr);
    ShowPropertiesOf(frame, kKindForm);
    ::SetFocus(panel);
    win::RepaintNow(frame);
    ShowGrabHandles(nullptr, kGrabHandlesRemove);
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    ::SetFocus(frame);
    result = ::DefWindowProcA(panel, WM_NCACTIVATE, TRUE, 0);
  }
  ForgetRubberBand();
  return result;
}

void Panel_OnNcLButtonUp(HWND panel) {
  HWND frame = ::GetParent(panel);
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  ::ReleaseCapture();
  ShowPropertiesOfSelectedForm(frame);
  win::RepaintNow(frame);
  ::SetFocus(frame);
  ForgetRubberBand();
}

}  // namespace

LRESULT CALLBACK BackPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Panel_OnCreate(panel);
      return 0;
    case WM_SIZE:
      Panel_OnSize(panel, wParam, lParam);
      break;
    case WM_NCHITTEST:
      ForgetRubberBand();
      break;
    case WM_NCMOUSEMOVE:
      ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));  // no sizing cursors on the border
      ForgetRubberBand();
      return 0;
    case WM_NCLBUTTONDBLCLK:
      return 0;  // the caption never maximises the panel
    case WM_NCLBUTTONDOWN:
      return Panel_OnNcLButtonDown(panel, wParam, lParam);
    case WM_NCLBUTTONUP:
      Panel_OnNcLButtonUp(panel);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(panel, message, wParam, lParam);
}

}  // namespace kelp
