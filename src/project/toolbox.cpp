// The toolbox ("Toolbar_Class", titled "Tools"): one flat, wrapping toolbar
// of 23 check buttons. The checked button is the current tool: what the next
// drag on a form creates.
#include <array>

#include "core/tools.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "project/image_toolbar.h"
#include "win/gdi.h"

namespace kelp {
namespace {

#include "toolbox_strip.inc"

constexpr char kToolboxClassName[] = "Toolbar_Class";
constexpr char kToolboxTitle[] = "Tools";
constexpr int kToolboxWidth = 72;
constexpr int kToolboxHeight = 495;
constexpr int kTileSize = 25;
// The image count the toolbox has always passed; the builder reaches every
// tile of the strip regardless.
constexpr int kToolboxImageCount = 14;

constexpr std::array<ToolbarButtonRow, kToolCount> MakeButtonRows() {
  std::array<ToolbarButtonRow, kToolCount> rows{};
  for (int i = 0; i < kToolCount; ++i) {
    const auto tool = static_cast<int>(kFirstTool) + i;
    rows[i] = {tool, ToolImageIndex(static_cast<std::uint32_t>(tool)), BTNS_CHECK};
  }
  return rows;
}

constexpr std::array<ToolTipRow, kToolCount> MakeToolTipRows() {
  std::array<ToolTipRow, kToolCount> rows{};
  for (int i = 0; i < kToolCount; ++i) rows[i] = {kToolTips[i].tool, kToolTips[i].text};
  return rows;
}

constexpr auto kButtonRows = MakeButtonRows();
constexpr auto kToolTipRows = MakeToolTipRows();

void Toolbox_OnCreate(HWND toolbox) {
  HBITMAP strip = nullptr;
  {
    win::WindowDc dc(toolbox);
    strip = BitmapFromFileImage(dc, kToolboxStrip);  // lives as long as the toolbar
  }
  gWorkspace.toolboxToolbar =
      BuildImageToolbar(toolbox, kTileSize, kTileSize, kButtonRows, kToolboxImageCount, kImageToolbarStyle, strip);
  ::SendMessageA(gWorkspace.toolboxToolbar, TB_CHECKBUTTON, kToolPointer, TRUE);
  gWorkspace.currentTool = kToolPointer;
}

// The toolbar has already toggled the clicked button; release the old one.
void Toolbox_OnCommand(WPARAM command) {
  ::SendMessageA(gWorkspace.toolboxToolbar, TB_CHECKBUTTON, gWorkspace.currentTool, FALSE);
  gWorkspace.currentTool = static_cast<std::uint32_t>(command);
}

LRESULT CALLBACK ToolboxProc(HWND toolbox, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Toolbox_OnCreate(toolbox);
      break;
    case WM_COMMAND:
      Toolbox_OnCommand(wParam);
      break;
    case WM_SIZE:
      ::SendMessageA(gWorkspace.toolboxToolbar, TB_AUTOSIZE, 0, 0);
      break;
    case WM_NOTIFY:
      LookupToolTipText(reinterpret_cast<NMHDR*>(lParam), kToolTipRows);
      break;
    default:
      break;
  }
  return ::DefWindowProcA(toolbox, message, wParam, lParam);
}

}  // namespace
}  // namespace kelp

extern "C" HWND KELP_API Create_Tool_Bar(HWND parent) {
  HWND toolbox = kelp::CreateClassWindow(
      WS_EX_TOOLWINDOW, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, kelp::kToolboxClassName,
      kelp::kToolboxTitle, 0, 0, kelp::kToolboxWidth, kelp::kToolboxHeight, kelp::ToolboxProc, nullptr,
      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), kelp::gWorkspace.hostInstance, parent);
  ::SetParent(toolbox, parent);
  return toolbox;
}
