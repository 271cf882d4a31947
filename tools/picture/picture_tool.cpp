// Turns the library's pictures, kept as readable text, into the files the
// build needs: .ico icons and .bmp bitmaps for the resource script, or a
// C++ array holding a BMP file image for pictures the library keeps in its data.
//
// Source format (one directive a line, '#' starts a comment line):
//   format icon | bmp4 | bmp24
//   colour <char> transparent | <RRGGBB>     (palette order is file order)
//   image <width> <height>                   (then <height> rows of pixels)
//   image <width> <height> fill <char>       (no rows: filled, then tiles)
//   tile <x> <y> <width> <height>            (then <height> rows, placed at
//                                             x, y of the image above)
// A strip of pictures is one filled image with a tile for each picture, so
// that every picture reads on its own in the source and in a diff.
//
// Usage: picture_tool <source.txt> <output.ico|.bmp>
//        picture_tool --array <symbol> <source.txt> <output.inc>
//        picture_tool --icon-group <first image number> <source.txt> <output>
// --icon-group writes the directory of an icon resource (RT_GROUP_ICON)
// whose images are the icon images numbered from <first image number> on,
// for more icon numbers that show one picture without copies of its images.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Colour {
  bool transparent = false;
  std::uint8_t r = 0, g = 0, b = 0;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::string> rows;  // top row first
};

// The rectangle of an image that the rows which follow a directive fill.
struct Block {
  Image* image = nullptr;
  int x = 0, y = 0, width = 0, height = 0;
  int rowsRead = 0;
  bool Open() const { return image != nullptr && rowsRead < height; }
};

struct Picture {
  std::string format;
  std::vector<char> paletteOrder;
  std::map<char, Colour> palette;
  std::vector<Image> images;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", where.c_str(), what.c_str());
  std::exit(1);
}

Picture Parse(const std::string& path) {
  std::ifstream in(path);
  if (!in) Fail(path, "cannot open");
  Picture picture;
  std::string line;
  int lineNumber = 0;
  Block pending;
  auto where = [&] { return path + ":" + std::to_string(lineNumber); };
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (pending.Open()) {
      if (static_cast<int>(line.size()) != pending.width) {
        Fail(where(), "row has " + std::to_string(line.size()) + " pixels, expected " +
                          std::to_string(pending.width));
      }
      for (char c : line) {
        if (picture.palette.count(c) == 0) Fail(where(), std::string("no colour for '") + c + "'");
      }
      pending.image->rows[pending.y + pending.rowsRead].replace(pending.x, pending.width, line);
      ++pending.rowsRead;
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string directive;
    words >> directive;
    if (directive == "format") {
      words >> picture.format;
      if (picture.format != "icon" && picture.format != "bmp4" && picture.format != "bmp24") {
        Fail(where(), "unknown format " + picture.format);
      }
    } else if (directive == "colour") {
      std::string key, value;
      words >> key >> value;
      if (key.size() != 1) Fail(where(), "a colour key is one character");
      Colour colour;
      if (value == "transparent") {
        colour.transparent = true;
      } else {
        if (value.size() != 6) Fail(where(), "colour is RRGGBB");
        const unsigned long rgb = std::stoul(value, nullptr, 16);
        colour.r = static_cast<std::uint8_t>(rgb >> 16);
        colour.g = static_cast<std::uint8_t>(rgb >> 8);
        colour.b = static_cast<std::uint8_t>(rgb);
      }
      if (picture.palette.count(key[0]) != 0) Fail(where(), "colour defined twice");
      picture.palette[key[0]] = colour;
      picture.paletteOrder.push_back(key[0]);
    } else if (directive == "image") {
      Image image;
      std::string fill, fillKey;
      words >> image.width >> image.height >> fill >> fillKey;
      if (image.width <= 0 || image.height <= 0) Fail(where(), "bad image size");
      const bool filled = fill == "fill";
      if (filled && (fillKey.size() != 1 || picture.palette.count(fillKey[0]) == 0)) {
        Fail(where(), "fill needs one character of the palette");
      }
      if (!filled && !fill.empty()) Fail(where(), "expected 'fill <char>' after the size");
      image.rows.assign(image.height, std::string(image.width, filled ? fillKey[0] : ' '));
      picture.images.push_back(image);
      Image* added = &picture.images.back();
      pending = filled ? Block{} : Block{added, 0, 0, image.width, image.height};
    } else if (directive == "tile") {
      if (picture.images.empty()) Fail(where(), "a tile belongs to an image above it");
      Image* image = &picture.images.back();
      Block block{image};
      words >> block.x >> block.y >> block.width >> block.height;
      if (!words || block.x < 0 || block.y < 0 || block.width <= 0 || block.height <= 0 ||
          block.x + block.width > image->width || block.y + block.height > image->height) {
        Fail(where(), "tile lies outside its image");
      }
      pending = block;
    } else {
      Fail(where(), "unknown directive " + directive);
    }
  }
  if (pending.Open()) Fail(path, "image ends early");
  if (picture.images.empty()) Fail(path, "no image");
  if (picture.format.empty()) Fail(path, "no format");
  return picture;
}

