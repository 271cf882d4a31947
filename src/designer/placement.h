// Placing controls on a design surface: each surface keeps, per kind, the
// table of the numbers its controls carry (Button0, Button1, ...), and
// PlaceControl creates, names, numbers, layers and selects a new control.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "core/name_table.h"
#include "core/placement_table.h"

namespace kelp {

struct PlacementRecord {
  std::array<NameTable, kPlacedKinds> names;  // in the order of kKindRows
};

inline constexpr int kSurfacePlacementSlot = 0;

PlacementRecord* PlacementOf(HWND surface);
bool CreatePlacementRecord(HWND surface);
void FreePlacementRecord(HWND surface);

// The number table of a kind on the surface, or null for tools that place nothing.
NameTable* NameTableOf(HWND surface, std::uint32_t kind);

// The lowest free number of the table, or -1 when all 65,536 are taken.
std::int32_t FindFreeSlot(const NameTable& table);

// The first system colour index (0..20, 23, 24) of exactly this colour, or -1.
int SysColorIndex(COLORREF colour);

// Creates a control of the current tool's kind in the rectangle (surface
// client coordinates), names and numbers it, returns the toolbox to the
// Pointer Tool and selects the new control, which it returns (null when
// nothing was created).
HWND PlaceControl(HWND surface, int x, int y, int width, int height);

// "&Paste": a control like the copied one at the surface's top-left
// corner; returns it, or null.
HWND PasteControl(HWND surface);

// A new control of the kind and size at the surface's top-left corner,
// selected as a pasted one is (nothing copied onto it); null when none
// could be made.
HWND PlaceCopy(HWND surface, std::uint32_t kind, int width, int height);

// Creates a control of the kind with that number (free in the table),
// named as the designer names it unless a text is given, with its names
// and identifiers; it is neither selected nor raised above the others.
HWND CreateNumberedControl(HWND surface, const KindRow& row, NameTable& table, std::uint32_t number,
                           const char* text, int x, int y, int width, int height);

// A control of the surface is being deleted: its number becomes free.
void ForgetControl(HWND surface, HWND control, std::uint32_t kind);

}  // namespace kelp
