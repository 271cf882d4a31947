// State shared by a form's three windows (frame, back panel, design surface)
// and the process-wide state of the form designer.
//
// A form's frame window owns two records: the form's control record (extra
// slot 0) and the form record below (extra slot 1). The back panel and the
// design surface reach them through the frame: the surface's grandparent.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/control_record.h"

namespace kelp {

inline constexpr char kFrameClassName[] = "ClientForm_Class";
inline constexpr char kBackPanelClassName[] = "BackForm_Class";
inline constexpr char kSurfaceClassName[] = "Form_Class";

// Posted by a frame to itself when the system's move or size loop ended
// before the frame was put in its new place.
inline constexpr UINT kFrameSizeMoveEnded = WM_USER + 0x100;

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
  std::uint32_t number;         // Form1 is 1
  std::uint32_t projectNumber;  // the n of "Project<n>" it was opened with
  std::uint32_t mdiForm;        // 1: the project's one MDI form
};

// The block is allocated at least this large, as hosts have always seen it.
inline constexpr std::size_t kFormRecordBytes = 188;
static_assert(sizeof(FormRecord) <= kFormRecordBytes);

enum class SizingMode { kNone, kRight, kBottom, kCorner };

struct FormDesignerState {
  // Written by every CreateFormWin for the frame being created.
  HINSTANCE formInstance = nullptr;
  HICON formIcon = nullptr;
  char formTitle[kTextFieldSize] = {};
  char formName[kTextFieldSize] = {};
  std::uint32_t formNumber = 0;
  std::uint32_t projectNumber = 0;
  bool openingMdiForm = false;
  // Every form's frame, in the order the forms were created.
  std::vector<HWND> forms;
  // Dragging a resize marker.
  SizingMode sizingMode = SizingMode::kNone;
  HCURSOR sizingCursor = nullptr;
  // A frame's window (screen) when the system began to move or size it.
  RECT frameBeforeMove = {};
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
  // While controls are resized by something other than the user (a status
  // bar docks itself again because its form was resized or a release
  // reached it; the host rebuilds a form): such a resize selects nothing.
  bool resizesSelectNothing = false;
};

extern FormDesignerState gFormDesigner;

// What a form is opened with: its number, the project number of its
// title, its name (Form1) and title, and whether it is the MDI form.
struct FormOpening {
  std::uint32_t number;
  std::uint32_t projectNumber;
  const char* name;
  const char* title;
  bool mdi;
  // Made closed (a saved form the user had closed) and where it was: never
  // shown, so nothing of it is laid out or painted for the screen.
  bool hidden = false;
  RECT place{};  // the frame's place in the MDI client; empty: where a new form goes
};

// Opens a form in the MDI client; null when it could not be made.
HWND OpenForm(HINSTANCE formInstance, HWND mdiClient, const FormOpening& opening);

// The form with the number, and the project's MDI form; null when none.
HWND FormWithNumber(std::uint32_t number);
HWND MdiFormFrame();
bool IsMdiForm(HWND frame);

ControlRecord* FormControlRecord(HWND frame);
// Whether the window is a form's frame (and not, say, one of its controls).
bool IsFormFrame(HWND window);
FormRecord* FormRecordOf(HWND frame);
HWND FrameOfSurface(HWND surface);
// The form's design surface, or null.
HWND SurfaceOfForm(HWND frame);
// The controls on a design surface, bottom first, as they lie.
std::vector<HWND> ControlsOnSurface(HWND surface);

// The back panel's window rectangle in the frame's client coordinates.
RECT PanelRectInFrame(HWND frame, HWND backPanel);

// Makes the form the selected object (kind 48).
void SelectForm(HWND frame);

// Whether the window is a form's design surface (project_controls.cpp).
bool IsDesignSurface(HWND window);
// Beneath every control but the group boxes, sized as given
// (project_controls.cpp).
void PutBeneathTheOthers(HWND surface, HWND control, int width, int height);

// After the back panel has been resized: the frame's scroll ranges follow.
void RecomputeFormScrollBars(HWND frame);

// Sizes the form (its back panel) and records the size; the frame repaints
// its markers and scroll bars.
void SizeFormPanel(HWND frame, int width, int height);

// While one lives, controls that are resized select nothing: the resize is
// not the user's. Nests, and leaves the flag as it found it.
class ResizesSelectNothing {
 public:
  ResizesSelectNothing() : was_(gFormDesigner.resizesSelectNothing) { gFormDesigner.resizesSelectNothing = true; }
  ~ResizesSelectNothing() { gFormDesigner.resizesSelectNothing = was_; }
  ResizesSelectNothing(const ResizesSelectNothing&) = delete;
  ResizesSelectNothing& operator=(const ResizesSelectNothing&) = delete;

 private:
  bool was_;
};

// A status bar docks itself to the bottom of its form again (it does at
// any resize); the resize is not the user's and selects nothing.
void RedockStatusBar(HWND statusBar);

LRESULT CALLBACK FormFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BackPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DesignSurfaceProc(HWND surface, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kelp
