// The pictures the build draws beside the program: they load, the two cut sheets keep their cell
// geometry, and the places where the program writes numbers and text are left clear.
#include <gtest/gtest.h>

#include <algorithm>

#include "untBitmapManager.h"
#include "untNumbering.h"

namespace candora {
namespace {

const std::string kImageDir = CANDORA_IMAGE_DIR;

int brightness(TColor32 c) { return std::max({redOf(c), greenOf(c), blueOf(c)}); }

// The brightest pixel of a rectangle; for opaque sheets that is what a caption or line would show.
int brightestIn(const TBitmap32& b, const TRect& r) {
  int most = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) most = std::max(most, brightness(b.getPixel(x, y)));
  return most;
}

bool anyInk(const TBitmap32& b, const TRect& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (alphaOf(b.getPixel(x, y)) != 0) return true;
  return false;
}

class GeneratedPictures : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    manager_ = new TBitmapManager(kImageDir);
    numbering_ = new TNumbering(kImageDir + "/numbering.png");
  }
  static void TearDownTestSuite() {
    delete manager_;
    delete numbering_;
  }
  static TBitmapManager* manager_;
  static TNumbering* numbering_;
};
TBitmapManager* GeneratedPictures::manager_ = nullptr;
TNumbering* GeneratedPictures::numbering_ = nullptr;

TEST_F(GeneratedPictures, ScoreSheetsFillThePictureAreaAndTheChartBackgroundIsOpaque) {
  const TBitmapManager& m = *manager_;
  for (const TBitmap32* sheet : {&m.todayImage, &m.totalImage, &m.tableImage, &m.maxProfitImage, &m.pairImage,
                                 &m.timeStepImage, &m.barAfterImage}) {
    EXPECT_EQ(sheet->getWidth(), 768);
    EXPECT_EQ(sheet->getHeight(), 410);
  }
  EXPECT_EQ(m.questionImage.getDrawMode(), TDrawMode::dmOpaque);
  for (const TBitmap32* overlay : {&m.bgMaskImage, &m.promptImage, &m.correctImage, &m.wrongImage, &m.evenImage}) {
    EXPECT_EQ(overlay->getDrawMode(), TDrawMode::dmBlend);
  }
}

TEST_F(GeneratedPictures, DigitCellsKeepTheirGlyphsInsideTheUsedPart) {
  const TBitmap32& sheet = numbering_->digitImage;
  ASSERT_GE(sheet.getWidth(), kDigitCellCount * kDigitCellSizes[2].width);
  ASSERT_GE(sheet.getHeight(), kDigitRowOffsets[2] + kDigitCellSizes[2].offset + kDigitCellSizes[2].height);
  for (int row = 0; row < 3; ++row) {
    for (int size = 0; size < 3; ++size) {
      const TDigitCellSize cell = kDigitCellSizes[std::size_t(size)];
      const int top = kDigitRowOffsets[std::size_t(row)] + cell.offset;
      for (int c = 0; c < kDigitCellCount; ++c) {
        const int left = c * cell.width;
        SCOPED_TRACE(testing::Message() << "row " << row << " size " << size << " cell " << c);
        EXPECT_TRUE(anyInk(sheet, TRect{left, top, left + cell.width - 1, top + cell.height - 1}));
        EXPECT_FALSE(anyInk(sheet, TRect{left + cell.width - 1, top, left + cell.width, top + cell.height}));
        EXPECT_FALSE(anyInk(sheet, TRect{left, top + cell.height - 1, left + cell.width, top + cell.height}));
      }
    }
  }
}

