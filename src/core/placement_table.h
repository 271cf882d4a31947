// How a placed control of each kind is named, identified and layered: the
// first button on a form is Button0 with IDC_BUTTON0 and 2000.
#pragma once

#include <array>
#include <cstdint>

#include "core/control_record.h"

namespace kelp {

enum class Layer { kNotTopmost, kBottom, kTopmost };

struct KindRow {
  std::uint32_t kind;
  const char* baseName;
  const char* idPrefix;
  std::uint32_t idBase;
  Layer layer;
};

inline constexpr int kPlacedKinds = 19;

// In the order of a form's name tables.
inline constexpr std::array<KindRow, kPlacedKinds> kKindRows = {{
    {kKindGroupBox, "Groupbox", "IDC_GROUPBOX", 21000, Layer::kBottom},
    {kKindButton, "Button", "IDC_BUTTON", 2000, Layer::kTopmost},
    {kKindTextBox, "Editbox", "IDC_EDITBOX", 3000, Layer::kNotTopmost},
    {kKindLabel, "Static", "IDC_STATIC", 1000, Layer::kNotTopmost},
    {kKindImageBox, "Imagebox", "IDC_IMAGEBOX", 9000, Layer::kNotTopmost},
    {kKindCheckBox, "Checkbox", "IDC_CHECKBOX", 5000, Layer::kNotTopmost},
    {kKindOptionButton, "Radiobox", "IDC_RADIOBOX", 6000, Layer::kNotTopmost},
    {kKindComboBox, "Combobox", "IDC_COMBOBOX", 11000, Layer::kNotTopmost},
    {kKindListBox, "listbox", "IDC_LISTBOX", 10000, Layer::kNotTopmost},
    {kKindVScrollBar, "vscrollbar", "IDC_VSCROLLBAR", 18000, Layer::kNotTopmost},
    {kKindHScrollBar, "hscrollbar", "IDC_HSCROLLBAR", 15000, Layer::kNotTopmost},
    {kKindTrackBar, "trackbar", "IDC_TRACKBAR", 23000, Layer::kNotTopmost},
    {kKindTimer, "timer", "IDC_TIMER", 22000, Layer::kNotTopmost},
    {kKindStatusBar, "statusbar", "IDC_STATUS", 17000, Layer::kTopmost},
    {kKindCalendar, "calender", "IDC_CALENDER", 16000, Layer::kNotTopmost},
    {kKindProgressBar, "progressbar", "IDC_PROGRES", 19000, Layer::kNotTopmost},
    {kKindDirListBox, "dirlistbox", "IDC_DIRLISTBOX", 13000, Layer::kNotTopmost},
    {kKindFileListBox, "filelistbox", "IDC_FILELISTBOX", 12000, Layer::kNotTopmost},
    {kKindDriveListBox, "drivelistbox", "IDC_DRIVELISTBOX", 14000, Layer::kNotTopmost},
}};

// The row of a kind, or its index; null / -1 for tools that place nothing
// (the pointer, 50, 65 and 66).
const KindRow* KindRowFor(std::uint32_t kind);
int KindRowIndex(std::uint32_t kind);

// "Button" + n and "IDC_BUTTON" + n (n in signed decimal).
struct PlacedNames {
  char name[kTextFieldSize];
  char idName[kTextFieldSize];
  std::uint32_t id;
};
PlacedNames NamesFor(const KindRow& row, std::int32_t number);

}  // namespace kelp
