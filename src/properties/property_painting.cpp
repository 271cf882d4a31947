// Painting the properties window: the rows of the property list in their two
// looks (a grid of name and value columns; the selected row's name on the
// highlight colour), the value column, and the framed description panel.
#include "core/number_format.h"
#include "core/property_layout.h"
#include "core/property_rows.h"
#include "properties/owner_draw.h"
#include "properties/properties.h"
#include "win/draw.h"
#include "win/gdi.h"

namespace kelp {
namespace {

constexpr UINT kDescriptionFormat = DT_WORDBREAK | DT_VCENTER;
static_assert(kDescriptionFormat == 0x14);

const char* RowNameOf(const DRAWITEMSTRUCT& item) {
  return item.itemData != 0 ? reinterpret_cast<const char*>(item.itemData) : "";
}

void DrawGrid(HDC dc, const Rect& row) {
  HBRUSH grid = ::GetSysColorBrush(COLOR_BTNFACE);
  win::FrameArea(dc, RowFrame(row), grid);
  win::FrameArea(dc, NameColumnFrame(row), grid);
}

void DrawNormalLook(HDC dc, const Rect& row, const char* name) {
  win::FillArea(dc, row, ::GetSysColorBrush(COLOR_WINDOW));
  ::SetTextColor(dc, ::GetSysColor(COLOR_MENUTEXT));
  win::DrawTextIn(dc, name, NameText(row), kSingleLineFormat);
  DrawGrid(dc, row);
}

void DrawSelectedLook(HDC dc, const Rect& row, const char* name) {
  win::FillArea(dc, SelectedNameFill(row), ::GetSysColorBrush(COLOR_HIGHLIGHT));
  ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
  win::DrawTextIn(dc, name, NameText(row), kSingleLineFormat);
  DrawGrid(dc, row);
}

void DrawColourValue(HDC dc, const Rect& row, COLORREF colour) {
  win::FillArea(dc, ColourValueFill(row), ::GetSysColorBrush(COLOR_WINDOW));
  const Rect swatch = ColourValueSwatch(row);
  const win::Brush fill = win::SolidBrush(colour);
  win::FillArea(dc, swatch, fill.Get());
  win::FrameArea(dc, swatch, win::BlackBrush());
  char text[kHexColourTextSize];
  FormatHexColor(colour, text);
  ::SetTextColor(dc, ::GetSysColor(COLOR_MENUTEXT));
  win::DrawTextIn(dc, text, ColourValueText(row), kSingleLineFormat);
  win::FrameArea(dc, RowFrame(row), ::GetSysColorBrush(COLOR_BTNFACE));
}

// Several controls show a colour only when all have it.
bool SharedColour(const ControlRecord& record, COLORREF& colour) {
  colour = record.backColour;
  for (const ControlRecord* other : GroupRecords()) {
    if (other->backColour != colour) return false;
  }
  return true;
}

void DrawValue(HDC dc, const Rect& row, int index) {
  const ControlRecord* record = TargetRecord();
  if (record == nullptr) return;
  COLORREF colour = 0;
  switch (ValueOfRow(index)) {
    case RowValue::kNone:
      return;
    case RowValue::kBackColour:
      if (SharedColour(*record, colour)) DrawColourValue(dc, row, colour);
      return;
    default:
      if (gProperties.group.empty()) {
        FormatRowValue(*record, index, gProperties.valueText);
      } else {
        FormatSharedRowValue(GroupRecords(), index, false, gProperties.valueText);
      }
      ::SetTextColor(dc, ::GetSysColor(COLOR_MENUTEXT));
      win::DrawTextIn(dc, gProperties.valueText, ValueText(row), kSingleLineFormat);
      return;
  }
}

}  // namespace

void MeasurePropertyRow(HWND window, MEASUREITEMSTRUCT& item) {
  win::WindowDc dc(window);
  TEXTMETRICA metrics{};
  {
    win::ScopedSelect font(dc, gProperties.listFont);
    ::GetTextMetricsA(dc, &metrics);
  }
  item.itemWidth = kListItemWidth;
  item.itemHeight = static_cast<UINT>(metrics.tmHeight + kRowHeightExtra);
}

// A row that is drawn selected opens its editor; one that loses the
// selection closes it. A row drawn again in a full repaint leaves the editor
// alone, so the editor survives repaints of the rows around it.
void DrawPropertyRow(const DRAWITEMSTRUCT& item) {
  const RowLook look = LookOf(item);
  if (look == RowLook::kNone) return;
  HDC dc = item.hDC;
  const Rect row = RowRect(item);
  const int index = RowOfItem(static_cast<int>(item.itemID));
  ::SetBkMode(dc, TRANSPARENT);
  win::ScopedSelect font(dc, gProperties.listFont);
  if (look == RowLook::kSelected) {
    DrawSelectedLook(dc, row, RowNameOf(item));
    OpenEditor(index, item.rcItem);
    return;
  }
  DrawNormalLook(dc, row, RowNameOf(item));
  if (LostSelection(item) && gProperties.editorRow == index) CloseEditor();
  DrawValue(dc, row, index);
}

void PaintDescriptionPanel(HWND window) {
  win::PaintDc dc(window);
  RECT client{};
  ::GetClientRect(window, &client);
  RECT listClient{};
  if (gProperties.list != nullptr) ::GetClientRect(gProperties.list, &listClient);
  const Rect panel = DescriptionPanel(listClient.bottom, client.right, client.bottom);
  win::FrameArea(dc, panel, ::GetSysColorBrush(COLOR_BTNSHADOW));
  HBRUSH light = ::GetSysColorBrush(COLOR_3DLIGHT);
  win::FillArea(dc, PanelBottomLine(panel), light);
  win::FillArea(dc, PanelRightLine(panel), light);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  win::DrawTextIn(dc, gProperties.descriptionHeading, DescriptionHeading(panel), kSingleLineFormat);
  win::ScopedSelect font(dc, gProperties.listFont);
  win::DrawTextIn(dc, gProperties.descriptionText, DescriptionText(panel), kDescriptionFormat);
}

}  // namespace kelp
