// The made pictures as the library and the resource compiler receive them:
// BMP file images with the header values that CreateDIBitmap and the resource
// compiler read, backgrounds that a flood fill from one pixel reaches wherever
// the toolbar and the timer need it to, and icons with both sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

#include "project_strip.inc"
#include "timer_picture.inc"
#include "toolbox_strip.inc"

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U16(const Bytes& bytes, std::size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; }
std::uint32_t U32(const Bytes& bytes, std::size_t at) { return U16(bytes, at) | U16(bytes, at + 2) << 16; }

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r << 16 | g << 8 | b; }

// A BMP file image: its header fields and its pixels as 0xRRGGBB, top row first.
struct Bmp {
  std::size_t bytes = 0;
  std::uint32_t fileSize = 0, pixelOffset = 0, headerSize = 0, planes = 0, bitCount = 0;
  std::uint32_t compression = 0, imageSize = 0, coloursUsed = 0, coloursImportant = 0;
  int width = 0, height = 0;
  bool signature = false;
  std::vector<std::uint32_t> palette;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y) * width + x); }
};

// Reads the bottom-up, uncompressed 4- and 24-bit bitmaps that picture_tool writes.
Bmp ReadBmp(const Bytes& bytes) {
  Bmp bmp;
  bmp.bytes = bytes.size();
  bmp.signature = bytes.at(0) == 'B' && bytes.at(1) == 'M';
  bmp.fileSize = U32(bytes, 2);
  bmp.pixelOffset = U32(bytes, 10);
  bmp.headerSize = U32(bytes, 14);
  bmp.width = static_cast<int>(U32(bytes, 18));
  bmp.height = static_cast<int>(U32(bytes, 22));
  bmp.planes = U16(bytes, 26);
  bmp.bitCount = U16(bytes, 28);
  bmp.compression = U32(bytes, 30);
  bmp.imageSize = U32(bytes, 34);
  bmp.coloursUsed = U32(bytes, 46);
  bmp.coloursImportant = U32(bytes, 50);
  for (std::uint32_t i = 0; i < bmp.coloursUsed; ++i) {
    const std::size_t at = 54 + 4 * i;
    bmp.palette.push_back(Rgb(bytes.at(at + 2), bytes.at(at + 1), bytes.at(at)));
  }
  const std::size_t stride = (bmp.width * bmp.bitCount + 31) / 32 * 4;
  for (int y = 0; y < bmp.height; ++y) {
    const std::size_t row = bmp.pixelOffset + stride * (bmp.height - 1 - y);
    for (int x = 0; x < bmp.width; ++x) {
      if (bmp.bitCount == 24) {
        const std::size_t at = row + 3 * x;
        bmp.pixels.push_back(Rgb(bytes.at(at + 2), bytes.at(at + 1), bytes.at(at)));
      } else {
        const std::uint8_t pair = bytes.at(row + x / 2);
        bmp.pixels.push_back(bmp.palette.at(x % 2 == 0 ? pair >> 4 : pair & 0xF));
      }
    }
  }
  return bmp;
}

template <std::size_t N>
Bmp ReadBmp(const unsigned char (&array)[N]) {
  return ReadBmp(Bytes(array, array + N));
}

