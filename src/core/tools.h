// The toolbox's 23 tools. A tool's identifier (49..71) is at once its toolbar
// button's command, the current tool, and the kind code of the controls it
// places; its image is tile (identifier - 49) of the toolbox strip.
#pragma once

#include <array>
#include <cstdint>

#include "core/control_record.h"

namespace kelp {

inline constexpr std::uint32_t kFirstTool = kToolPointer;
inline constexpr std::uint32_t kLastTool = kKindStatusBar;
inline constexpr int kToolCount = static_cast<int>(kLastTool - kFirstTool + 1);

struct ToolTip {
  std::uint32_t tool;
  const char* text;
};

inline constexpr std::array<ToolTip, kToolCount> kToolTips = {{
    {49, "Pointer Tool"},
    {50, "PictureBox"},
    {51, "Static Control"},
    {52, "Edit Control"},
    {53, "Groupbox Control"},
    {54, "Button Control"},
    {55, "Checkbox Control"},
    {56, "Radiobox Control"},
    {57, "Combobox Control"},
    {58, "Listbox Control"},
    {59, "Horz Scroll Control"},
    {60, "Vert Scroll Control"},
    {61, "Timer"},
    {62, "DriveListBox"},
    {63, "DirListBox"},
    {64, "FileListBox Control"},
    {65, "Shape"},
    {66, "Lines"},
    {67, "Image"},
    {68, "Calander Control"},
    {69, "Trackbar Control"},
    {70, "Progress bar Control"},
    {71, "Statusbar"},
}};

inline constexpr int ToolImageIndex(std::uint32_t tool) { return static_cast<int>(tool - kFirstTool); }

}  // namespace kelp
