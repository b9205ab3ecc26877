#pragma once
// Numbers composed of digit pictures for the score board: three colour rows (neutral, gain, loss)
// in three glyph sizes, cut from numbering.png.

#include <array>
#include <cstdint>
#include <string>

#include "untBitmap32.h"

namespace candora {

// Geometry of the digit sheet, shared with the program that draws it.
struct TDigitCellSize {
  int32_t width;
  int32_t height;
  int32_t offset;  // below the top of the colour row
};
constexpr std::array<TDigitCellSize, 3> kDigitCellSizes = {{{13, 20, 0}, {19, 28, 19}, {30, 45, 46}}};
constexpr std::array<int32_t, 3> kDigitRowOffsets = {0, 100, 200};
constexpr int32_t kDigitCellCount = 11;  // 0 to 9, then "-"
constexpr int32_t kMinusCell = 10;

enum TDigitColorRow : int32_t { dcNeutral = 0, dcGain = 1, dcLoss = 2 };
enum TDigitSize : int32_t { dsSmall = 0, dsMedium = 1, dsLarge = 2 };

// The text makePaddedNumberBitmap draws: zeros put in front up to `digits` characters, with a minus
// sign counting as one of them (-5 with 3 digits is "-05"); a longer text is never cut.
std::string paddedNumberText(int32_t value, int32_t digits);

class TNumbering {
public:
  // Loads the digit sheet; the program passes image folder + "numbering.png".
  explicit TNumbering(const std::string& fileName);

  TNumbering(const TNumbering&) = delete;
  TNumbering& operator=(const TNumbering&) = delete;

  // The target becomes the picture of the decimal text of value, in blend mode: one cell per
  // character, each cell's last column and row transparent. colorRow and sizeIndex run 0 to 2
  // (values outside are taken as the nearest of them).
  void makeNumberBitmap(TBitmap32& target, int32_t value, int32_t colorRow, int32_t sizeIndex) const;
  void makePaddedNumberBitmap(TBitmap32& target, int32_t value, int32_t digits, int32_t colorRow,
                              int32_t sizeIndex) const;

  TBitmap32 digitImage;

private:
  void makeTextBitmap(TBitmap32& target, const std::string& text, int32_t colorRow, int32_t sizeIndex) const;
};

}  // namespace candora
