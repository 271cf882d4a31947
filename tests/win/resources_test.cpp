// The resources of the library's module as its windows load them: every icon
// at 16 x 16 (menu items, tree image lists) and at 32 x 32 (code window class
// icon), drawn with a transparent surround, and bitmap 800 at the size that
// the New Project list cuts into six 32 x 32 images.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "harness.h"
#include "win/gdi.h"

namespace kelp::test {
namespace {

constexpr int kIconIds[] = {500, 501, 502, 503, 504, 505, 506, 1000, 1001, 1002, 1003, 1004, 1005, 1300, 1301, 1302};
constexpr int kKindBitmapId = 800;
constexpr int kKindImageSize = 32;
constexpr int kKindImageCount = 6;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

class Icon {
 public:
  Icon(int id, int size)
      : icon_(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                              size, size, 0))) {}
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;
  ~Icon() {
    if (icon_ != nullptr) ::DestroyIcon(icon_);
  }
  HICON Get() const { return icon_; }

 private:
  HICON icon_;
};

SIZE ColourBitmapSize(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return {0, 0};
  win::Bitmap colour(info.hbmColor);
  win::Bitmap mask(info.hbmMask);
  BITMAP bitmap{};
  ::GetObjectA(colour.Get(), sizeof(bitmap), &bitmap);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

// The icon drawn with DrawIconEx onto magenta, as 0x00RRGGBB pixels, top row first.
std::vector<std::uint32_t> DrawnOnMagenta(HICON icon, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  win::Bitmap canvas(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::MemoryDc dc(nullptr);
  win::ScopedSelect select(dc, canvas.Get());
  const RECT all{0, 0, size, size};
  win::Brush magenta = win::SolidBrush(kMagenta);
  ::FillRect(dc, &all, magenta.Get());
  ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  ::GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> result;
  for (int i = 0; i < size * size; ++i) result.push_back(pixels[i] & 0xFFFFFF);
  return result;
}

TEST(Resources, EveryIconLoadsAt16And32PixelsWithATransparentSurround) {
  constexpr std::uint32_t kMagentaPixel = 0xFF00FF;
  for (int id : kIconIds) {
    for (int size : {16, 32}) {
      SCOPED_TRACE(testing::Message() << "icon " << id << " at " << size);
      Icon icon(id, size);
      ASSERT_NE(icon.Get(), nullptr) << "no such icon resource";
      const SIZE loaded = ColourBitmapSize(icon.Get());
      EXPECT_EQ(loaded.cx, size);
      EXPECT_EQ(loaded.cy, size);
      const std::vector<std::uint32_t> drawn = DrawnOnMagenta(icon.Get(), size);
      EXPECT_EQ(drawn.front(), kMagentaPixel) << "the top-left corner shows what lies behind";
      int painted = 0;
      for (std::uint32_t pixel : drawn) painted += pixel != kMagentaPixel;
      EXPECT_GE(painted, size * size / 4) << "the icon paints a picture";
    }
  }
}

// The File menu's project commands share icon 1000's picture (their icons
// name its images); every other icon shows a picture of its own.
TEST(Resources, Icons1001To1004ShowTheFoldersOfIcon1000AndNoOtherIconDoes) {
  constexpr int kFolders = 1000;
  constexpr int kSharing[] = {1001, 1002, 1004};
  for (int size : {16, 32}) {
    Icon folders(kFolders, size);
    ASSERT_NE(folders.Get(), nullptr);
    const std::vector<std::uint32_t> picture = DrawnOnMagenta(folders.Get(), size);
    for (int id : kIconIds) {
      if (id == kFolders) continue;
      SCOPED_TRACE(testing::Message() << "icon " << id << " at " << size);
      Icon icon(id, size);
      ASSERT_NE(icon.Get(), nullptr);
      const bool sharing = std::find(std::begin(kSharing), std::end(kSharing), id) != std::end(kSharing);
      EXPECT_EQ(DrawnOnMagenta(icon.Get(), size) == picture, sharing)
          << (sharing ? "does not show the folders of icon 1000" : "shows the folders of icon 1000");
    }
  }
}

TEST(Resources, TheCodeWindowIconLoadsAsTheClassIcon) {
  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(501));
  ASSERT_NE(icon, nullptr);
  const SIZE size = ColourBitmapSize(icon);
  EXPECT_EQ(size.cx, ::GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(size.cy, ::GetSystemMetrics(SM_CYICON));
}

TEST(Resources, Bitmap800FillsAnImageListWithSixKindImages) {
  HMODULE module = ::GetModuleHandleA(nullptr);
  win::Bitmap asLoaded(static_cast<HBITMAP>(
      ::LoadImageA(module, MAKEINTRESOURCEA(kKindBitmapId), IMAGE_BITMAP, 192, 32, LR_DEFAULTCOLOR)));
  ASSERT_TRUE(asLoaded);
  BITMAP bitmap{};
  ::GetObjectA(asLoaded.Get(), sizeof(bitmap), &bitmap);
  EXPECT_EQ(bitmap.bmWidth, kKindImageSize * kKindImageCount);
  EXPECT_EQ(bitmap.bmHeight, kKindImageSize);

  HIMAGELIST list = ::ImageList_Create(kKindImageSize, kKindImageSize, ILC_COLOR24, 0, 10);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(::ImageList_Add(list, asLoaded.Get(), nullptr), 0);
  EXPECT_EQ(::ImageList_GetImageCount(list), kKindImageCount);
  ::ImageList_Destroy(list);

  win::Bitmap asStored(static_cast<HBITMAP>(
      ::LoadImageA(module, MAKEINTRESOURCEA(kKindBitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  DIBSECTION section{};
  ASSERT_EQ(::GetObjectA(asStored.Get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
  EXPECT_EQ(section.dsBmih.biBitCount, 4);
  win::MemoryDc dc(nullptr);
  win::ScopedSelect select(dc, asStored.Get());
  EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 255, 255)) << "the images stand on the list's white";
}

}  // namespace
}  // namespace kelp::test