Bytes ReadFile(const std::string& name) {
  std::ifstream in(std::string(KELP_PICTURE_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The header fields that differ between the bitmaps; the others are the
// same for all: "BM", a 40-byte information header, one plane, BI_RGB.
struct Header {
  std::size_t bytes;
  std::uint32_t pixelOffset;
  int width, height;
  std::uint32_t bitCount, imageSize, colours;
};

void ExpectBitmapFile(const Bmp& bmp, const Header& expected) {
  EXPECT_EQ(bmp.bytes, expected.bytes);
  EXPECT_TRUE(bmp.signature);
  EXPECT_EQ(bmp.fileSize, expected.bytes);
  EXPECT_EQ(bmp.pixelOffset, expected.pixelOffset);
  EXPECT_EQ(bmp.headerSize, 40u);
  EXPECT_EQ(bmp.width, expected.width);
  EXPECT_EQ(bmp.height, expected.height);
  EXPECT_EQ(bmp.planes, 1u);
  EXPECT_EQ(bmp.bitCount, expected.bitCount);
  EXPECT_EQ(bmp.compression, 0u);
  EXPECT_EQ(bmp.imageSize, expected.imageSize);
  EXPECT_EQ(bmp.coloursUsed, expected.colours);
  EXPECT_EQ(bmp.coloursImportant, expected.colours);
}

// What ExtFloodFill with FLOODFILLSURFACE reaches from (x, y): the pixels of
// that pixel's colour 4-connected to it.
class Flood {
 public:
  Flood(const Bmp& bmp, int x, int y) : width_(bmp.width), reached_(bmp.pixels.size(), false) {
    const std::uint32_t colour = bmp.At(x, y);
    std::vector<std::pair<int, int>> stack{{x, y}};
    while (!stack.empty()) {
      const auto [px, py] = stack.back();
      stack.pop_back();
      if (px < 0 || py < 0 || px >= bmp.width || py >= bmp.height) continue;
      if (Reached(px, py) || bmp.At(px, py) != colour) continue;
      reached_[static_cast<std::size_t>(py) * width_ + px] = true;
      stack.insert(stack.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
    }
  }
  bool Reached(int x, int y) const { return reached_[static_cast<std::size_t>(y) * width_ + x]; }

  // The pixels on the edges of the rectangle that the flood missed.
  int MissedOnEdges(int left, int top, int width, int height) const {
    int missed = 0;
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) {
        const bool edge = x == left || y == top || x == left + width - 1 || y == top + height - 1;
        if (edge && !Reached(x, y)) ++missed;
      }
    }
    return missed;
  }

 private:
  int width_;
  std::vector<bool> reached_;
};

int CountNot(const Bmp& bmp, std::uint32_t colour, int left, int top, int width, int height) {
  int count = 0;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) count += bmp.At(x, y) != colour;
  }
  return count;
}

// A picture is more than a few stray pixels.
constexpr int kLeastPicturePixels = 24;

constexpr int kToolTile = 25;
constexpr int kToolCount = 23;

TEST(ToolboxStrip, IsThe24BitBitmapFileTheToolboxHandsToCreateDIBitmap) {
  ExpectBitmapFile(ReadBmp(kToolboxStrip), {.bytes = 50454, .pixelOffset = 54, .width = 672, .height = 25,
                                            .bitCount = 24, .imageSize = 50400, .colours = 0});
}

TEST(ToolboxStrip, OneBackgroundRegionFromPixel1x1ReachesTheEdgesOfEveryTile) {
  const Bmp strip = ReadBmp(kToolboxStrip);
  const std::uint32_t background = Rgb(192, 192, 192);
  ASSERT_EQ(strip.At(1, 1), background);
  const Flood flood(strip, 1, 1);
  for (int tile = 0; tile < kToolCount; ++tile) {
    EXPECT_EQ(flood.MissedOnEdges(tile * kToolTile, 0, kToolTile, kToolTile), 0) << "tile " << tile;
    EXPECT_GE(CountNot(strip, background, tile * kToolTile, 0, kToolTile, kToolTile), kLeastPicturePixels)
        << "tile " << tile << " holds no picture";
  }
  const int rest = kToolCount * kToolTile;
  EXPECT_EQ(CountNot(strip, background, rest, 0, strip.width - rest, strip.height), 0)
      << "the strip is background after the last tile";
  EXPECT_EQ(flood.MissedOnEdges(rest, 0, strip.width - rest, strip.height), 0);
}

TEST(ProjectStrip, IsTheFourBitBitmapFileWithTheSevenColoursInOrder) {
  const Bmp strip = ReadBmp(kProjectStrip);
  ExpectBitmapFile(strip, {.bytes = 1082, .pixelOffset = 82, .width = 75, .height = 25, .bitCount = 4,
                           .imageSize = 1000, .colours = 7});
  const std::vector<std::uint32_t> colours{Rgb(195, 195, 195), Rgb(3, 3, 3),     Rgb(251, 251, 3),
                                           Rgb(251, 251, 251), Rgb(3, 3, 131),   Rgb(131, 131, 131),
                                           Rgb(3, 130, 3)};
  EXPECT_EQ(strip.palette, colours);
}

