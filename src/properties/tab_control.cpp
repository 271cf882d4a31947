// Tab controls as the library makes them, and the translation of a tab
// change into the command of the tab now selected.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>
#include <cstring>

#include "properties/colour_picker.h"

namespace kelp {
namespace {

constexpr DWORD kTabBase = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
static_assert(kTabBase == 0x54000000);
// Kind 0 plain; 1 multi-line; 2 buttons; 3 both; 4 owner-drawn buttons that
// never take the focus.
constexpr std::array<DWORD, 5> kTabStyles = {
    kTabBase,
    kTabBase | TCS_MULTILINE,
    kTabBase | TCS_BUTTONS,
    kTabBase | TCS_MULTILINE | TCS_BUTTONS,
    kTabBase | TCS_FOCUSNEVER | TCS_OWNERDRAWFIXED | TCS_MULTILINE | TCS_BUTTONS,
};
static_assert(kTabStyles[4] == 0x5400A300);

constexpr UINT kRaiseTabs = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
static_assert(kRaiseTabs == 0x13);

}  // namespace

HWND CreateTabControl(HWND parent, int x, int y, int width, int height, std::span<const TabName> names,
                      int kind) {
  ::InitCommonControls();
  const DWORD style = kind >= 0 && static_cast<std::size_t>(kind) < kTabStyles.size()
                          ? kTabStyles[static_cast<std::size_t>(kind)]
                          : kTabBase;
  HWND tabs = ::CreateWindowExA(0, WC_TABCONTROLA, nullptr, style, x, y, width, height, parent, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
  int position = 0;
  for (const TabName& name : names) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(name.text);
    item.cchTextMax = static_cast<int>(std::strlen(name.text));
    item.iImage = position;
    ::SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
    ++position;
  }
  return tabs;
}

void TabSelectionToCommand(HWND window, HWND tabControl, const NMHDR* notification,
                           std::span<const std::uint32_t> commands) {
  if (notification == nullptr || notification->code != static_cast<UINT>(TCN_SELCHANGE)) return;
  ::SetWindowPos(tabControl, HWND_TOP, 0, 0, 0, 0, kRaiseTabs);
  const auto position = static_cast<int>(::SendMessageA(tabControl, TCM_GETCURSEL, 0, 0));
  if (const auto command = TabCommandAt(commands, position)) ::SendMessageA(window, WM_COMMAND, *command, 0);
}

}  // namespace kelp
