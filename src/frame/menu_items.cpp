#include "frame/menu_items.h"

#include "entry/workspace.h"
#include "win/gdi.h"

namespace kelp {
namespace {

constexpr int kIconSize = 16;
constexpr int kIconLeft = 3;
constexpr int kIconTop = 2;
constexpr int kTextLeft = 26;
constexpr int kTextRightMargin = 6;
constexpr int kEmbossShift = 2;
// Long texts (the Edit menu's shortcuts) run on to the item's edge rather
// than being cut at the text rectangle.
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_EXPANDTABS;

// Owns an icon loaded without LR_SHARED, which every draw would otherwise leak.
class LoadedIcon {
 public:
  explicit LoadedIcon(UINT id)
      : icon_(static_cast<HICON>(::LoadImageA(gWorkspace.libraryInstance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                              kIconSize, kIconSize, LR_DEFAULTCOLOR))) {}
  LoadedIcon(const LoadedIcon&) = delete;
  LoadedIcon& operator=(const LoadedIcon&) = delete;
  ~LoadedIcon() {
    if (icon_ != nullptr) ::DestroyIcon(icon_);
  }
  HICON Get() const { return icon_; }

 private:
  HICON icon_;
};

void DrawItemText(HDC dc, const char* text, RECT rect, int colour) {
  ::SetTextColor(dc, ::GetSysColor(colour));
  ::DrawTextA(dc, text, -1, &rect, kTextFormat);
}

}  // namespace

// Highlighted when selected; greyed items embossed, or in grey text on the
// highlight. Keyboard-cue bits of the state (ODS_NOACCEL and the like) do
// not change the look.
MenuItemLook LookOfMenuItem(UINT action, UINT state) {
  const bool selected = (state & ODS_SELECTED) != 0;
  const bool greyed = (state & (ODS_GRAYED | ODS_DISABLED)) != 0;
  MenuItemLook look{};
  look.draw = (action & (ODA_DRAWENTIRE | ODA_SELECT)) != 0;
  look.background = selected ? COLOR_HIGHLIGHT : COLOR_MENU;
  if (greyed) {
    look.embossed = !selected;
    look.text = COLOR_GRAYTEXT;
  } else {
    look.text = selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
  }
  return look;
}

void MeasureMenuItem(MEASUREITEMSTRUCT& item) {
  item.itemWidth = kMenuItemWidth;
  item.itemHeight = kMenuItemHeight;
}

void DrawMenuItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == 0) return;
  const MenuItemLook look = LookOfMenuItem(item.itemAction, item.itemState);
  if (!look.draw) return;
  HDC dc = item.hDC;
  ::SetBkMode(dc, TRANSPARENT);
  {
    const win::Brush background = win::SolidBrush(::GetSysColor(look.background));
    ::FillRect(dc, &item.rcItem, background.Get());
  }
  const LoadedIcon icon(item.itemID);
  if (icon.Get() != nullptr) {
    ::DrawIconEx(dc, item.rcItem.left + kIconLeft, item.rcItem.top + kIconTop, icon.Get(), kIconSize,
                 kIconSize, 0, nullptr, DI_NORMAL);
  }
  const auto* text = reinterpret_cast<const char*>(item.itemData);
  if (text == nullptr) return;
  RECT rect = {item.rcItem.left + kTextLeft, item.rcItem.top, item.rcItem.right - kTextRightMargin,
               item.rcItem.bottom};
  if (look.embossed) {
    DrawItemText(dc, text, rect, COLOR_BTNHIGHLIGHT);
    ::OffsetRect(&rect, -kEmbossShift, -kEmbossShift);
  }
  DrawItemText(dc, text, rect, look.text);
}

}  // namespace kelp
