// A form's or a control's properties as a host saves and rebuilds them:
// what the properties window shows, read from the record, with what a save
// needs besides (the font as a LOGFONT, how the background brush was made,
// where the window is); and set again field by field, as the properties
// window and the colour picker set them, without selecting anything.
#include "controls/design_control.h"
#include "core/property_rows.h"
#include "core/text.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/placement.h"
#include "entry/host_options.h"
#include "entry/project_api.h"
#include "entry/window_utilities.h"
#include "kelp32.h"
#include "properties/properties.h"
#include "win/colour_brushes.h"
#include "win/handles.h"
#include "win/repaint.h"

namespace kelp {
namespace {

// Brush values 1..31 name a system colour (index + 1); anything larger is a brush.
constexpr Handle32 kLastSystemColourBrushValue = COLOR_MENUBAR + 1;

// The object's record, its window whose place is saved (a control, or a
// form's back panel) and whether it is a form; null when it is neither.
struct DesignObject {
  ControlRecord* record = nullptr;
  HWND placed = nullptr;
  bool form = false;
};

DesignObject ObjectOf(HWND window) {
  if (IsFormFrame(window)) {
    const FormRecord* form = FormRecordOf(window);
    ControlRecord* record = FormControlRecord(window);
    if (form == nullptr || record == nullptr) return {};
    return {record, form->backPanel, true};
  }
  if (IsDesignControl(window)) return {RecordOfControl(window), window, false};
  return {};
}

std::uint32_t NumberOf(HWND window, const DesignObject& object) {
  if (object.form) {
    const FormRecord* form = FormRecordOf(window);
    return form != nullptr ? form->number : 0;
  }
  const NameTable* table = NameTableOf(SurfaceOfControl(*object.record), object.record->kind);
  const std::int32_t number = table != nullptr ? table->NumberOf(reinterpret_cast<NameTable::Owner>(window)) : -1;
  return number >= 0 ? static_cast<std::uint32_t>(number) : 0;
}

Handle32 LiveCodeWindow(const ControlRecord& record, bool form) {
  if (!form && record.codeOpen == 0) return 0;
  return ::IsWindow(win::FromHandle32<HWND>(record.hCodeWindow)) ? record.hCodeWindow : 0;
}

void ReadBrush(const ControlRecord& record, KELP32_DESIGN_PROPERTIES& properties) {
  if (record.hBackBrush == 0) {
    properties.brushKind = kBrushNone;
  } else if (record.hBackBrush <= kLastSystemColourBrushValue) {
    properties.brushKind = kBrushSystem;
    properties.brushSystemColour = record.hBackBrush - 1;
  } else {
    properties.brushKind = kBrushPicked;
  }
}

void ReadFont(const ControlRecord& record, KELP32_DESIGN_PROPERTIES& properties) {
  HFONT font = win::FromHandle32<HFONT>(record.hFont);
  properties.hasFont = font != nullptr && ::GetObjectA(font, sizeof(properties.font), &properties.font) != 0;
}

void ReadPlacement(const DesignObject& object, KELP32_DESIGN_PROPERTIES& properties) {
  const RECT bounds = RectInParent(object.placed);
  properties.windowLeft = bounds.left;
  properties.windowTop = bounds.top;
  properties.windowWidth = bounds.right - bounds.left;
  properties.windowHeight = bounds.bottom - bounds.top;
}

// A window's style changes only when the host asks for another than the
// record holds: the designer's own windows keep the bits they live by.
void ApplyStyles(HWND window, ControlRecord& record, const KELP32_DESIGN_PROPERTIES& properties) {
  bool changed = false;
  if (properties.style != record.style) {
    // A design-time control stays a visible child of its surface whatever
    // style a host records (several kinds record none at all): without
    // WS_CHILD it would become a window of its own on the desktop.
    const auto live = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
    const DWORD kept = (live & WS_CHILD) != 0 ? (live & (WS_CHILD | WS_VISIBLE)) : 0;
    const DWORD style = kept != 0 ? (properties.style & ~static_cast<DWORD>(WS_POPUP)) | kept : properties.style;
    ::SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(style));
    changed = true;
  }
  if (properties.exStyle != record.exStyle) {
    // The live WS_EX_TOPMOST bit is the designer's stacking, never recorded.
    const auto live = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
    ::SetWindowLongPtrA(window, GWL_EXSTYLE, static_cast<LONG_PTR>(properties.exStyle | (live & WS_EX_TOPMOST)));
    changed = true;
  }
  record.style = properties.style;
  record.exStyle = properties.exStyle;
  record.classStyle = properties.classStyle;
  if (changed) {
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

void ApplyFont(HWND window, ControlRecord& record, const LOGFONTA& description) {
  HFONT font = ::CreateFontIndirectA(&description);
  if (font == nullptr) return;
  HFONT previous = win::FromHandle32<HFONT>(record.hFont);
  ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  record.hFont = win::ToHandle32(font);
  if (previous != nullptr) ::DeleteObject(previous);
}

// A picked colour gets the colour picker's brushes; a system colour or none
// is kept as the creators keep it.
void ApplyBackColour(HWND window, const DesignObject& object, const KELP32_DESIGN_PROPERTIES& properties) {
  ControlRecord& record = *object.record;
  if (!object.form && properties.brushKind == kBrushPicked) {
    PaintControlInColour(window, properties.backColour);
    return;
  }
  record.backColour = properties.backColour;
  win::DeleteIfColourBrush(win::FromHandle32<HBRUSH>(record.hBackBrush));
  record.hBackBrush = 0;
  if (properties.brushKind == kBrushSystem) record.hBackBrush = properties.brushSystemColour + 1;
  if (object.form) {
    if (const FormRecord* form = FormRecordOf(window)) win::RepaintNow(form->surface);
  } else {
    win::RepaintNow(window);
  }
}

void ApplyCaption(HWND window, const DesignObject& object, const char* caption) {
  if (object.form) {
    if (const FormRecord* form = FormRecordOf(window)) ::SetWindowTextA(form->backPanel, caption);
  } else {
    ::SetWindowTextA(window, caption);  // the control reads its caption back
  }
  CopyText(object.record->caption, caption);
}

// The window goes where it was; then the record takes its own place and
// size, which need not be the window's (a resize records the client size).
void ApplyPlace(HWND window, const DesignObject& object, const KELP32_DESIGN_PROPERTIES& properties) {
  ControlRecord& record = *object.record;
  const int width = properties.windowWidth > 0 ? properties.windowWidth : properties.width;
  const int height = properties.windowHeight > 0 ? properties.windowHeight : properties.height;
  if (object.form) {
    if (width > 0 && height > 0) SizeFormPanel(window, width, height);
  } else {
    const int left = properties.windowWidth > 0 ? properties.windowLeft : properties.left;
    const int top = properties.windowWidth > 0 ? properties.windowTop : properties.top;
    ::SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (record.kind == kKindStatusBar) {
      // It docks itself at its form's bottom whatever place it is given
      // (the form may be smaller now than when the place was read); its own
      // move and size handling has put its record where it docked.
      RedockStatusBar(window);
      return;
    }
  }
  record.left = properties.left;
  record.top = properties.top;
  record.width = properties.width;
  record.height = properties.height;
}

// The properties window shows the object's new values at once.
void RefreshRowsOf(HWND window) {
  HWND list = gProperties.list;
  if (list != nullptr && gProperties.target == window) win::RedrawNow(list);
}

}  // namespace
}  // namespace kelp

extern "C" BOOL KELP_API GetDesignProperties(HWND object, KELP32_DESIGN_PROPERTIES* properties) {
  using namespace kelp;
  const DesignObject found = ObjectOf(object);
  if (found.record == nullptr || properties == nullptr) return FALSE;
  const ControlRecord& record = *found.record;
  *properties = {};
  properties->kind = record.kind;
  properties->number = NumberOf(object, found);
  properties->hCodeWindow = LiveCodeWindow(record, found.form);
  CopyText(properties->handleName, FieldText(record.handleName));
  CopyText(properties->idName, FieldText(record.idName));
  properties->ctrlId = record.ctrlId;
  CopyText(properties->caption, FieldText(record.caption));
  properties->left = record.left;
  properties->top = record.top;
  properties->width = record.width;
  properties->height = record.height;
  ReadPlacement(found, *properties);
  properties->style = record.style;
  properties->exStyle = record.exStyle;
  properties->classStyle = record.classStyle;
  properties->enabled = record.enabled;
  properties->backColour = record.backColour;
  ReadBrush(record, *properties);
  properties->foreColour = record.foreColour;
  ReadFont(record, *properties);
  return TRUE;
}

namespace kelp {

bool ApplyDesignProperties(HWND object, const KELP32_DESIGN_PROPERTIES& properties) {
  const DesignObject found = ObjectOf(object);
  if (found.record == nullptr) return false;
  const UnreportedChanges hostAtWork;
  const ResizesSelectNothing notTheUsers;
  ControlRecord& record = *found.record;
  const DWORD mask = properties.fields;
  if (mask & kSetCaption) ApplyCaption(object, found, properties.caption);
  if (mask & kSetName) CopyText(record.handleName, FieldText(properties.handleName));
  if (mask & kSetIdName) CopyText(record.idName, FieldText(properties.idName));
  if (mask & kSetId) record.ctrlId = properties.ctrlId;
  if (mask & kSetEnabled) record.enabled = properties.enabled;
  if (mask & kSetStyles) {
    if (found.form) {
      record.style = properties.style;
      record.exStyle = properties.exStyle;
      record.classStyle = properties.classStyle;
    } else {
      ApplyStyles(object, record, properties);
    }
  }
  if ((mask & kSetFont) && properties.hasFont && !found.form) ApplyFont(object, record, properties.font);
  if (mask & kSetBackColour) ApplyBackColour(object, found, properties);
  if (mask & kSetForeColour) {
    record.foreColour = properties.foreColour;
    if (!found.form) win::RepaintNow(object);
  }
  if (mask & kSetSize) {
    SizeDesignObject(object, found.form, kRowWidth, properties.width);
    SizeDesignObject(object, found.form, kRowHeight, properties.height);
  }
  if (mask & kSetPlace) ApplyPlace(object, found, properties);
  RefreshRowsOf(object);
  return true;
}

}  // namespace kelp

extern "C" BOOL KELP_API SetDesignProperties(HWND object, const KELP32_DESIGN_PROPERTIES* properties) {
  using namespace kelp;
  if (properties == nullptr || !ApplyDesignProperties(object, *properties)) return FALSE;
  NoteFormChangedByHost(FormOfDesignWindow(object));
  return TRUE;
}
