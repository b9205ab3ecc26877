#include "untBitmap32.h"

#include <algorithm>
#include <cstdlib>

namespace candora {

const char* const kDefaultFontName = "ＭＳ ゴシック";

TColor32 blendSourceOver(TColor32 source, TColor32 destination) {
  const uint32_t sa = alphaOf(source);
  if (sa == 255) return source;
  if (sa == 0) return destination;
  const uint32_t da = alphaOf(destination);
  // Everything scaled by 255 × 255 so that the only rounding is the final division.
  const uint32_t keep = da * (255 - sa);           // destination weight × 255
  const uint32_t outA255 = sa * 255 + keep;         // result alpha × 255
  auto channel = [&](uint32_t s, uint32_t d) {
    const uint32_t num = s * sa * 255 + d * keep;
    return (num + outA255 / 2) / outA255;
  };
  const uint32_t a = (outA255 + 127) / 255;
  return color32(uint8_t(channel(redOf(source), redOf(destination))),
                 uint8_t(channel(greenOf(source), greenOf(destination))),
                 uint8_t(channel(blueOf(source), blueOf(destination))), uint8_t(a));
}

TBitmap32::TBitmap32(int32_t width, int32_t height) { setSize(width, height); }

void TBitmap32::setSize(int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  bits_.assign(std::size_t(width) * std::size_t(height), 0u);
}

void TBitmap32::clear(TColor32 color) { std::fill(bits_.begin(), bits_.end(), color); }

TColor32 TBitmap32::getPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return scanLine(y)[x];
}

void TBitmap32::setPixel(int32_t x, int32_t y, TColor32 color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  scanLine(y)[x] = color;
}

void TBitmap32::fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, TColor32 color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  for (int32_t y = top; y < bottom; ++y) std::fill(scanLine(y) + left, scanLine(y) + right, color);
}

namespace {

// Rounds a / b to the nearest integer, halves upward, for b > 0.
int64_t divRound(int64_t a, int64_t b) {
  const int64_t n = 2 * a + b;
  const int64_t d = 2 * b;
  return n >= 0 ? n / d : -((-n + d - 1) / d);
}

}  // namespace

void TBitmap32::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor32 color, bool drawLastPixel) {
  const int64_t dx = int64_t(x2) - x1;
  const int64_t dy = int64_t(y2) - y1;
  const int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
  const int64_t last = drawLastPixel ? steps : steps - 1;
  if (last < 0) return;

  // Step along the longer axis and only over the part of it that lies inside the bitmap, so a
  // line with far-away ends costs no more than one across the bitmap.
  const bool alongX = std::llabs(dx) >= std::llabs(dy);
  const int64_t start = alongX ? x1 : y1;
  const int64_t dir = (alongX ? dx : dy) >= 0 ? 1 : -1;
  const int64_t limit = alongX ? width_ : height_;
  int64_t first = 0;
  int64_t stop = last;
  if (dir > 0) {
    first = std::max<int64_t>(first, -start);
    stop = std::min<int64_t>(stop, limit - 1 - start);
  } else {
    first = std::max<int64_t>(first, start - (limit - 1));
    stop = std::min<int64_t>(stop, start);
  }
  for (int64_t i = first; i <= stop; ++i) {
    const int64_t major = start + dir * i;
    const int64_t minor = steps == 0 ? (alongX ? y1 : x1)
                                     : (alongX ? y1 + divRound(i * dy, steps) : x1 + divRound(i * dx, steps));
    const int64_t x = alongX ? major : minor;
    const int64_t y = alongX ? minor : major;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) continue;
    TColor32& p = scanLine(int32_t(y))[x];
    p = blendSourceOver(color, p);
  }
}

void TBitmap32::drawTo(TBitmap32& target, const TRect& destRect, const TRect& sourceRect) const {
  // The source rectangle is clipped to this bitmap first: what lies outside has no pixels to show.
  TRect src = sourceRect;
  src.left = std::max(src.left, 0);
  src.top = std::max(src.top, 0);
  src.right = std::min(src.right, width_);
  src.bottom = std::min(src.bottom, height_);
  if (src.isEmpty() || destRect.isEmpty()) return;
  const int64_t dw = destRect.width(), dh = destRect.height();
  const int64_t sw = sourceRect.width(), sh = sourceRect.height();
  const int32_t x0 = std::max(destRect.left, 0), x1 = std::min(destRect.right, target.width_);
  const int32_t y0 = std::max(destRect.top, 0), y1 = std::min(destRect.bottom, target.height_);
  const bool blend = drawMode_ == TDrawMode::dmBlend;
  for (int32_t y = y0; y < y1; ++y) {
    // Sample at the centre of each destination pixel, scaled over the whole requested rectangles.
    const int64_t sy = sourceRect.top + ((2 * int64_t(y - destRect.top) + 1) * sh) / (2 * dh);
    if (sy < src.top || sy >= src.bottom) continue;
    const TColor32* srcLine = scanLine(int32_t(sy));
    TColor32* dstLine = target.scanLine(y);
    for (int32_t x = x0; x < x1; ++x) {
      const int64_t sx = sourceRect.left + ((2 * int64_t(x - destRect.left) + 1) * sw) / (2 * dw);
      if (sx < src.left || sx >= src.right) continue;
      const TColor32 c = srcLine[sx];
      dstLine[x] = blend ? blendSourceOver(c, dstLine[x]) : c;
    }
  }
}

void TBitmap32::drawTo(TBitmap32& target, int32_t x, int32_t y) const { drawTo(target, x, y, getBoundsRect()); }

void TBitmap32::drawTo(TBitmap32& target, int32_t x, int32_t y, const TRect& sourceRect) const {
  drawTo(target, TRect{x, y, x + sourceRect.width(), y + sourceRect.height()}, sourceRect);
}

void TBitmap32::setFont(const std::string& name, int32_t size) {
  fontName_ = name;
  fontSize_ = size;
}

}  // namespace candora
