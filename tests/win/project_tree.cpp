#include "project_tree.h"

#include <algorithm>
#include <cstring>

#include "canvas.h"
#include "win/gdi.h"

namespace kelp::test {
namespace {

HTREEITEM Relation(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void Collect(const ProjectTree& tree, HTREEITEM first, std::vector<HTREEITEM>& items) {
  for (HTREEITEM item = first; item != nullptr; item = tree.Next(item)) {
    items.push_back(item);
    Collect(tree, Relation(tree.tree, item, TVGN_CHILD), items);
  }
}

bool IsInk(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 300;
}

}  // namespace

HTREEITEM ProjectTree::Root() const {
  return Relation(tree, nullptr, TVGN_ROOT);
}
HTREEITEM ProjectTree::Next(HTREEITEM item) const {
  return Relation(tree, item, TVGN_NEXT);
}
HTREEITEM ProjectTree::Selected() const {
  return Relation(tree, nullptr, TVGN_CARET);
}

std::vector<HTREEITEM> ProjectTree::Children(HTREEITEM parent) const {
  std::vector<HTREEITEM> children;
  for (HTREEITEM item = Relation(tree, parent, TVGN_CHILD); item != nullptr; item = Next(item)) {
    children.push_back(item);
  }
  return children;
}

TreeEntry ProjectTree::Entry(HTREEITEM item) const {
  char text[260] = {};
  TVITEMA query{};
  query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
  query.hItem = item;
  query.stateMask = TVIS_EXPANDED;
  query.pszText = text;
  query.cchTextMax = sizeof(text);
  TreeEntry entry;
  if (item == nullptr || !::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)))
    return entry;
  entry.text = text;
  entry.image = query.iImage;
  entry.selectedImage = query.iSelectedImage;
  entry.expanded = (query.state & TVIS_EXPANDED) != 0;
  entry.window = reinterpret_cast<HWND>(query.lParam);
  return entry;
}

// TVM_GETITEMRECT takes the item in the rectangle it fills.
bool ItemTextRect(HWND tree, HTREEITEM item, RECT& rect) {
  std::memcpy(&rect, &item, sizeof(item));
  return ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)) != 0;
}

RECT ProjectTree::TextRect(HTREEITEM item) const {
  RECT rect{};
  if (!ItemTextRect(tree, item, rect)) return {};
  return rect;
}

bool ProjectTree::IsVisible(HTREEITEM item) const {
  RECT rect{};
  if (!ItemTextRect(tree, item, rect)) return false;
  RECT client{};
  ::GetClientRect(tree, &client);
  return rect.top >= 0 && rect.bottom <= client.bottom;
}

std::vector<TreeEntry> ProjectTree::Snapshot() const {
  std::vector<HTREEITEM> items;
  Collect(*this, Root(), items);
  std::vector<TreeEntry> entries;
  for (HTREEITEM item : items) entries.push_back(Entry(item));
  return entries;
}

HTREEITEM ProjectTree::Find(const std::string& text) const {
  std::vector<HTREEITEM> items;
  Collect(*this, Root(), items);
  for (HTREEITEM item : items) {
    if (Entry(item).text == text) return item;
  }
  return nullptr;
}

int InkWidth(const Pixels& pixels, int left, int top, int bottom) {
  int first = -1, last = -1;
  for (int x = std::max(left, 0); x < pixels.Width(); ++x) {
    for (int y = std::max(top, 0); y < std::min(bottom, pixels.Height()); ++y) {
      if (IsInk(pixels.At(x, y))) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

int InkWidthOfText(const std::string& text, HFONT font) {
  constexpr int kWidth = 600, kHeight = 40;
  Canvas canvas(kWidth, kHeight, RGB(255, 255, 255));
  win::ScopedSelect selectFont(canvas.Dc(), font);
  ::SetTextColor(canvas.Dc(), RGB(0, 0, 0));
  ::SetBkMode(canvas.Dc(), TRANSPARENT);
  ::TextOutA(canvas.Dc(), 2, 2, text.c_str(), static_cast<int>(text.size()));
  return InkWidth(canvas.Read(), 0, 0, kHeight);
}

}  // namespace kelp::test