TEST_F(GeneratedPictures, LabelsFillTheirRowsAndLeaveTheGapRowEmpty) {
  const TBitmap32& parts = manager_->partsImage;
  ASSERT_GE(parts.getWidth(), kTimeStepLabelLeft + kTimeStepLabelWidth - 1);
  ASSERT_GE(parts.getHeight(), kLabelRowHeight * TPair::kCount);
  for (int k = 0; k < TPair::kCount; ++k) {
    SCOPED_TRACE(k);
    const int top = kLabelRowHeight * k;
    EXPECT_TRUE(anyInk(parts, TRect{0, top, 99, top + 17}));
    EXPECT_FALSE(anyInk(parts, TRect{0, top + 17, parts.getWidth(), top + 18}));
    EXPECT_EQ(anyInk(parts, TRect{99, top, 218, top + 17}), k < TTimeStep::kCount);
    // The pair label's last column is not part of it: the time-step column starts right after.
    TBitmap32 label;
    manager_->getPairLabel(label, TPair(uint8_t(k)));
    EXPECT_TRUE(anyInk(label, TRect{0, 0, 99, 17}));
  }
}

TEST_F(GeneratedPictures, ResultCardsAndPromptLeaveTheirTextAreasDark) {
  const TBitmapManager& m = *manager_;
  for (const TBitmap32* card : {&m.correctImage, &m.wrongImage, &m.evenImage}) {
    ASSERT_GE(card->getWidth(), 320);
    ASSERT_GE(card->getHeight(), 260);
    // White rows from x 94, y 80 to about 256: nothing bright may stand behind them.
    EXPECT_LT(brightestIn(*card, TRect{94, 80, card->getWidth() - 12, 256}), 70);
    for (int y = 80; y < 256; y += 7) EXPECT_GE(alphaOf(card->getPixel(200, y)), 230) << y;
  }
  const TBitmap32& prompt = m.promptImage;
  EXPECT_LT(brightestIn(prompt, TRect{24, 28, 474, 49}), 40);
  EXPECT_GE(alphaOf(prompt.getPixel(249, 38)), 220);
}

TEST_F(GeneratedPictures, ScoreBoardNumbersLandOnQuietPlaces) {
  const TBitmapManager& m = *manager_;
  struct Place {
    const TBitmap32* sheet;
    TRect rect;
  };
  std::vector<Place> places = {
      {&m.todayImage, {204, 22, 282, 42}},   {&m.todayImage, {52, 153, 143, 173}},
      {&m.todayImage, {179, 153, 270, 173}}, {&m.todayImage, {43, 213, 82, 233}},
      {&m.todayImage, {140, 238, 166, 258}}, {&m.todayImage, {187, 238, 213, 258}},
      {&m.todayImage, {235, 238, 261, 258}}, {&m.todayImage, {43, 307, 95, 327}},
      {&m.todayImage, {163, 307, 202, 327}}, {&m.todayImage, {43, 365, 82, 385}},
      {&m.todayImage, {30, 86, 129, 103}},   {&m.todayImage, {166, 86, 285, 103}},
  };
  for (int k = 0; k < 20; ++k) {
    const int right = 388 + 88 * (k % 5), top = 64 + 96 * (k / 5);
    places.push_back({&m.todayImage, {right - 65, top, right, top + 20}});
  }
  for (int k = 0; k < 9; ++k) {
    const int top = 29 + 40 * k;
    places.push_back({&m.totalImage, {387 - 7 * 19, top, 387, top + 28}});
    if (k > 0 && k < 8) places.push_back({&m.totalImage, {627 - 6 * 19, top, 627, top + 28}});
  }
  for (int s = 0; s < 6; ++s) {
    for (int p = 0; p < 16; ++p) {
      places.push_back({&m.tableImage, {159 + 102 * s, 44 + 22 * p, 159 + 102 * s + 39, 64 + 22 * p}});
      places.push_back({&m.maxProfitImage, {219 + 102 * s - 65, 44 + 22 * p, 219 + 102 * s, 64 + 22 * p}});
    }
  }
  for (const Place& place : places) {
    EXPECT_LT(brightestIn(*place.sheet, place.rect), 100)
        << place.rect.left << "," << place.rect.top << " to " << place.rect.right << "," << place.rect.bottom;
  }
}

}  // namespace
}  // namespace candora
