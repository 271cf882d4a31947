#include "controls/context_menus.h"

#include "entry/messages.h"

namespace kelp {

HMENU BuildControlContextMenu() {
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuA(menu, MF_STRING, IDM_VIEWCODE, "&View Code");
  ::AppendMenuA(menu, MF_STRING, IDM_COPY, "&Copy");
  ::AppendMenuA(menu, MF_STRING, IDM_DELETE, "&Delete");
  ::AppendMenuA(menu, MF_STRING, IDM_PROPERTIES, "&Properties");
  return menu;
}

HMENU BuildFormContextMenu() {
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuA(menu, MF_STRING, IDM_VIEWCODE, "&View Code");
  ::AppendMenuA(menu, MF_STRING | MF_GRAYED | MF_DISABLED, IDM_PASTE, "&Paste");
  ::AppendMenuA(menu, MF_STRING, IDM_DELETE, "&Delete");
  ::AppendMenuA(menu, MF_STRING, IDM_PROPERTIES, "&Properties");
  return menu;
}

}  // namespace kelp