class Bytes {
 public:
  void U8(std::uint32_t v) { data_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(std::uint32_t v) { U8(v); U8(v >> 8); }
  void U32(std::uint32_t v) { U16(v); U16(v >> 16); }
  void Append(const Bytes& other) { data_.insert(data_.end(), other.data_.begin(), other.data_.end()); }
  std::size_t Size() const { return data_.size(); }
  const std::vector<std::uint8_t>& Data() const { return data_; }

 private:
  std::vector<std::uint8_t> data_;
};

int RowStride(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

// The colour table of a 4-bit icon image: black first, since a pixel the
// mask makes transparent must draw nothing over the screen (XOR with 0),
// then the opaque colours in palette order. Every icon has at most 16.
std::vector<char> IconTable(const Picture& picture) {
  std::vector<char> table{'\0'};
  for (char key : picture.paletteOrder) {
    const Colour& colour = picture.palette.at(key);
    if (colour.transparent) continue;
    if (colour.r == 0 && colour.g == 0 && colour.b == 0) {
      table[0] = key;
    } else {
      table.push_back(key);
    }
  }
  if (table.size() > 16) Fail("icon", "more than 16 colours (black counted)");
  return table;
}

constexpr int kIconBits = 4;
constexpr int kIconTableSize = 16;

// A 4-bit image with its AND mask, as an icon directory entry holds it. The
// pictures are drawn with at most 16 colours and either opaque or
// transparent pixels, so a table of 16 colours and the mask draw exactly
// what 32-bit pixels with alpha would, in an eighth of the bytes.
Bytes IconImage(const Picture& picture, const Image& image) {
  const std::vector<char> table = IconTable(picture);
  Bytes bytes;
  bytes.U32(40);
  bytes.U32(image.width);
  bytes.U32(image.height * 2);  // colour and mask together
  bytes.U16(1);
  bytes.U16(kIconBits);
  bytes.U32(0);
  bytes.U32(0);
  bytes.U32(0);
  bytes.U32(0);
  bytes.U32(kIconTableSize);
  bytes.U32(0);
  for (int i = 0; i < kIconTableSize; ++i) {
    const bool used = i < static_cast<int>(table.size()) && table[i] != '\0';
    const Colour colour = used ? picture.palette.at(table[i]) : Colour{};
    bytes.U8(colour.b);
    bytes.U8(colour.g);
    bytes.U8(colour.r);
    bytes.U8(0);
  }
  const int stride = RowStride(image.width, kIconBits);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      const char key = image.rows[y][x];
      const auto found = std::find(table.begin(), table.end(), key);
      const int index = picture.palette.at(key).transparent || found == table.end()
                            ? 0
                            : static_cast<int>(found - table.begin());
      row[x / 2] |= static_cast<std::uint8_t>(index << (x % 2 == 0 ? 4 : 0));
    }
    for (std::uint8_t b : row) bytes.U8(b);
  }
  const int maskStride = RowStride(image.width, 1);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < image.width; ++x) {
      if (picture.palette.at(image.rows[y][x]).transparent) row[x / 8] |= 0x80 >> (x % 8);
    }
    for (std::uint8_t b : row) bytes.U8(b);
  }
  return bytes;
}

// The head of an icon directory and the part of an entry that an .ico file
// and an icon resource share: the image's size, colour count, planes, bits
// and bytes. The entry then locates the image, by offset or by number.
void IconDirectoryHead(Bytes& directory, const Picture& picture) {
  directory.U16(0);
  directory.U16(1);
  directory.U16(static_cast<std::uint32_t>(picture.images.size()));
}

void IconDirectoryEntry(Bytes& directory, const Image& image, const Bytes& data) {
  directory.U8(image.width >= 256 ? 0 : image.width);
  directory.U8(image.height >= 256 ? 0 : image.height);
  directory.U8(kIconTableSize);
  directory.U8(0);
  directory.U16(1);
  directory.U16(kIconBits);
  directory.U32(static_cast<std::uint32_t>(data.Size()));
}

Bytes IconFile(const Picture& picture) {
  Bytes header;
  IconDirectoryHead(header, picture);
  std::vector<Bytes> images;
  for (const Image& image : picture.images) images.push_back(IconImage(picture, image));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    IconDirectoryEntry(header, picture.images[i], images[i]);
    header.U32(offset);
    offset += static_cast<std::uint32_t>(images[i].Size());
  }
  for (const Bytes& image : images) header.Append(image);
  return header;
}

