#pragma once
// Loading the picture files and the small drawing functions the chart, the prompt, the extra-chart
// dialog and the score board share.

#include <cstdint>
#include <string>

#include "untBitmap32.h"

namespace candora {

// Decodes a PNG file into the bitmap (which takes the picture's size) with every alpha at 255, then
// applies the file's own transparency: a colour key makes exactly the pixels of that colour
// transparent, an alpha channel (grey or RGB with alpha) is copied as it is; a palette picture keeps
// alpha 255 even when it has a transparency table. Returns whether any transparency was applied.
// A missing, unreadable or corrupt file throws EInOutError naming the file; the bitmap is then
// left as it was.
bool loadPngWithAlpha(TBitmap32& bitmap, const std::string& fileName);

// loadPngWithAlpha, then blend mode when transparency was applied and opaque mode otherwise.
void loadPngImage(TBitmap32& bitmap, const std::string& fileName);

// "#rrggbb" in lowercase hexadecimal; the aqua line colour (TColor 0xFFFF00) gives "#00ffff".
std::string colorToHtml(TColor color);

// Blends a solid colour over the rectangle (right and bottom exclusive) of the target, translucent
// as the colour's alpha says. An empty rectangle changes nothing.
void fillRectBlended(TBitmap32& target, const TRect& rect, TColor32 color);

// Sets the target's font to the default face at the given size and draws the text centred in the
// box left, top, width, height.
void drawTextCentered(TBitmap32& target, const std::string& text, int32_t fontSize, int32_t left, int32_t top,
                      int32_t width, int32_t height, TColor32 color);

}  // namespace candora
