// The control record: the 1928-byte block every design-time object carries
// (a form's own record included). Hosts read it whole through DCM_GETRECORD,
// so its layout is fixed on every architecture: handle fields are stored as
// 32-bit values (USER and GDI handles are 32-bit significant on Win64 too).
// Platform-neutral: no Windows header is needed to describe the layout.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelp {

// A window, font, menu or brush handle narrowed to the 32 bits that matter.
using Handle32 = std::uint32_t;
using ColourRef = std::uint32_t;

inline constexpr std::size_t kTextFieldSize = 260;

// Kind codes: a control's kind is the identifier of the toolbox tool that
// places it; a form is 48.
enum Kind : std::uint32_t {
  kKindForm = 48,
  kToolPointer = 49,
  kToolUnused50 = 50,
  kKindLabel = 51,
  kKindTextBox = 52,
  kKindGroupBox = 53,
  kKindButton = 54,
  kKindCheckBox = 55,
  kKindOptionButton = 56,
  kKindComboBox = 57,
  kKindListBox = 58,
  kKindHScrollBar = 59,
  kKindVScrollBar = 60,
  kKindTimer = 61,
  kKindDriveListBox = 62,
  kKindDirListBox = 63,
  kKindFileListBox = 64,
  kToolUnused65 = 65,
  kToolUnused66 = 66,
  kKindImageBox = 67,
  kKindCalendar = 68,
  kKindTrackBar = 69,
  kKindProgressBar = 70,
  kKindStatusBar = 71,
};

struct ControlRecord {
  std::uint32_t settled;        // 1 while the control rests
  Handle32 hParent;             // the design surface it lives on
  std::uint32_t dragging;       // 1 from press to release
  std::uint32_t reserved1;
  std::uint32_t kind;
  std::int32_t left;            // in the parent's client coordinates
  std::int32_t top;
  std::int32_t width;
  std::int32_t height;
  std::uint32_t ctrlId;         // numeric identifier of the generated program
  char idName[kTextFieldSize];  // symbolic identifier, e.g. IDC_BUTTON0
  char handleName[kTextFieldSize];  // "h" + name, e.g. hButton0
  char caption[kTextFieldSize];     // the window text
  char reserved2[kTextFieldSize];
  std::uint32_t reserved3[4];   // copied along by paste
  Handle32 hFont;
  Handle32 hPopupMenu;
  char reserved4[780];
  std::uint32_t exStyle;        // as created, without the live WS_EX_TOPMOST bit
  std::uint32_t style;
  std::uint32_t classStyle;
  std::uint32_t enabled;        // wParam of the last WM_ENABLE
  ColourRef backColour;
  Handle32 hBackBrush;          // a brush, or a system colour index + 1
  ColourRef foreColour;
  Handle32 hCodeWindow;
  std::uint32_t reserved5[2];
  std::uint32_t codeOpen;       // 1 once the code window exists
};

static_assert(sizeof(ControlRecord) == 1928);
static_assert(offsetof(ControlRecord, settled) == 0);
static_assert(offsetof(ControlRecord, hParent) == 4);
static_assert(offsetof(ControlRecord, dragging) == 8);
static_assert(offsetof(ControlRecord, kind) == 16);
static_assert(offsetof(ControlRecord, left) == 20);
static_assert(offsetof(ControlRecord, top) == 24);
static_assert(offsetof(ControlRecord, width) == 28);
static_assert(offsetof(ControlRecord, height) == 32);
static_assert(offsetof(ControlRecord, ctrlId) == 36);
static_assert(offsetof(ControlRecord, idName) == 40);
static_assert(offsetof(ControlRecord, handleName) == 300);
static_assert(offsetof(ControlRecord, caption) == 560);
static_assert(offsetof(ControlRecord, reserved2) == 820);
static_assert(offsetof(ControlRecord, reserved3) == 1080);
static_assert(offsetof(ControlRecord, hFont) == 1096);
static_assert(offsetof(ControlRecord, hPopupMenu) == 1100);
static_assert(offsetof(ControlRecord, reserved4) == 1104);
static_assert(offsetof(ControlRecord, exStyle) == 1884);
static_assert(offsetof(ControlRecord, style) == 1888);
static_assert(offsetof(ControlRecord, classStyle) == 1892);
static_assert(offsetof(ControlRecord, enabled) == 1896);
static_assert(offsetof(ControlRecord, backColour) == 1900);
static_assert(offsetof(ControlRecord, hBackBrush) == 1904);
static_assert(offsetof(ControlRecord, foreColour) == 1908);
static_assert(offsetof(ControlRecord, hCodeWindow) == 1912);
static_assert(offsetof(ControlRecord, reserved5) == 1916);
static_assert(offsetof(ControlRecord, codeOpen) == 1924);

}  // namespace kelp
