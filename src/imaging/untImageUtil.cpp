#include "untImageUtil.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "untMyMath.h"
#include "untNivraUtil.h"

namespace candora {

namespace {

// Pictures larger than this are refused before any memory is set aside for them.
constexpr png_uint_32 kMaxPictureSide = 16384;

struct DecodedPng {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int colorType = 0;
  bool hasTransparencyTable = false;
  std::vector<png_byte> rgba;  // 4 bytes a pixel, after libpng's expansion of every format to RGBA
};

struct DecodeErrors {
  char message[256] = {};
};

void onPngError(png_structp png, png_const_charp message) {
  auto* errors = static_cast<DecodeErrors*>(png_get_error_ptr(png));
  std::snprintf(errors->message, sizeof errors->message, "%s", message);
  png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {
  // Warnings (an unknown chunk, a bad checksum in an ancillary chunk) do not stop the picture.
}

// libpng reports errors by longjmp, so everything with a destructor lives in the caller and this
// function holds only plain values across setjmp.
bool decodePng(std::FILE* file, DecodedPng& out, std::vector<png_bytep>& rows, DecodeErrors& errors) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors, onPngError, onPngWarning);
  if (!png) {
    std::snprintf(errors.message, sizeof errors.message, "out of memory");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    std::snprintf(errors.message, sizeof errors.message, "out of memory");
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  png_init_io(png, file);
  png_read_info(png, info);

  out.width = png_get_image_width(png, info);
  out.height = png_get_image_height(png, info);
  out.colorType = png_get_color_type(png, info);
  out.hasTransparencyTable = png_get_valid(png, info, PNG_INFO_tRNS) != 0;

  // Every format becomes 8-bit RGBA. A colour key becomes alpha 0 on exactly the pixels of that
  // colour, compared at the file's own bit depth; formats without any transparency get alpha 255.
  if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
  png_set_expand(png);
  png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != std::size_t(out.width) * 4) png_error(png, "unexpected pixel layout");

  out.rgba.resize(std::size_t(out.width) * out.height * 4);
  rows.resize(out.height);
  for (png_uint_32 y = 0; y < out.height; ++y) rows[y] = out.rgba.data() + std::size_t(y) * out.width * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

DecodedPng readPngFile(const std::string& fileName) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
  if (!file) {
    throw EInOutError("Cannot open the picture file " + fileName + ": " + std::strerror(errno));
  }
  png_byte signature[8] = {};
  if (std::fread(signature, 1, sizeof signature, file.get()) != sizeof signature ||
      png_sig_cmp(signature, 0, sizeof signature) != 0) {
    throw EInOutError("The picture file " + fileName + " is not a PNG picture");
  }
  std::rewind(file.get());
  DecodedPng decoded;
  std::vector<png_bytep> rows;
  DecodeErrors errors;
  if (!decodePng(file.get(), decoded, rows, errors)) {
    throw EInOutError("The picture file " + fileName + " cannot be read: " + errors.message);
  }
  return decoded;
}

}  // namespace

bool loadPngWithAlpha(TBitmap32& bitmap, const std::string& fileName) {
  const DecodedPng png = readPngFile(fileName);

  // What the file's transparency amounts to. A palette's transparency table is not applied: such a
  // picture loads opaque.
  const bool alphaChannel = png.colorType == PNG_COLOR_TYPE_GRAY_ALPHA || png.colorType == PNG_COLOR_TYPE_RGB_ALPHA;
  const bool colorKey = png.hasTransparencyTable &&
                        (png.colorType == PNG_COLOR_TYPE_GRAY || png.colorType == PNG_COLOR_TYPE_RGB);
  const bool applied = alphaChannel || colorKey;

  TBitmap32 result(int32_t(png.width), int32_t(png.height));
  for (png_uint_32 y = 0; y < png.height; ++y) {
    const png_byte* src = png.rgba.data() + std::size_t(y) * png.width * 4;
    TColor32* dst = result.scanLine(int32_t(y));
    for (png_uint_32 x = 0; x < png.width; ++x, src += 4) {
      dst[x] = color32(src[0], src[1], src[2], applied ? src[3] : 255);
    }
  }
  // Only the pixels change hands: the caller's draw mode and font stay.
  const TDrawMode mode = bitmap.getDrawMode();
  const std::string fontName = bitmap.getFontName();
  const int32_t fontSize = bitmap.getFontSize();
  bitmap = std::move(result);
  bitmap.setDrawMode(mode);
  bitmap.setFont(fontName, fontSize);
  return applied;
}

void loadPngImage(TBitmap32& bitmap, const std::string& fileName) {
  const bool transparent = loadPngWithAlpha(bitmap, fileName);
  bitmap.setDrawMode(transparent ? TDrawMode::dmBlend : TDrawMode::dmOpaque);
}

std::string colorToHtml(TColor color) {
  // The program keeps no system colours, so only the three colour bytes count.
  char text[8];
  std::snprintf(text, sizeof text, "#%.2x%.2x%.2x", unsigned(color & 0xFF), unsigned((color >> 8) & 0xFF),
                unsigned((color >> 16) & 0xFF));
  return text;
}

void fillRectBlended(TBitmap32& target, const TRect& rect, TColor32 color) {
  TBitmap32 solid(10, 10);
  solid.setDrawMode(TDrawMode::dmBlend);
  solid.clear(color);
  solid.drawTo(target, rect, TRect{0, 0, 10, 10});
}

void drawTextCentered(TBitmap32& target, const std::string& text, int32_t fontSize, int32_t left, int32_t top,
                      int32_t width, int32_t height, TColor32 color) {
  target.setFont(kDefaultFontName, fontSize);
  const int32_t tw = target.textWidth(text);
  const int32_t th = target.textHeight(text);
  const auto x = int32_t(roundHalfEven(left + width / 2.0 - tw / 2.0));
  const auto y = int32_t(roundHalfEven(top + height / 2.0 - th / 2.0));
  target.renderText(x, y, text, color);
}

}  // namespace candora
