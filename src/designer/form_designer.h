// State shared by a form's three windows (frame, back panel, design surface)
// and the process-wide state of the form designer.
//
// A form's frame window owns two records: the form's control record (extra
// slot 0) and the form record below (extra slot 1). The back panel and the
// design surface reach them through the frame: the surface's grandparent.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/control_record.h"

namespace kelp {

inline constexpr char kFrameClassName[] = "ClientForm_Class";
inline constexpr char kBackPanelClassName[] = "BackForm_Class";
inline constexpr char kSurfaceClassName[] = "Form_Class";

inline constexpr int kFrameControlRecordSlot = 0;
inline constexpr int kFrameFormRecordSlot = 1;

struct FormRecord {
  POINT cursorPosition;  // last cursor position seen by the frame (screen)
  RECT rightMarker;      // hit rectangles of the active resize markers (screen)
  RECT cornerMarker;
  RECT bottomMarker;
  RECT panelAtPress;     // back panel's window rectangle when the button went down
  HWND surface;
  HWND backPanel;
  HWND frame;
  std::int32_t horizontalPosition;  // scroll positions, multiples of 5
  std::int32_t verticalPosition;
  HWND rememberedWindow;  // the object last selected inside this form
  std::uint32_t rememberedKind;
};

// The block is allocated at least this large, as hosts have always seen it.
inline constexpr std::size_t kFormRecordBytes = 188;

enum class SizingMode { kNone, kRight, kBottom, kCorner };

struct FormDesignerState {
  // Written by every CreateFormWin for the frame being created.
  HINSTANCE formInstance = nullptr;
  HICON formIcon = nullptr;
  char formTitle[kTextFieldSize] = {};
  char formName[kTextFieldSize] = {};
  // Dragging a resize marker.
  SizingMode sizingMode = SizingMode::kNone;
  HCURSOR sizingCursor = nullptr;
  // The rubber band on a design surface, in its client coordinates.
  RECT dragRectangle = {};
  bool bandShown = false;   // the band is drawn on the surface now
  bool buttonDown = false;  // between a press on a surface and its release
  bool moved = false;       // the mouse moved with the button down
  HCURSOR dragCursor = nullptr;
  HWND previousSelection = nullptr;  // the selection when a drag ends in a placement
  HWND newControl = nullptr;         // the control just placed
  HWND copiedControl = nullptr;      // what "&Paste" copies; null when nothing is copied
  bool pasting = false;
  // While a status bar docks itself again because its form was resized or
  // a release reached it: that resize is not the user's, and selects nothing.
  bool redockingStatusBars = false;
};

extern FormDesignerState gFormDesigner;

ControlRecord* FormControlRecord(HWND frame);
// Whether the window is a form's frame (and not, say, one of its controls).
bool IsFormFrame(HWND window);
FormRecord* FormRecordOf(HWND frame);
HWND FrameOfSurface(HWND surface);

// The back panel's window rectangle in the frame's client coordinates.
RECT PanelRectInFrame(HWND frame, HWND backPanel);

// Makes the form the selected object (kind 48).
void SelectForm(HWND frame);

// After the back panel has been resized: the frame's scroll ranges follow.
void RecomputeFormScrollBars(HWND frame);

// A status bar docks itself to the bottom of its form again (it does at
// any resize); the resize is not the user's and selects nothing.
void RedockStatusBar(HWND statusBar);

LRESULT CALLBACK FormFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BackPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DesignSurfaceProc(HWND surface, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kelp
