#include "PngFixtures.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace candora::testing {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Plain values only across setjmp; the caller owns everything with a destructor.
bool encode(std::FILE* file, const PngSpec& spec, std::vector<png_bytep>& rows, std::vector<png_color>& palette,
            png_color_16& key) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(spec.width), png_uint_32(spec.height), spec.bitDepth, spec.colorType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
  if (!spec.paletteAlpha.empty()) {
    png_set_tRNS(png, info, spec.paletteAlpha.data(), int(spec.paletteAlpha.size()), nullptr);
  } else if (!spec.colorKey.empty()) {
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

void writePng(const std::string& fileName, const PngSpec& spec) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "wb"));
  if (!file) throw std::runtime_error("cannot create " + fileName);
  const std::size_t stride = spec.pixels.size() / std::size_t(spec.height);
  std::vector<png_bytep> rows;
  auto* data = const_cast<uint8_t*>(spec.pixels.data());
  for (int y = 0; y < spec.height; ++y) rows.push_back(data + stride * std::size_t(y));
  std::vector<png_color> palette;
  for (std::size_t i = 0; i + 2 < spec.palette.size(); i += 3) {
    palette.push_back(png_color{spec.palette[i], spec.palette[i + 1], spec.palette[i + 2]});
  }
  png_color_16 key{};
  if (spec.colorKey.size() == 1) key.gray = spec.colorKey[0];
  if (spec.colorKey.size() == 3) {
    key.red = spec.colorKey[0];
    key.green = spec.colorKey[1];
    key.blue = spec.colorKey[2];
  }
  if (!encode(file.get(), spec, rows, palette, key)) throw std::runtime_error("libpng refused " + fileName);
}

void writeRgbaPng(const std::string& fileName, const TBitmap32& bitmap) {
  PngSpec spec;
  spec.width = bitmap.getWidth();
  spec.height = bitmap.getHeight();
  spec.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  for (TColor32 c : bitmap.getBits()) {
    spec.pixels.insert(spec.pixels.end(), {redOf(c), greenOf(c), blueOf(c), alphaOf(c)});
  }
  writePng(fileName, spec);
}

}  // namespace candora::testing
