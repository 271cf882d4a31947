#include "project/image_toolbar.h"

#include <algorithm>
#include <cstring>

#include "win/gdi.h"

namespace kelp {

HBITMAP BitmapFromFileImage(HDC dc, const unsigned char* fileImage) {
  BITMAPFILEHEADER file{};
  std::memcpy(&file, fileImage, sizeof(file));
  const auto* info = reinterpret_cast<const BITMAPINFO*>(fileImage + sizeof(BITMAPFILEHEADER));
  return ::CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, fileImage + file.bfOffBits, info, DIB_RGB_COLORS);
}

HBITMAP FillStripBackground(HBITMAP strip) {
  win::WindowDc screen(nullptr);
  win::MemoryDc memory(screen);
  win::ScopedSelect stripSelection(memory, strip);
  const win::Brush face = win::SolidBrush(::GetSysColor(COLOR_BTNFACE));
  win::ScopedSelect brushSelection(memory, face.Get());
  ::ExtFloodFill(memory, 1, 1, ::GetPixel(memory, 1, 1), FLOODFILLSURFACE);
  return strip;
}

HWND BuildImageToolbar(HWND parent, int imageWidth, int imageHeight, std::span<const ToolbarButtonRow> buttons,
                       int imageCount, DWORD style, HBITMAP strip) {
  ::InitCommonControls();
  HWND toolbar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, style, 0, 100, 10, 10, parent, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELONG(imageWidth, imageHeight));
  FillStripBackground(strip);
  // The toolbar only lets buttons use as many images as it was told the
  // bitmap holds; count the strip's whole tiles so that none is out of reach.
  BITMAP bitmap{};
  ::GetObjectA(strip, sizeof(bitmap), &bitmap);
  const int tiles = imageWidth > 0 ? bitmap.bmWidth / imageWidth : 0;
  TBADDBITMAP addBitmap{nullptr, reinterpret_cast<UINT_PTR>(strip)};
  ::SendMessageA(toolbar, TB_ADDBITMAP, std::max(imageCount, tiles), reinterpret_cast<LPARAM>(&addBitmap));
  ::SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELONG(imageWidth, imageHeight));
  for (const ToolbarButtonRow& row : buttons) {
    TBBUTTON button{};
    button.iBitmap = row.image;
    button.idCommand = row.command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = row.style;
    ::SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
  }
  return toolbar;
}

void LookupToolTipText(NMHDR* notification, std::span<const ToolTipRow> table) {
  if (notification == nullptr || notification->code != TTN_NEEDTEXTA) return;
  for (const ToolTipRow& row : table) {
    if (row.command == notification->idFrom) {
      reinterpret_cast<NMTTDISPINFOA*>(notification)->lpszText = const_cast<char*>(row.text);
      return;
    }
  }
}

}  // namespace kelp
