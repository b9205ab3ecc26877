#include <gtest/gtest.h>

#include "PngFixtures.h"
#include "TestSupport.h"
#include "untNumbering.h"

namespace candora {
namespace {

using testing::TempDir;

// Every glyph pixel of the fixture sheet says which cell it belongs to; the last column and row of
// each cell, which no number may show, are a loud white.
constexpr TColor32 kForbidden = 0xFFFFFFFF;
TColor32 cellCode(int row, int size, int cell) { return color32(uint8_t(10 + cell), uint8_t(20 + size), uint8_t(30 + row), 200); }

class Numbering : public ::testing::Test {
protected:
  void SetUp() override {
    TBitmap32 sheet(kDigitCellCount * kDigitCellSizes[2].width, 300);
    for (int row = 0; row < 3; ++row) {
      for (int size = 0; size < 3; ++size) {
        const TDigitCellSize cell = kDigitCellSizes[std::size_t(size)];
        const int top = kDigitRowOffsets[std::size_t(row)] + cell.offset;
        for (int c = 0; c < kDigitCellCount; ++c) {
          sheet.fillRect(c * cell.width, top, (c + 1) * cell.width, top + cell.height, kForbidden);
          sheet.fillRect(c * cell.width, top, (c + 1) * cell.width - 1, top + cell.height - 1, cellCode(row, size, c));
        }
      }
    }
    file_ = dir_.file("numbering.png");
    testing::writeRgbaPng(file_, sheet);
  }

  // Checks that the picture is `text` in cells of the given row and size.
  static void expectCells(const TBitmap32& b, const std::string& text, int row, int size) {
    const TDigitCellSize cell = kDigitCellSizes[std::size_t(size)];
    ASSERT_EQ(b.getWidth(), cell.width * int(text.size()));
    ASSERT_EQ(b.getHeight(), cell.height);
    EXPECT_EQ(b.getDrawMode(), TDrawMode::dmBlend);
    for (std::size_t k = 0; k < text.size(); ++k) {
      const int c = text[k] == '-' ? kMinusCell : text[k] - '0';
      const int left = cell.width * int(k);
      for (int y = 0; y < cell.height; ++y) {
        for (int x = 0; x < cell.width; ++x) {
          const bool glyph = x < cell.width - 1 && y < cell.height - 1;
          ASSERT_EQ(b.getPixel(left + x, y), glyph ? cellCode(row, size, c) : 0u)
              << "'" << text << "' character " << k << " at " << x << "," << y;
        }
      }
    }
  }

  TempDir dir_;
  std::string file_;
};

TEST_F(Numbering, PaddedNumbersCountTheSignAndNeverCut) {
  struct Case {
    int32_t value, digits;
    const char* text;
  };
  const Case cases[] = {{7, 3, "007"}, {1234, 3, "1234"}, {-5, 3, "-05"}, {-123, 3, "-123"},
                        {0, 6, "000000"}, {999, 3, "999"}, {1250, 3, "1250"}, {-7, 2, "-7"},
                        {5, 0, "5"}, {-2147483647 - 1, 3, "-2147483648"}};
  TNumbering numbering(file_);
  for (const Case& c : cases) {
    EXPECT_EQ(paddedNumberText(c.value, c.digits), c.text);
    TBitmap32 b;
    numbering.makePaddedNumberBitmap(b, c.value, c.digits, dcNeutral, dsSmall);
    expectCells(b, c.text, dcNeutral, dsSmall);
  }
}

TEST_F(Numbering, PlainNumbersInEveryRowAndSize) {
  TNumbering numbering(file_);
  EXPECT_EQ(numbering.digitImage.getDrawMode(), TDrawMode::dmBlend);
  const int32_t values[] = {0, 42, -986};
  for (int row = 0; row < 3; ++row) {
    for (int size = 0; size < 3; ++size) {
      for (int32_t v : values) {
        TBitmap32 b(5, 5);
        b.clear(0xFF00FF00);  // whatever the target held is gone
        numbering.makeNumberBitmap(b, v, row, size);
        expectCells(b, std::to_string(v), row, size);
      }
    }
  }
}

TEST_F(Numbering, MissingSheetNamesTheFile) {
  const std::string missing = dir_.file("gone.png");
  try {
    TNumbering numbering(missing);
    FAIL() << "loaded a missing sheet";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos);
  }
}

}  // namespace
}  // namespace candora
