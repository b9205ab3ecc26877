#pragma once
// The 32-bit picture everything on screen is composed of: the chart layers, the overlays, the
// score board canvas and the label and digit sheets. Pixels are 0xAARRGGBB, not premultiplied, so a
// colour written into a transparent bitmap reads back exactly as written.

#include <cstdint>
#include <string>
#include <vector>

namespace candora {

// 0xAARRGGBB: alpha 0 is transparent, 255 opaque.
using TColor32 = uint32_t;
// 0x00BBGGRR, the form the line colours are kept in; drawn as opaque.
using TColor = uint32_t;

constexpr TColor32 color32(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  return (TColor32(a) << 24) | (TColor32(r) << 16) | (TColor32(g) << 8) | TColor32(b);
}
constexpr uint8_t alphaOf(TColor32 c) { return uint8_t(c >> 24); }
constexpr uint8_t redOf(TColor32 c) { return uint8_t(c >> 16); }
constexpr uint8_t greenOf(TColor32 c) { return uint8_t(c >> 8); }
constexpr uint8_t blueOf(TColor32 c) { return uint8_t(c); }

// The same colour as an opaque 32-bit one.
constexpr TColor32 colorToColor32(TColor c) {
  return color32(uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16));
}

// Porter-Duff source-over of two straight-alpha colours, rounded to the nearest value.
TColor32 blendSourceOver(TColor32 source, TColor32 destination);

// Left, top, right, bottom; right and bottom are exclusive.
struct TRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  constexpr int32_t width() const { return right - left; }
  constexpr int32_t height() const { return bottom - top; }
  constexpr bool isEmpty() const { return right <= left || bottom <= top; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

enum class TDrawMode : uint8_t {
  dmOpaque,  // drawing this bitmap onto another replaces what lies below
  dmBlend,   // drawing it blends by its per-pixel alpha
};

// The face every chart, prompt and result text asks for; a Japanese fixed-pitch gothic stands in
// for it where it is not installed.
extern const char* const kDefaultFontName;

class TBitmap32 {
public:
  TBitmap32() = default;
  TBitmap32(int32_t width, int32_t height);

  int32_t getWidth() const { return width_; }
  int32_t getHeight() const { return height_; }
  TRect getBoundsRect() const { return {0, 0, width_, height_}; }
  bool isEmpty() const { return width_ <= 0 || height_ <= 0; }

  // A new size gives all-zero (transparent black) pixels; the same size keeps the content.
  // Negative sizes count as 0.
  void setSize(int32_t width, int32_t height);
  void clear(TColor32 color = 0);

  TDrawMode getDrawMode() const { return drawMode_; }
  void setDrawMode(TDrawMode mode) { drawMode_ = mode; }

  // Copies size, pixels, draw mode and font.
  void assign(const TBitmap32& source) { *this = source; }

  // Direct pixel access; outside the bitmap getPixel gives 0 and setPixel does nothing.
  TColor32 getPixel(int32_t x, int32_t y) const;
  void setPixel(int32_t x, int32_t y, TColor32 color);
  TColor32* scanLine(int32_t y) { return bits_.data() + std::size_t(y) * std::size_t(width_); }
  const TColor32* scanLine(int32_t y) const { return bits_.data() + std::size_t(y) * std::size_t(width_); }
  const std::vector<TColor32>& getBits() const { return bits_; }

  // Writes the colour as it is (no blending) into the part of the rectangle inside the bitmap.
  void fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, TColor32 color);
  void fillRect(const TRect& rect, TColor32 color) { fillRect(rect.left, rect.top, rect.right, rect.bottom, color); }

  // A straight line blended by the colour's alpha, clipped to the bitmap; drawLastPixel decides
  // whether (x2, y2) itself is drawn.
  void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor32 color, bool drawLastPixel);

  // Draws sourceRect of this bitmap stretched (nearest neighbour) into destRect of target. In blend
  // mode each pixel is blended by its alpha, in opaque mode it replaces the target's pixel.
  // Both rectangles are clipped to their bitmaps without changing the scale.
  void drawTo(TBitmap32& target, const TRect& destRect, const TRect& sourceRect) const;
  void drawTo(TBitmap32& target, const TRect& destRect) const { drawTo(target, destRect, getBoundsRect()); }
  // At natural size with the top-left corner at (x, y).
  void drawTo(TBitmap32& target, int32_t x, int32_t y) const;
  void drawTo(TBitmap32& target, int32_t x, int32_t y, const TRect& sourceRect) const;

  // Text. Sizes are points on a 96 DPI screen (size 9 is 12 pixels high).
  void setFont(const std::string& name, int32_t size);
  void setFontSize(int32_t size) { fontSize_ = size; }
  const std::string& getFontName() const { return fontName_; }
  int32_t getFontSize() const { return fontSize_; }
  int32_t textWidth(const std::string& text) const;
  int32_t textHeight(const std::string& text) const;
  // Renders UTF-8 text with its top-left corner at (x, y), blended over the bitmap.
  void renderText(int32_t x, int32_t y, const std::string& text, TColor32 color, bool antialiased = true);

private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<TColor32> bits_;
  TDrawMode drawMode_ = TDrawMode::dmOpaque;
  std::string fontName_ = kDefaultFontName;
  int32_t fontSize_ = 9;
};

}  // namespace candora
