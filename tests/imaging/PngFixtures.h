#pragma once
// Writes PNG files of any colour type for the loading tests, straight through libpng so the files
// carry exactly the chunks a test asks for.

#include <cstdint>
#include <string>
#include <vector>

#include "untBitmap32.h"

namespace candora::testing {

struct PngSpec {
  int width = 0;
  int height = 0;
  int colorType = 0;   // PNG_COLOR_TYPE_*
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint8_t> pixels;             // packed rows as the file stores them (16-bit samples big-endian)
  std::vector<uint8_t> palette;            // RGB triples, palette pictures only
  std::vector<uint8_t> paletteAlpha;       // tRNS of a palette picture
  std::vector<uint16_t> colorKey;          // tRNS of a grey (1 value) or RGB (3 values) picture
};

// Throws std::runtime_error when libpng refuses the description.
void writePng(const std::string& fileName, const PngSpec& spec);

// An 8-bit RGBA file holding the bitmap's pixels as they are.
void writeRgbaPng(const std::string& fileName, const TBitmap32& bitmap);

}  // namespace candora::testing
