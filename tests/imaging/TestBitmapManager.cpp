#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "PngFixtures.h"
#include "TestSupport.h"
#include "untBitmapManager.h"
#include "untNivraUtil.h"

namespace candora {
namespace {

using testing::TempDir;

const char* const kSheetNames[] = {"plane_parts.png",     "plane_qu.png",      "plane_today.png",
                                   "plane_total.png",     "plane_table.png",   "plane_maxprofit.png",
                                   "plane_pair.png",      "plane_barafter.png", "plane_timestep.png",
                                   "plane_bgmask.png",    "plane_correct.png", "plane_wrong.png",
                                   "plane_even.png",      "plane_prompt.png"};

// A label sheet whose every pixel tells where it came from.
TColor32 sheetPixel(int x, int y) { return color32(uint8_t(x), uint8_t(y), uint8_t(x + y), uint8_t(100 + y % 100)); }

class BitmapManager : public ::testing::Test {
protected:
  void SetUp() override {
    for (int i = 0; i < 14; ++i) {
      TBitmap32 b(3 + i, 2);
      b.clear(color32(uint8_t(i), 0, 0, 255));
      testing::writeRgbaPng(dir_.file(kSheetNames[i]), b);
    }
    TBitmap32 parts(218, 18 * 16);
    for (int y = 0; y < parts.getHeight(); ++y)
      for (int x = 0; x < parts.getWidth(); ++x) parts.setPixel(x, y, sheetPixel(x, y));
    testing::writeRgbaPng(dir_.file("plane_parts.png"), parts);
    // One sheet without any transparency, as a plain RGB file.
    testing::writePng(dir_.file("plane_qu.png"), {2, 1, PNG_COLOR_TYPE_RGB, 8, false, {1, 2, 3, 4, 5, 6}, {}, {}, {}});
  }

  static void expectLabel(const TBitmap32& label, int width, int sheetLeft, int sheetTop) {
    ASSERT_EQ(label.getWidth(), width);
    ASSERT_EQ(label.getHeight(), 18);
    EXPECT_EQ(label.getDrawMode(), TDrawMode::dmBlend);
    for (int y = 0; y < 18; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool fromSheet = x < width - 1 && y < 17;
        ASSERT_EQ(label.getPixel(x, y), fromSheet ? sheetPixel(sheetLeft + x, sheetTop + y) : 0u) << x << "," << y;
      }
    }
  }

  TempDir dir_;
};

TEST_F(BitmapManager, LoadsEverySheetWithItsDrawMode) {
  const TBitmapManager m(dir_.path().string());
  EXPECT_EQ(m.questionImage.getWidth(), 2);
  EXPECT_EQ(m.questionImage.getPixel(1, 0), 0xFF040506u);
  EXPECT_EQ(m.questionImage.getDrawMode(), TDrawMode::dmOpaque);
  const std::pair<const TBitmap32*, int> sheets[] = {
      {&m.todayImage, 2},    {&m.totalImage, 3},     {&m.tableImage, 4},    {&m.maxProfitImage, 5},
      {&m.pairImage, 6},     {&m.barAfterImage, 7},  {&m.timeStepImage, 8}, {&m.bgMaskImage, 9},
      {&m.correctImage, 10}, {&m.wrongImage, 11},    {&m.evenImage, 12},    {&m.promptImage, 13}};
  for (const auto& [bitmap, i] : sheets) {
    EXPECT_EQ(bitmap->getWidth(), 3 + i) << kSheetNames[i];
    EXPECT_EQ(bitmap->getPixel(0, 0), color32(uint8_t(i), 0, 0, 255)) << kSheetNames[i];
    EXPECT_EQ(bitmap->getDrawMode(), TDrawMode::dmBlend) << kSheetNames[i];
  }
}

TEST_F(BitmapManager, LabelsAreCutFromTheirRows) {
  const TBitmapManager m(dir_.path().string() + "/");
  for (uint8_t p : {uint8_t(0), TPair::USDJPY, uint8_t(15)}) {
    TBitmap32 label;
    m.getPairLabel(label, TPair(p));
    expectLabel(label, 100, 0, 18 * p);
  }
  for (uint8_t t : {uint8_t(0), uint8_t(5), uint8_t(13)}) {
    TBitmap32 label;
    m.getTimeStepLabel(label, TTimeStep(t));
    expectLabel(label, 120, 99, 18 * t);
  }
}

TEST_F(BitmapManager, ReusedLabelTargetShowsOnlyTheNewLabel) {
  const TBitmapManager m(dir_.path().string());
  TBitmap32 label(100, 18);
  label.clear(0xFFFF00FF);
  label.setDrawMode(TDrawMode::dmOpaque);
  m.getPairLabel(label, TPair(TPair::EURJPY));
  expectLabel(label, 100, 0, 18 * TPair::EURJPY);
}

TEST_F(BitmapManager, AMissingSheetNamesItsFile) {
  std::filesystem::remove(dir_.file("plane_even.png"));
  try {
    TBitmapManager m(dir_.path().string());
    FAIL() << "loaded without plane_even.png";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find(dir_.file("plane_even.png")), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace candora
