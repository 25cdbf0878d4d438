#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// How a mark is drawn: the outline of a rectangle, hatching across it, or a dot in each of its
// cells. Every mark has a dark halo so that it reads on any pixel colour.
enum class OverlayStyle { Outline, Hatch, Dots };

// A rectangle of whole cells; a cell is `Overlay::cellSize` display pixels square.
struct OverlayMark {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    OverlayStyle style = OverlayStyle::Outline;
    std::uint32_t colour = 0;  // 0xRRGGBB
    bool operator==(const OverlayMark&) const = default;
};

// Marks drawn over a picture's display. They live in the display only: the picture's image,
// which the GDI layer reads and writes, never holds them.
struct Overlay {
    int cellSize = 1;
    std::vector<OverlayMark> marks;
    // What the marks mean; shown as the picture's tool tip while there are marks.
    std::string legend;
    bool operator==(const Overlay&) const = default;
};

}  // namespace ui