TEST(ProjectStrip, ColourZeroFromPixel1x1ReachesTheEdgesOfAllThreeTiles) {
  const Bmp strip = ReadBmp(kProjectStrip);
  ASSERT_EQ(strip.At(1, 1), strip.palette.at(0));
  const Flood flood(strip, 1, 1);
  for (int tile = 0; tile < 3; ++tile) {
    EXPECT_EQ(flood.MissedOnEdges(tile * 25, 0, 25, 25), 0) << "tile " << tile;
    EXPECT_GE(CountNot(strip, strip.palette.at(0), tile * 25, 0, 25, 25), kLeastPicturePixels) << "tile " << tile;
  }
}

TEST(TimerPicture, IsA28By28FourBitBitmapOfFiveGreys) {
  const Bmp timer = ReadBmp(kTimerPicture);
  // 28 four-bit pixels are 14 bytes a row, stored in 16.
  ExpectBitmapFile(timer, {.bytes = 54 + 5 * 4 + 28 * 16, .pixelOffset = 54 + 5 * 4, .width = 28, .height = 28,
                           .bitCount = 4, .imageSize = 28 * 16, .colours = 5});
  std::uint32_t darkest = 255, lightest = 0;
  for (std::uint32_t colour : timer.palette) {
    const std::uint32_t r = colour >> 16, g = colour >> 8 & 0xFF, b = colour & 0xFF;
    EXPECT_TRUE(r == g && g == b) << std::hex << colour << " is not a grey";
    darkest = std::min(darkest, r);
    lightest = std::max(lightest, r);
  }
  EXPECT_LT(darkest, 48u) << "the darkest grey is near-black";
  EXPECT_GT(lightest, 224u) << "the lightest grey is near-white";
}

TEST(TimerPicture, BackgroundFromPixel6x6RunsAroundTheStopwatch) {
  const Bmp timer = ReadBmp(kTimerPicture);
  const std::uint32_t background = Rgb(195, 195, 195);
  ASSERT_EQ(timer.At(6, 6), background);
  const Flood flood(timer, 6, 6);
  EXPECT_EQ(flood.MissedOnEdges(0, 0, 28, 28), 0) << "every border pixel is the filled background";
  EXPECT_GE(CountNot(timer, background, 0, 0, 28, 28), 200) << "the stopwatch fills most of the picture";
}

TEST(Bitmap800, IsSixProjectKindImagesOf32By32InFourBits) {
  const Bytes file = ReadFile("bitmap_800_project_kinds.bmp");
  ASSERT_FALSE(file.empty());
  const Bmp kinds = ReadBmp(file);
  EXPECT_TRUE(kinds.signature);
  EXPECT_EQ(kinds.fileSize, file.size());
  EXPECT_EQ(kinds.width, 192);
  EXPECT_EQ(kinds.height, 32);
  EXPECT_EQ(kinds.bitCount, 4u);
  EXPECT_LE(kinds.coloursUsed, 16u);
  const std::uint32_t white = Rgb(255, 255, 255);
  for (int image = 0; image < 6; ++image) {
    EXPECT_GE(CountNot(kinds, white, image * 32, 0, 32, 32), kLeastPicturePixels) << "image " << image;
  }
}

// One image of an icon file: its size, and whether its top-left pixel is
// transparent in the mask with black (which draws nothing) behind it.
struct IconImage {
  int width = 0, height = 0;
  bool cornerTransparent = false;
  int opaquePixels = 0;
};

