// Where the properties window and the colour picker draw their parts, as
// plain rectangles (right and bottom exclusive). A row rectangle is the one
// the list box hands to its owner for an item: (0, top, list width, bottom).
#pragma once

#include "core/geometry.h"

namespace kelp {

// The properties window.
inline constexpr int kObjectBoxHeight = 15;
inline constexpr int kPropertyListTop = 25;
inline constexpr int kPropertyListHeightMargin = 80;  // list height = client height - 80
inline constexpr int kPanelInset = 5;
inline constexpr int kPanelGapBelowList = 35;  // panel top = list client height + 35
inline constexpr int kHeadingInset = 4;
inline constexpr int kHeadingHeight = 25;
inline constexpr int kDescriptionTop = 20;
inline constexpr int kDescriptionBottomInset = 2;

// The property list's rows.
inline constexpr int kNameColumnWidth = 100;  // the divider is drawn at x = 99
inline constexpr int kNameInset = 4;
inline constexpr int kListItemWidth = 200;
inline constexpr int kRowHeightExtra = 3;  // row height = text height + 3

// The description panel below the list, in the window's client coordinates.
constexpr Rect DescriptionPanel(int listClientHeight, int clientWidth, int clientHeight) {
  return {kPanelInset, listClientHeight + kPanelGapBelowList, clientWidth - kPanelInset,
          clientHeight - kPanelInset};
}
// The panel's bottom line and right column, drawn light over its frame.
constexpr Rect PanelBottomLine(const Rect& panel) {
  return {panel.left, panel.bottom - 1, panel.right, panel.bottom};
}
constexpr Rect PanelRightLine(const Rect& panel) {
  return {panel.right - 1, panel.top, panel.right, panel.bottom};
}
constexpr Rect DescriptionHeading(const Rect& panel) {
  return {panel.left + kHeadingInset, panel.top, panel.right, panel.top + kHeadingHeight};
}
constexpr Rect DescriptionText(const Rect& panel) {
  return {panel.left + kHeadingInset, panel.top + kDescriptionTop, panel.right,
          panel.bottom - kDescriptionBottomInset};
}

// The grid: each row's frame starts on the bottom line of the row above.
constexpr Rect RowFrame(const Rect& row) {
  return {row.left, row.top - 1, row.right, row.bottom};
}
constexpr Rect NameColumnFrame(const Rect& row) {
  return {row.left, row.top - 1, kNameColumnWidth, row.bottom};
}
constexpr Rect SelectedNameFill(const Rect& row) {
  return {row.left, row.top, kNameColumnWidth, row.bottom};
}
constexpr Rect NameText(const Rect& row) {
  return {row.left + kNameInset, row.top, row.left + kNameInset + kNameColumnWidth, row.bottom};
}
constexpr Rect ValueText(const Rect& row) {
  return {kNameColumnWidth, row.top - 3, row.right, row.bottom};
}

// The " BkColor" row's value: a swatch and the colour's text.
constexpr Rect ColourValueFill(const Rect& row) {
  return {kNameColumnWidth, row.top - 1, row.right, row.bottom};
}
constexpr Rect ColourValueSwatch(const Rect& row) {
  return {kNameColumnWidth + 2, row.top + 2, kNameColumnWidth + 14, row.bottom - 3};
}
constexpr Rect ColourValueText(const Rect& row) {
  return {kNameColumnWidth + 20, row.top, row.right - (row.bottom - row.top + 1), row.bottom - 1};
}

// The in-place editor covers the value column, inside the grid lines.
constexpr Rect EditorPlace(const Rect& row) {
  return {kNameColumnWidth, row.top, kNameColumnWidth + (row.right - row.left - 101), row.bottom - 1};
}

// The colour field, in its own client coordinates (w x h).
constexpr Rect FieldSwatch(int /*width*/, int height) {
  return {2, 2, 14, height - 2};
}
constexpr Rect FieldColourText(int width, int height) {
  return {20, 0, width - height, height};
}
constexpr Rect FieldButton(int width, int height) {
  return {width - height, 0, width, height};
}

// The same button and the pop-up under it, from the field's screen rectangle.
inline constexpr int kPopupWidth = 190;
inline constexpr int kPopupHeight = 185;
constexpr Rect DropDownButton(const Rect& field) {
  return {field.right - (field.bottom - field.top), field.top, field.right, field.bottom};
}
constexpr Rect PopupPlace(const Rect& field) {
  return {field.right - kPopupWidth, field.bottom, field.right, field.bottom + kPopupHeight};
}

// The pop-up's children.
inline constexpr Rect kPickerTabPlace = {4, 4, 4 + 180, 4 + 175};
inline constexpr Rect kPickerPagePlace = {3, 25, 3 + 172, 25 + 145};
inline constexpr Rect kSystemListPlace = {2, 2, 2 + 170, 2 + 155};

// The palette page's picture: a 180 x 180 image of which the top-left
// 142 x 142 pixels are shown; the cells sit on a grey square.
inline constexpr int kPaletteImageSize = 180;
inline constexpr int kPaletteShownSize = 142;
inline constexpr Rect kPaletteBackground = {2, 2, 142, 142};
inline constexpr int kHighlightMargin = 3;
constexpr Rect Grown(const Rect& r, int by) {
  return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// A row of the system colour list.
inline constexpr int kSystemRowWidth = 190;
inline constexpr int kSystemRowHeight = 20;
constexpr Rect SystemRowSwatch(const Rect& row) {
  return {row.left + 4, row.top + 4, row.left + 14, row.bottom - 4};
}
constexpr Rect SystemRowName(const Rect& row) {
  return {row.left + 20, row.top, row.right, row.bottom};
}

}  // namespace kelp
