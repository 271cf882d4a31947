// The colour picker: the " BkColor" row's editor. A colour field (swatch,
// hexadecimal text, drop-down button) opens a pop-up with a tab control and
// two pages, a palette of 64 colours and a list of 25 system colours. A pick
// on either page goes to the field's parent (the property list) as
// PWM_COLOURPICKED, whose handling destroys the field, the pop-up and the
// pages. While the pop-up exists, mhook.dll reports mouse presses anywhere
// in the environment, so that a press elsewhere hides it.
//
// The field, the pop-up and both pages share one state record, allocated by
// the field and kept in each window's extra slot 0.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "core/colour_tables.h"

namespace kelp {

inline constexpr char kColourFieldClassName[] = "ColorCombo_Class";
inline constexpr char kColourPopupClassName[] = "ColorBox_Class";
inline constexpr char kPaletteClassName[] = "Palette_Class";
inline constexpr char kSystemPageClassName[] = "System_Class";
inline constexpr int kSystemListId = 801;

inline constexpr char kPickerFontFace[] = "Verdana";
inline constexpr int kPickerFontHeight = 13;
inline constexpr std::size_t kColourTextBytes = 260;

struct ColourFieldState {
  std::uint32_t selected;  // the palette has a selected cell; a release there picks
  RECT selectedCell;       // in the palette page's client coordinates
  COLORREF colour;
  std::uint32_t pressed;  // the drop-down button is drawn pushed
  char* text;             // the colour's text, kColourTextBytes
  HWND popup;             // none until the drop-down button is first pressed
  HWND tabControl;
  HWND palettePage;
  HWND systemPage;
  HWND systemList;
  HWND field;
  HWND visiblePage;
  HWND parent;  // receives PWM_COLOURPICKED
  HFONT font;
  HINSTANCE instance;
  HWND target;  // the window whose colour is edited
};

using InstallHookProc = BOOL(WINAPI*)(HWND);
using UninstallHookProc = BOOL(WINAPI*)();

// The picker's process-wide state: one field exists at a time.
struct ColourPickerState {
  HWND pendingTarget = nullptr;         // from CreateColorField to the field's WM_CREATE
  ColourFieldState* current = nullptr;  // read by the pop-up and pages as they are made
  HWND openPopup = nullptr;             // the pop-up that must never be activated
  HHOOK activationGuard = nullptr;      // refuses its activation while it exists
  bool hookLibraryTried = false;
  HMODULE hookLibrary = nullptr;
  InstallHookProc installHook = nullptr;
  UninstallHookProc uninstallHook = nullptr;
};

extern ColourPickerState gColourPicker;

ColourFieldState* FieldStateOf(HWND window);
void SetFieldState(HWND window, ColourFieldState* state);

// The field, a child of parent at the given place, editing target's colour.
HWND CreateColorField(HWND parent, int x, int y, int width, int height, HWND target);
// The pop-up (hidden until the field shows it), owned by the field.
HWND CreateColorPopup(HWND owner, int x, int y, int width, int height);
// A tab control of a kind (0..4, its style) with one tab per name.
HWND CreateTabControl(HWND parent, int x, int y, int width, int height, std::span<const TabName> names,
                      int kind);
// On TCN_SELCHANGE, sends window the command of the tab now selected.
void TabSelectionToCommand(HWND window, HWND tabControl, const NMHDR* notification,
                           std::span<const std::uint32_t> commands);

LRESULT CALLBACK PalettePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SystemPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The hook of mhook.dll, loaded from beside the library on first use; both
// do nothing when the library cannot be loaded.
void InstallFieldHook(HWND field);
void UninstallFieldHook();

}  // namespace kelp
