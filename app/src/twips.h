#pragma once

namespace app {

// The form is designed in twips for 12 twips per pixel (120 dots per inch) and laid out in pixels.
inline constexpr int kTwipsPerPixel = 12;

constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

}  // namespace app
