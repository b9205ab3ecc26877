#include <gtest/gtest.h>

#include <algorithm>

#include "GuiApplication.h"
#include "untImageUtil.h"

namespace candora {
namespace {

TEST(ColorToHtml, RedGreenBlueInThatOrder) {
  EXPECT_EQ(colorToHtml(0xFFFF00), "#00ffff");  // aqua of the line colours
  EXPECT_EQ(colorToHtml(0x0000FF), "#ff0000");  // red
  EXPECT_EQ(colorToHtml(0x123456), "#563412");
  EXPECT_EQ(colorToHtml(0x000000), "#000000");
}

TEST(FillRectBlended, EmptyRectanglesChangeNothing) {
  TBitmap32 b(6, 6);
  b.clear(0xFF102030);
  const std::vector<TColor32> before = b.getBits();
  for (const TRect r : {TRect{2, 1, 2, 5}, TRect{1, 3, 5, 3}, TRect{4, 4, 1, 1}, TRect{0, 0, 0, 0}}) {
    fillRectBlended(b, r, 0xCCFF0000);
  }
  EXPECT_EQ(b.getBits(), before);
}

TEST(FillRectBlended, SourceOverTransparentAndOpaquePixels) {
  struct Case {
    TColor32 below, colour, expected;
  };
  const Case cases[] = {
      {0x00000000, 0xCC0000FF, 0xCC0000FF},  // candle body on an empty layer stays exactly as given
      {0x00000000, 0x80FFFFFF, 0x80FFFFFF},  // the veil on an empty layer
      {0xFFFFFFFF, 0x80FF0000, 0xFFFF7F7F},
      {0xFF000000, 0xCC0000FF, 0xFF0000CC},  // 255·204/255 = 204
      {0xFF204060, 0xFF00FF00, 0xFF00FF00},
      {0x800000FF, 0x80FF0000, 0xC0AA0055},
  };
  for (const Case& c : cases) {
    TBitmap32 b(4, 3);
    b.clear(c.below);
    fillRectBlended(b, TRect{1, 1, 3, 2}, c.colour);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 4; ++x) {
        const bool inside = x >= 1 && x < 3 && y == 1;
        EXPECT_EQ(b.getPixel(x, y), inside ? c.expected : c.below)
            << std::hex << c.colour << " over " << c.below << " at " << std::dec << x << "," << y;
      }
    }
  }
}

TEST(FillRectBlended, ClipsToTheTarget) {
  TBitmap32 b(3, 3);
  fillRectBlended(b, TRect{-100, 2, 1000, 1000}, 0xFF00FF00);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(b.getPixel(x, 2), 0xFF00FF00u);
  EXPECT_EQ(b.getPixel(1, 1), 0u);
}

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int pixels = 0;
  bool onlyOpaque = true;
};

Ink findInk(const TBitmap32& b) {
  Ink ink;
  for (int y = 0; y < b.getHeight(); ++y) {
    for (int x = 0; x < b.getWidth(); ++x) {
      const TColor32 c = b.getPixel(x, y);
      if (alphaOf(c) == 0) continue;
      ++ink.pixels;
      ink.onlyOpaque = ink.onlyOpaque && alphaOf(c) == 255;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x + 1);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y + 1);
    }
  }
  return ink;
}

class Text : public ::testing::Test {
protected:
  void SetUp() override { testing::ensureGuiApplication(); }
};

TEST_F(Text, DefaultFaceHasTheMetricsTheLabelSpacingAssumes) {
  TBitmap32 b(10, 10);
  b.setFont(kDefaultFontName, 9);
  EXPECT_EQ(b.textWidth("99#99"), 30);
  EXPECT_EQ(b.textHeight("999.99"), 13);
  // Fixed pitch: a full-width character is two half-width ones.
  EXPECT_EQ(b.textWidth("1時間足"), 6 + 3 * 12);
  b.setFontSize(14);
  EXPECT_EQ(b.textWidth("0"), 10);
}

TEST_F(Text, JapaneseTextIsRenderedWithoutAntialiasingWhenAsked) {
  TBitmap32 b(80, 20);
  b.setFont(kDefaultFontName, 9);
  b.renderText(2, 3, "1時間足", 0xFFFFFFFF, false);
  const Ink ink = findInk(b);
  EXPECT_GT(ink.pixels, 40);
  EXPECT_TRUE(ink.onlyOpaque);
  EXPECT_GE(ink.left, 2);
  EXPECT_GE(ink.top, 3);
  EXPECT_LE(ink.bottom, 3 + 13);
  EXPECT_LE(ink.right, 2 + 42);
  // Glyph pixels keep the colour asked for.
  for (TColor32 c : b.getBits()) {
    if (c != 0) {
      EXPECT_EQ(c, 0xFFFFFFFFu);
    }
  }
}

TEST_F(Text, SmoothedTextOnATransparentLayerKeepsItsColour) {
  // The edge pixels are translucent white, not darkened: a layer of labels composited over the chart
  // must not show grey fringes.
  TBitmap32 b(120, 24);
  b.setFont(kDefaultFontName, 14);
  b.renderText(2, 2, "Bar 時間足", 0xFFFFFFFF, true);
  int partial = 0;
  for (TColor32 c : b.getBits()) {
    if (alphaOf(c) == 0) continue;
    partial += alphaOf(c) < 255;
    EXPECT_GE(std::min({redOf(c), greenOf(c), blueOf(c)}), 0xE0) << std::hex << c;
  }
  EXPECT_GT(partial, 0);
}

TEST_F(Text, TextIsClippedAtTheEdges) {
  TBitmap32 b(20, 8);
  b.setFont(kDefaultFontName, 26);
  b.renderText(-10, -10, "88888", 0xFF00FF00);
  EXPECT_GT(findInk(b).pixels, 0);
}

TEST_F(Text, CentredTextSitsInTheMiddleOfItsBox) {
  // The question prompt's box.
  TBitmap32 b(500, 80);
  // Glyphs whose ink fills their cells evenly, so the ink's centre is the text's centre.
  const std::string text = "88 時間 88 時間 88";
  drawTextCentered(b, text, 14, 24, 28, 450, 21, 0xFFFFFFFF);
  EXPECT_EQ(b.getFontSize(), 14);
  const Ink ink = findInk(b);
  ASSERT_GT(ink.pixels, 0);
  const int width = b.textWidth(text);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 24 + 225, 3.0);
  EXPECT_NEAR(ink.right - ink.left, width, 4);
  EXPECT_GE(ink.top, 28 - 2);
  EXPECT_LE(ink.bottom, 28 + 21 + 2);
}

}  // namespace
}  // namespace candora
