// What a host asked for with SetHostOptions, and what it hears because of
// it: KELP32_PROJECT_CHANGED at its main frame after each change the user
// makes, and KELP32_QUERY_EXIT before the environment shuts down. A host
// that never sets an option hears neither. What the host itself builds or
// fills through the exports, and the library's own synthetic steps inside
// one change, happen in an UnreportedChanges scope: only the user's own
// changes are reported, each once.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kelp {

// SetHostOptions bits.
inline constexpr DWORD kOptionNotifyChanges = 0x1;
inline constexpr DWORD kOptionAskBeforeExit = 0x2;
inline constexpr DWORD kOptionAddMdiForm = 0x4;
inline constexpr DWORD kOptionCodeTools = 0x8;
inline constexpr DWORD kOptionDesignTools = 0x10;
inline constexpr DWORD kKnownOptions =
    kOptionNotifyChanges | kOptionAskBeforeExit | kOptionAddMdiForm | kOptionCodeTools | kOptionDesignTools;

// Messages to the main frame, and the answer that cancels the shut-down.
inline constexpr UINT kProjectChangedMessage = 0x596D;
inline constexpr UINT kQueryExitMessage = 0x596E;
inline constexpr LRESULT kCancelExit = 1;

// What changed: wParam of kProjectChangedMessage.
enum HostChange : std::uint32_t {
  kChangeControlDrawn = 1,
  kChangeControlMoved = 2,
  kChangeControlResized = 3,
  kChangeControlPasted = 4,
  kChangeControlDeleted = 5,
  kChangeProperty = 6,
  kChangeColour = 7,
  kChangeFormAdded = 8,
  kChangeMdiFormAdded = 9,
  kChangeModuleAdded = 10,
  kChangeClassModuleAdded = 11,
  kChangeCode = 12,
  kChangeFormResized = 13,
  kChangeFormMoved = 14,
  kChangeUndone = 15,
  kChangeRedone = 16,
};

DWORD HostOptions();
// Sets the options and returns the previous ones.
DWORD ChangeHostOptions(DWORD options);
bool HostWants(DWORD option);

// Tells the host of a change the user made, if it asked to hear of them
// and no UnreportedChanges scope is open.
void ReportChange(HostChange what, HWND about);

// Asks the host whether "&Exit" (IDM_EXIT) or WM_CLOSE may shut the
// environment down; true when it may (or the host did not ask to be asked).
bool HostAllowsExit(HWND frame, UINT trigger);

// While one lives, nothing is reported: the host is at work through the
// exports, or the library is inside a change it reports once at the end.
class UnreportedChanges {
 public:
  UnreportedChanges();
  ~UnreportedChanges();
  UnreportedChanges(const UnreportedChanges&) = delete;
  UnreportedChanges& operator=(const UnreportedChanges&) = delete;
  static bool Active();
};

}  // namespace kelp