std::vector<IconImage> ReadIcon(const Bytes& file) {
  std::vector<IconImage> images;
  if (file.size() < 6 || U16(file, 2) != 1) return images;
  for (std::uint32_t i = 0; i < U16(file, 4); ++i) {
    const std::size_t entry = 6 + 16 * i;
    const std::size_t at = U32(file, entry + 12);
    IconImage image;
    image.width = static_cast<int>(U32(file, at + 4));
    image.height = static_cast<int>(U32(file, at + 8)) / 2;
    if (U16(file, at + 14) != 4 || U32(file, at + 32) != 16) return {};
    const std::size_t table = at + U32(file, at);
    const std::size_t colours = table + 4 * 16;
    const std::size_t stride = (image.width * 4 + 31) / 32 * 4;
    const std::size_t mask = colours + stride * image.height;
    const std::size_t maskStride = (image.width + 31) / 32 * 4;
    auto transparent = [&](std::size_t x, std::size_t row) {
      return (file.at(mask + maskStride * row + x / 8) & (0x80 >> (x % 8))) != 0;
    };
    auto index = [&](std::size_t x, std::size_t row) {
      const std::uint8_t pair = file.at(colours + stride * row + x / 2);
      return x % 2 == 0 ? pair >> 4 : pair & 0xF;
    };
    for (std::size_t row = 0; row < static_cast<std::size_t>(image.height); ++row) {
      for (std::size_t x = 0; x < static_cast<std::size_t>(image.width); ++x) image.opaquePixels += !transparent(x, row);
    }
    const std::size_t topRow = static_cast<std::size_t>(image.height - 1);  // rows are stored bottom-up
    const bool blackBehind = index(0, topRow) == 0 && file.at(table) == 0 && file.at(table + 1) == 0 &&
                             file.at(table + 2) == 0;
    image.cornerTransparent = transparent(0, topRow) && blackBehind;
    images.push_back(image);
  }
  return images;
}

TEST(Icons, EachHoldsA32And16PixelImageOnATransparentSurround) {
  for (const char* name :
       {"icon_500_form", "icon_501_code", "icon_502_folder", "icon_503_open_folder", "icon_504_project",
        "icon_505_class_module", "icon_506_drive", "icon_1000_folders", "icon_1003_burning_bin", "icon_1005_exit",
        "icon_1300_window", "icon_1301_child_window", "icon_1302_linked_nodes"}) {
    SCOPED_TRACE(name);
    const std::vector<IconImage> images = ReadIcon(ReadFile(std::string(name) + ".ico"));
    ASSERT_EQ(images.size(), 2u);
    for (std::size_t i = 0; i < images.size(); ++i) {
      const int size = i == 0 ? 32 : 16;
      EXPECT_EQ(images[i].width, size);
      EXPECT_EQ(images[i].height, size);
      EXPECT_TRUE(images[i].cornerTransparent);
      EXPECT_GE(images[i].opaquePixels, size * size / 4) << "the " << size << "-pixel image is mostly empty";
    }
  }
}

// Icons 1001, 1002 and 1004 are this directory: the .ico file's own, each
// entry naming its image by number (the resource script makes icon 1000's
// images icon images 1 and 2) instead of by its place in the file.
TEST(Icons, TheFoldersDirectoryNamesIconImages1And2AsTheIconFileDescribesThem) {
  const Bytes icon = ReadFile("icon_1000_folders.ico");
  const Bytes group = ReadFile("group_1000_folders.bin");
  ASSERT_GE(icon.size(), 6u);
  const std::uint32_t count = U16(icon, 4);
  ASSERT_EQ(group.size(), 6 + 14 * count);
  EXPECT_EQ(U16(group, 0), 0u);
  EXPECT_EQ(U16(group, 2), 1u) << "an icon directory, not a cursor's";
  EXPECT_EQ(U16(group, 4), count);
  for (std::uint32_t i = 0; i < count; ++i) {
    SCOPED_TRACE(testing::Message() << "entry " << i);
    const auto entry = group.begin() + 6 + 14 * i;
    // Width, height, colours, reserved, planes, bits and bytes, as in the file.
    EXPECT_TRUE(std::equal(entry, entry + 12, icon.begin() + 6 + 16 * i));
    EXPECT_EQ(U16(group, 6 + 14 * i + 12), i + 1);
  }
}

}  // namespace
