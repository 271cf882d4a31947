// The values of the exports by which a host saves and rebuilds a project:
// the flags of a form and a code window, the module kinds, the brush kinds
// and what SetDesignProperties sets. include/kelp32.h publishes them (as
// KELP32_FORM_MDI and so on); the structures themselves are the header's.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kelp {

// A form's flags.
inline constexpr DWORD kFormFlagMdi = 0x1;
inline constexpr DWORD kFormFlagHidden = 0x2;
// A code window's flag: shown.
inline constexpr DWORD kCodeFlagVisible = 0x1;

// Modules and class modules.
enum ModuleKind : std::uint32_t { kModule = 1, kClassModule = 2 };

// How a record's hBackBrush was made.
enum BrushKind : std::uint32_t { kBrushNone = 0, kBrushSystem = 1, kBrushPicked = 2 };

// SetDesignProperties: which fields to set.
inline constexpr DWORD kSetName = 0x1;
inline constexpr DWORD kSetIdName = 0x2;
inline constexpr DWORD kSetId = 0x4;
inline constexpr DWORD kSetCaption = 0x8;
inline constexpr DWORD kSetBackColour = 0x10;
inline constexpr DWORD kSetForeColour = 0x20;
inline constexpr DWORD kSetSize = 0x40;
inline constexpr DWORD kSetPlace = 0x80;
inline constexpr DWORD kSetEnabled = 0x100;
inline constexpr DWORD kSetStyles = 0x200;
inline constexpr DWORD kSetFont = 0x400;
inline constexpr DWORD kSetSaved = kSetName | kSetIdName | kSetId | kSetCaption | kSetBackColour | kSetForeColour |
                                   kSetPlace | kSetEnabled | kSetStyles | kSetFont;

}  // namespace kelp
