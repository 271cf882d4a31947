#include "properties/edit_field.h"

#include <array>

namespace kelp {
namespace {

struct EditFieldKind {
  DWORD exStyle;
  DWORD style;
};

// WS_CHILD | WS_VISIBLE with scroll bars, border, ES_MULTILINE (4),
// ES_AUTOVSCROLL (0x40), ES_AUTOHSCROLL (0x80) and bit 0x200 as each needs.
constexpr std::array<EditFieldKind, 12> kKinds = {{
    {0, 0x50000080},
    {0, 0x501002C4},
    {0, 0x50200244},
    {0, 0x503002C4},
    {0, 0x50800240},
    {0, 0x509002C4},
    {0, 0x50A00244},
    {0, 0x50B002C4},
    {WS_EX_CLIENTEDGE, 0x500002C0},
    {WS_EX_CLIENTEDGE, 0x501000C4},
    {WS_EX_CLIENTEDGE, 0x50200044},
    {WS_EX_CLIENTEDGE, 0x503000C4},
}};
static_assert(kKinds[0].style == (WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL));

}  // namespace

HWND CreateEditField(HWND parent, int x, int y, int width, int height, int kind, int identifier) {
  if (kind < 0 || static_cast<std::size_t>(kind) >= kKinds.size()) return nullptr;
  const EditFieldKind& k = kKinds[static_cast<std::size_t>(kind)];
  return ::CreateWindowExA(k.exStyle, "EDIT", nullptr, k.style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)), ::GetModuleHandleA(nullptr),
                           nullptr);
}

}  // namespace kelp
