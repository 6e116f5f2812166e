// Reading the engine window's pixels back in tests (1024 x 768, unscaled).
#pragma once
#include <array>
#include <vector>

namespace moth_test {

// Red, green, blue, 0 to 255.
using Pixel = std::array<int, 3>;

// The pixel at a world position seen by a camera at the origin (or at an
// offset from the camera, wherever it is), after all drawing has finished.
Pixel ReadWorldPixel(float x, float y);

// The whole window, RGBA, bottom row first.
std::vector<unsigned char> ReadFrame();

} // namespace moth_test
