#pragma once

#include <cstdint>
#include <vector>

#include "ui/picture.h"

// Writes bottom-up pixel values into a picture's persistent image through its device context.
void drawBottomUp(ui::Picture& picture, const std::vector<std::int32_t>& pixels);

// The picture's persistent image as bottom-up pixel values, all 32 bits.
std::vector<std::uint32_t> bottomUpPixels(const ui::Picture& picture);

// 64 pixel values that all differ, none with a set top byte.
std::vector<std::int32_t> distinctPixels();

// Whether every pixel of the picture's image holds `value` (all 32 bits).
bool uniform(const ui::Picture& picture, std::uint32_t value);