// What the resource compiler makes of an .ico file's directory: each entry
// names its image by its number among the module's icon images instead of
// its offset in the file.
Bytes IconGroup(const Picture& picture, std::uint32_t firstImage) {
  Bytes group;
  IconDirectoryHead(group, picture);
  for (std::size_t i = 0; i < picture.images.size(); ++i) {
    const Image& image = picture.images[i];
    IconDirectoryEntry(group, image, IconImage(picture, image));
    group.U16(firstImage + static_cast<std::uint32_t>(i));
  }
  return group;
}

Bytes BmpFile(const Picture& picture) {
  if (picture.images.size() != 1) Fail(picture.format, "a bitmap holds one image");
  const Image& image = picture.images.front();
  const bool indexed = picture.format == "bmp4";
  const int bits = indexed ? 4 : 24;
  if (indexed && picture.paletteOrder.size() > 16) Fail("bmp4", "more than 16 colours");
  const std::uint32_t paletteBytes = indexed ? 4 * static_cast<std::uint32_t>(picture.paletteOrder.size()) : 0;
  const int stride = RowStride(image.width, bits);
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(stride * image.height);
  const std::uint32_t offset = 14 + 40 + paletteBytes;
  std::map<char, int> index;
  for (std::size_t i = 0; i < picture.paletteOrder.size(); ++i) index[picture.paletteOrder[i]] = static_cast<int>(i);

  Bytes bytes;
  bytes.U8('B');
  bytes.U8('M');
  bytes.U32(offset + pixelBytes);
  bytes.U32(0);
  bytes.U32(offset);
  bytes.U32(40);
  bytes.U32(image.width);
  bytes.U32(image.height);  // positive: rows stored bottom-up
  bytes.U16(1);
  bytes.U16(bits);
  bytes.U32(0);  // BI_RGB
  bytes.U32(pixelBytes);
  bytes.U32(0);
  bytes.U32(0);
  bytes.U32(indexed ? static_cast<std::uint32_t>(picture.paletteOrder.size()) : 0);
  bytes.U32(indexed ? static_cast<std::uint32_t>(picture.paletteOrder.size()) : 0);
  for (char key : picture.paletteOrder) {
    const Colour& colour = picture.palette.at(key);
    if (colour.transparent) Fail("bitmap", "bitmaps have no transparent colour");
    if (!indexed) continue;  // a 24-bit bitmap has no colour table
    bytes.U8(colour.b);
    bytes.U8(colour.g);
    bytes.U8(colour.r);
    bytes.U8(0);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      const char key = image.rows[y][x];
      if (indexed) {
        row[x / 2] |= static_cast<std::uint8_t>(index[key] << (x % 2 == 0 ? 4 : 0));
      } else {
        const Colour& colour = picture.palette.at(key);
        row[3 * x] = colour.b;
        row[3 * x + 1] = colour.g;
        row[3 * x + 2] = colour.r;
      }
    }
    for (std::uint8_t b : row) bytes.U8(b);
  }
  return bytes;
}

void WriteBinary(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.Data().data()), static_cast<std::streamsize>(bytes.Size()));
  if (!out) Fail(path, "cannot write");
}

void WriteArray(const std::string& path, const std::string& symbol, const std::string& source, const Bytes& bytes) {
  std::ofstream out(path);
  out << "// Made from " << source << " by picture_tool; edit the text source, not this file.\n";
  out << "alignas(4) inline constexpr unsigned char " << symbol << "[" << bytes.Size() << "] = {";
  for (std::size_t i = 0; i < bytes.Size(); ++i) {
    if (i % 16 == 0) out << "\n   ";
    out << " " << static_cast<int>(bytes.Data()[i]) << ",";
  }
  out << "\n};\n";
  if (!out) Fail(path, "cannot write");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--array") {
    const Picture picture = Parse(argv[3]);
    if (picture.format == "icon") Fail(argv[3], "icons go to the resource script, not to an array");
    WriteArray(argv[4], argv[2], argv[3], BmpFile(picture));
    return 0;
  }
  if (argc == 5 && std::string(argv[1]) == "--icon-group") {
    const Picture picture = Parse(argv[3]);
    if (picture.format != "icon") Fail(argv[3], "only an icon has an icon directory");
    const long first = std::strtol(argv[2], nullptr, 10);
    if (first < 1 || first + static_cast<long>(picture.images.size()) > 65536) Fail(argv[2], "not an image number");
    WriteBinary(argv[4], IconGroup(picture, static_cast<std::uint32_t>(first)));
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: picture_tool <source.txt> <output>\n"
                         "       picture_tool --array <symbol> <source.txt> <output.inc>\n"
                         "       picture_tool --icon-group <first image number> <source.txt> <output>\n");
    return 2;
  }
  const Picture picture = Parse(argv[1]);
  WriteBinary(argv[2], picture.format == "icon" ? IconFile(picture) : BmpFile(picture));
  return 0;
}
