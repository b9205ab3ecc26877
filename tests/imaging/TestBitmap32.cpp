#include <gtest/gtest.h>

#include "untBitmap32.h"

namespace candora {
namespace {

constexpr TColor32 kRed = 0xFFFF0000;
constexpr TColor32 kBlue = 0xFF0000FF;

// The coloured pixels of a bitmap as a picture, one text line per row: '.' for 0, '#' otherwise.
std::string sketch(const TBitmap32& b) {
  std::string s;
  for (int y = 0; y < b.getHeight(); ++y) {
    for (int x = 0; x < b.getWidth(); ++x) s += b.getPixel(x, y) == 0 ? '.' : '#';
    s += '\n';
  }
  return s;
}

TEST(Bitmap32, NewSizeIsTransparentAndSameSizeKeepsContent) {
  TBitmap32 b(3, 2);
  b.clear(kRed);
  b.setSize(3, 2);
  EXPECT_EQ(b.getPixel(2, 1), kRed);
  b.setSize(2, 3);
  ASSERT_EQ(b.getWidth(), 2);
  ASSERT_EQ(b.getHeight(), 3);
  for (TColor32 c : b.getBits()) EXPECT_EQ(c, 0u);
  b.setSize(-4, 5);
  EXPECT_TRUE(b.isEmpty());
  EXPECT_EQ(b.getBits().size(), 0u);
}

TEST(Bitmap32, AssignCopiesSizePixelsAndDrawMode) {
  TBitmap32 a(2, 2);
  a.setPixel(1, 1, kBlue);
  a.setDrawMode(TDrawMode::dmBlend);
  TBitmap32 b(7, 7);
  b.assign(a);
  EXPECT_EQ(b.getWidth(), 2);
  EXPECT_EQ(b.getPixel(1, 1), kBlue);
  EXPECT_EQ(b.getDrawMode(), TDrawMode::dmBlend);
}

TEST(Bitmap32, FillRectClipsAndExcludesRightAndBottom) {
  TBitmap32 b(5, 4);
  b.fillRect(-2, -2, 3, 2, 0x80FF0000);
  EXPECT_EQ(sketch(b), "###..\n###..\n.....\n.....\n");
  // The fill writes the colour as it is, even a translucent one over an opaque pixel.
  EXPECT_EQ(b.getPixel(0, 0), 0x80FF0000u);
  b.fillRect(4, 3, 100, 100, kBlue);
  EXPECT_EQ(b.getPixel(4, 3), kBlue);
  b.fillRect(3, 0, 3, 4, kRed);  // zero width
  b.fillRect(10, 10, 2, 2, kRed);  // inverted
  EXPECT_EQ(sketch(b), "###..\n###..\n.....\n....#\n");
}

TEST(Bitmap32, LinesWithAndWithoutTheirLastPixel) {
  struct Case {
    int x1, y1, x2, y2;
    bool last;
    const char* picture;
  };
  const Case cases[] = {
      {0, 1, 4, 1, true, ".....\n#####\n.....\n"},
      {0, 1, 4, 1, false, ".....\n####.\n.....\n"},
      {4, 1, 0, 1, false, ".....\n.####\n.....\n"},
      {0, 0, 4, 2, true, "#....\n.##..\n...##\n"},
      {2, 0, 2, 2, false, "..#..\n..#..\n.....\n"},
      {3, 1, 3, 1, true, ".....\n...#.\n.....\n"},
      {3, 1, 3, 1, false, ".....\n.....\n.....\n"},
      // Ends far outside the bitmap: only the part inside is drawn, and it is drawn quickly.
      {-2000000000, 2, 2000000000, 2, true, ".....\n.....\n#####\n"},
      {-3, -3, 1, 1, false, "#....\n.....\n.....\n"},
  };
  for (const Case& c : cases) {
    TBitmap32 b(5, 3);
    b.drawLine(c.x1, c.y1, c.x2, c.y2, kRed, c.last);
    EXPECT_EQ(sketch(b), c.picture) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2 << " last " << c.last;
  }
}

TEST(Bitmap32, LinesBlendByTheirAlpha) {
  TBitmap32 b(3, 1);
  b.clear(0xFFFFFFFF);
  b.drawLine(0, 0, 2, 0, 0x80FF0000, true);
  EXPECT_EQ(b.getPixel(1, 0), 0xFFFF7F7Fu);
}

TEST(Bitmap32, SourceOverOfStraightAlphaColours) {
  struct Case {
    TColor32 source, destination, expected;
  };
  const Case cases[] = {
      {0xCC0000FF, 0x00000000, 0xCC0000FF},  // onto transparent: exactly the source
      {0xCC0000FF, 0x00FFFFFF, 0xCC0000FF},  // the colour of a transparent pixel does not count
      {0x80FF0000, 0xFFFFFFFF, 0xFFFF7F7F},  // 255·128/255 + 255·127/255
      {0x80FF0000, 0x800000FF, 0xC0AA0055},  // a 192, r 255·128/191.75, b 255·63.75/191.75
      {0xFF123456, 0xFFABCDEF, 0xFF123456},
      {0x00123456, 0x7FABCDEF, 0x7FABCDEF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(blendSourceOver(c.source, c.destination), c.expected)
        << std::hex << c.source << " over " << c.destination;
  }
}

TEST(Bitmap32, DrawModeDecidesBetweenReplacingAndBlending) {
  TBitmap32 source(2, 1);
  source.setPixel(0, 0, 0x00000000);
  source.setPixel(1, 0, 0x80FF0000);
  for (const TDrawMode mode : {TDrawMode::dmOpaque, TDrawMode::dmBlend}) {
    source.setDrawMode(mode);
    TBitmap32 target(2, 1);
    target.clear(0xFFFFFFFF);
    source.drawTo(target, 0, 0);
    if (mode == TDrawMode::dmOpaque) {
      EXPECT_EQ(target.getPixel(0, 0), 0x00000000u);
      EXPECT_EQ(target.getPixel(1, 0), 0x80FF0000u);
    } else {
      EXPECT_EQ(target.getPixel(0, 0), 0xFFFFFFFFu);
      EXPECT_EQ(target.getPixel(1, 0), 0xFFFF7F7Fu);
    }
  }
}

TEST(Bitmap32, StretchedDrawIsNearestNeighbour) {
  TBitmap32 source(2, 2);
  source.setPixel(0, 0, 0xFF000001);
  source.setPixel(1, 0, 0xFF000002);
  source.setPixel(0, 1, 0xFF000003);
  source.setPixel(1, 1, 0xFF000004);
  TBitmap32 target(5, 5);
  source.drawTo(target, TRect{1, 1, 5, 5}, TRect{0, 0, 2, 2});
  const TColor32 expected[5][5] = {{0, 0, 0, 0, 0},
                                   {0, 0xFF000001, 0xFF000001, 0xFF000002, 0xFF000002},
                                   {0, 0xFF000001, 0xFF000001, 0xFF000002, 0xFF000002},
                                   {0, 0xFF000003, 0xFF000003, 0xFF000004, 0xFF000004},
                                   {0, 0xFF000003, 0xFF000003, 0xFF000004, 0xFF000004}};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(target.getPixel(x, y), expected[y][x]) << x << "," << y;

  // Shrinking picks one source pixel per destination pixel.
  TBitmap32 small(1, 1);
  source.drawTo(small, TRect{0, 0, 1, 1}, TRect{0, 0, 2, 2});
  EXPECT_EQ(small.getPixel(0, 0), 0xFF000004u);
}

TEST(Bitmap32, DrawsClipAtBothBitmaps) {
  TBitmap32 source(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) source.setPixel(x, y, 0xFF000000u | uint32_t(10 * y + x + 1));

  // Partly off the target's top-left corner: the visible part keeps its place.
  TBitmap32 target(3, 3);
  source.drawTo(target, -1, -2);
  EXPECT_EQ(target.getPixel(0, 0), 0xFF000000u | 22u);
  EXPECT_EQ(target.getPixel(1, 0), 0xFF000000u | 23u);
  EXPECT_EQ(target.getPixel(0, 1), 0u);
  EXPECT_EQ(target.getPixel(2, 0), 0u);

  // A source rectangle reaching past the source draws only the pixels that exist, at their place.
  TBitmap32 other(4, 4);
  source.drawTo(other, 0, 0, TRect{1, 1, 5, 5});
  EXPECT_EQ(other.getPixel(0, 0), 0xFF000000u | 12u);
  EXPECT_EQ(other.getPixel(1, 1), 0xFF000000u | 23u);
  EXPECT_EQ(other.getPixel(2, 0), 0u);
  EXPECT_EQ(other.getPixel(0, 2), 0u);

  // Empty rectangles draw nothing.
  TBitmap32 untouched(2, 2);
  source.drawTo(untouched, TRect{0, 0, 0, 2}, TRect{0, 0, 3, 3});
  source.drawTo(untouched, TRect{0, 0, 2, 2}, TRect{1, 1, 1, 3});
  for (TColor32 c : untouched.getBits()) EXPECT_EQ(c, 0u);
}

}  // namespace
}  // namespace candora
