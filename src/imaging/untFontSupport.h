#pragma once
// How a font name and size of the program become a Qt font: sizes are points on a 96 DPI screen
// turned into whole pixels, and the Japanese gothic the texts ask for falls back to the installed
// fixed-pitch one. Needs a QGuiApplication.

#include <cstdint>
#include <string>

#include <QFont>

namespace candora {

// Pixel height of a font size in points on a 96 DPI screen: 9 → 12, 11 → 15, 14 → 19, 26 → 35.
int32_t fontSizeToPixels(int32_t pointSize);

QFont makeFont(const std::string& name, int32_t pointSize, bool antialiased = true);

}  // namespace candora
