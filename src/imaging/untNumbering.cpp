#include "untNumbering.h"

#include <algorithm>
#include <cstdlib>

#include "untImageUtil.h"

namespace candora {

std::string paddedNumberText(int32_t value, int32_t digits) {
  const std::string s = std::to_string(value);
  const auto missing = int64_t(digits) - int64_t(s.size());
  if (missing < 0) return s;
  if (value >= 0) return std::string(std::size_t(missing), '0') + s;
  return "-" + std::string(std::size_t(missing), '0') + s.substr(1);
}

TNumbering::TNumbering(const std::string& fileName) {
  digitImage.setDrawMode(TDrawMode::dmBlend);
  loadPngImage(digitImage, fileName);
}

void TNumbering::makeNumberBitmap(TBitmap32& target, int32_t value, int32_t colorRow, int32_t sizeIndex) const {
  makeTextBitmap(target, std::to_string(value), colorRow, sizeIndex);
}

void TNumbering::makePaddedNumberBitmap(TBitmap32& target, int32_t value, int32_t digits, int32_t colorRow,
                                        int32_t sizeIndex) const {
  makeTextBitmap(target, paddedNumberText(value, digits), colorRow, sizeIndex);
}

void TNumbering::makeTextBitmap(TBitmap32& target, const std::string& text, int32_t colorRow,
                                int32_t sizeIndex) const {
  const TDigitCellSize cell = kDigitCellSizes[std::size_t(std::clamp(sizeIndex, 0, 2))];
  const int32_t y0 = kDigitRowOffsets[std::size_t(std::clamp(colorRow, 0, 2))] + cell.offset;
  const int32_t w = cell.width;

  TBitmap32 picture(w * int32_t(text.size()), cell.height);
  picture.setDrawMode(TDrawMode::dmBlend);
  picture.clear(0);
  for (std::size_t k = 0; k < text.size(); ++k) {
    const int32_t c = text[k] == '-' ? kMinusCell : text[k] - '0';
    // Only the top-left (w − 1) × (h − 1) pixels of a cell belong to its glyph.
    digitImage.drawTo(picture, w * int32_t(k), 0, TRect{c * w, y0, c * w + w - 1, y0 + cell.height - 1});
  }
  target = std::move(picture);
}

}  // namespace candora
