// The workspace state: the one process-wide record of handles, counters and
// the current selection that every window of the library shares. It lives as
// long as the process, is never reset, and is used on the UI thread only.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "core/control_record.h"

namespace kelp {

struct Workspace {
  char defaultFontFace[6] = "Arial";
  HFONT defaultFont = nullptr;
  HINSTANCE libraryInstance = nullptr;
  HINSTANCE hostInstance = nullptr;
  HWND mdiClient = nullptr;
  HWND mainFrame = nullptr;
  HWND selectedWindow = nullptr;
  std::uint32_t selectedKind = 0;
  // The Button tool until the toolbox exists; the toolbox starts on the Pointer.
  std::uint32_t currentTool = kKindButton;
  HWND propertiesWindow = nullptr;
  HWND toolboxToolbar = nullptr;
  HWND projectTree = nullptr;
  HTREEITEM formsFolderItem = nullptr;
  HWND projectWindow = nullptr;
  HMENU formContextMenu = nullptr;
  HMENU menuBar = nullptr;
  std::uint32_t moduleCounter = 0;
  std::uint32_t classModuleCounter = 0;
  HWND propertyList = nullptr;
  std::uint32_t formCounter = 0;
};

extern Workspace gWorkspace;

}  // namespace kelp
