#include <gtest/gtest.h>
#include <png.h>

#include <fstream>

#include "PngFixtures.h"
#include "TestSupport.h"
#include "untImageUtil.h"
#include "untNivraUtil.h"

namespace candora {
namespace {

using testing::PngSpec;
using testing::TempDir;
using testing::writePng;

struct LoadCase {
  const char* name;
  PngSpec spec;
  bool transparencyApplied;
  std::vector<TColor32> expected;  // row by row
};

std::vector<LoadCase> loadCases() {
  std::vector<LoadCase> cases;

  // RGB with a colour key: exactly the pixels of the key colour become transparent, colour kept.
  cases.push_back({"rgb colour key",
                   {3, 2, PNG_COLOR_TYPE_RGB, 8, false,
                    {10, 20, 30, 10, 20, 31, 200, 100, 50,  //
                     0, 0, 0, 10, 20, 30, 255, 255, 255},
                    {}, {}, {10, 20, 30}},
                   true,
                   {0x000A141E, 0xFF0A141F, 0xFFC86432, 0xFF000000, 0x000A141E, 0xFFFFFFFF}});

  // 16-bit samples are compared with the key at full depth: 0x1234 is the key, 0x1235 is not,
  // although both scale to the same 8-bit value.
  cases.push_back({"16-bit rgb colour key",
                   {2, 1, PNG_COLOR_TYPE_RGB, 16, false,
                    {0x12, 0x34, 0x12, 0x34, 0x12, 0x34, 0x12, 0x35, 0x12, 0x34, 0x12, 0x34},
                    {}, {}, {0x1234, 0x1234, 0x1234}},
                   true,
                   {0x00121212, 0xFF121212}});

  cases.push_back({"grey colour key",
                   {3, 1, PNG_COLOR_TYPE_GRAY, 8, false, {0, 128, 255}, {}, {}, {128}},
                   true,
                   {0xFF000000, 0x00808080, 0xFFFFFFFF}});

  // An alpha channel is copied as it is.
  cases.push_back({"rgba",
                   {3, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, false,
                    {255, 0, 0, 0, 0, 255, 0, 128, 1, 2, 3, 255},
                    {}, {}, {}},
                   true,
                   {0x00FF0000, 0x8000FF00, 0xFF010203}});

  cases.push_back({"interlaced rgba",
                   {3, 3, PNG_COLOR_TYPE_RGB_ALPHA, 8, true,
                    {1, 0, 0, 10, 2, 0, 0, 20, 3, 0, 0, 30,  //
                     4, 0, 0, 40, 5, 0, 0, 50, 6, 0, 0, 60,  //
                     7, 0, 0, 70, 8, 0, 0, 80, 9, 0, 0, 90},
                    {}, {}, {}},
                   true,
                   {0x0A010000, 0x14020000, 0x1E030000, 0x28040000, 0x32050000, 0x3C060000, 0x46070000, 0x50080000,
                    0x5A090000}});

  cases.push_back({"grey with alpha",
                   {2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {50, 0, 60, 200}, {}, {}, {}},
                   true,
                   {0x00323232, 0xC83C3C3C}});

  // A palette's transparency table is not applied: the picture loads opaque.
  cases.push_back({"palette with transparency table",
                   {3, 1, PNG_COLOR_TYPE_PALETTE, 8, false, {0, 1, 2},
                    {255, 0, 0, 0, 255, 0, 0, 0, 255}, {0, 128}, {}},
                   false,
                   {0xFFFF0000, 0xFF00FF00, 0xFF0000FF}});

  cases.push_back({"rgb without transparency",
                   {2, 1, PNG_COLOR_TYPE_RGB, 8, false, {1, 2, 3, 4, 5, 6}, {}, {}, {}},
                   false,
                   {0xFF010203, 0xFF040506}});

  cases.push_back({"1-bit grey",
                   {3, 1, PNG_COLOR_TYPE_GRAY, 1, false, {0b10100000}, {}, {}, {}},
                   false,
                   {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}});
  return cases;
}

TEST(PngLoading, TransparencyAndDrawModeFollowTheFileKind) {
  TempDir dir;
  for (const LoadCase& c : loadCases()) {
    SCOPED_TRACE(c.name);
    const std::string file = dir.file(std::string(c.name) + ".png");
    writePng(file, c.spec);

    TBitmap32 withAlpha;
    EXPECT_EQ(loadPngWithAlpha(withAlpha, file), c.transparencyApplied);
    ASSERT_EQ(withAlpha.getWidth(), c.spec.width);
    ASSERT_EQ(withAlpha.getHeight(), c.spec.height);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(withAlpha.getBits()[i], c.expected[i]) << "pixel " << i << std::hex << " got " << withAlpha.getBits()[i];
    }

    TBitmap32 image;
    image.setDrawMode(c.transparencyApplied ? TDrawMode::dmOpaque : TDrawMode::dmBlend);
    loadPngImage(image, file);
    EXPECT_EQ(image.getDrawMode(), c.transparencyApplied ? TDrawMode::dmBlend : TDrawMode::dmOpaque);
    EXPECT_EQ(image.getBits(), withAlpha.getBits());
  }
}

TEST(PngLoading, LoadingReplacesSizeAndPixels) {
  TempDir dir;
  const std::string file = dir.file("small.png");
  writePng(file, {1, 1, PNG_COLOR_TYPE_RGB, 8, false, {9, 8, 7}, {}, {}, {}});
  TBitmap32 b(40, 30);
  b.clear(0xFFFFFFFF);
  loadPngImage(b, file);
  EXPECT_EQ(b.getWidth(), 1);
  EXPECT_EQ(b.getHeight(), 1);
  EXPECT_EQ(b.getPixel(0, 0), 0xFF090807u);
}

TEST(PngLoading, UnreadableFilesNameTheFileAndLeaveTheBitmapAlone) {
  TempDir dir;
  const std::string good = dir.file("good.png");
  writePng(good, {4, 4, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, std::vector<uint8_t>(64, 77), {}, {}, {}});
  std::ifstream in(good, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  const std::string files[] = {
      dir.file("missing.png"),
      dir.write("text.png", "this is not a picture\n"),
      dir.write("truncated.png", bytes.substr(0, bytes.size() / 2)),
      dir.write("signature-only.png", bytes.substr(0, 8)),
  };
  for (const std::string& file : files) {
    TBitmap32 b(2, 2);
    b.clear(0xFF112233);
    try {
      loadPngImage(b, file);
      ADD_FAILURE() << "no error for " << file;
    } catch (const EInOutError& e) {
      EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
    }
    EXPECT_EQ(b.getWidth(), 2);
    EXPECT_EQ(b.getPixel(1, 1), 0xFF112233u);
  }
}

}  // namespace
}  // namespace candora
