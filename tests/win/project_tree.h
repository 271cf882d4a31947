// Reading the project window's tree as a user sees it: items, their texts,
// images, windows and expansion, and how wide text is drawn.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "harness.h"

namespace kelp::test {

struct TreeEntry {
  std::string text;
  int image = -1;
  int selectedImage = -1;
  bool expanded = false;
  HWND window = nullptr;  // the item's data
  friend bool operator==(const TreeEntry&, const TreeEntry&) = default;
};

struct ProjectTree {
  HWND tree = nullptr;

  HTREEITEM Root() const;
  HTREEITEM Next(HTREEITEM item) const;
  HTREEITEM Selected() const;
  std::vector<HTREEITEM> Children(HTREEITEM parent) const;
  TreeEntry Entry(HTREEITEM item) const;
  // The item's text rectangle in the tree's client coordinates.
  RECT TextRect(HTREEITEM item) const;
  // Inside the tree's client area, not folded away under a collapsed parent.
  bool IsVisible(HTREEITEM item) const;
  // Every item, depth first.
  std::vector<TreeEntry> Snapshot() const;
  // The item whose text is `text`, depth first; nullptr when there is none.
  HTREEITEM Find(const std::string& text) const;
};

// Columns from the leftmost to the rightmost dark pixel in rows [top, bottom)
// at or right of `left`; 0 when there is none.
int InkWidth(const Pixels& pixels, int left, int top, int bottom);

// The same for the text drawn in black on white in the font.
int InkWidthOfText(const std::string& text, HFONT font);

}  // namespace kelp::test
