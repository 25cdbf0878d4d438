#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "ui/picture.h"
#include "ui/window.h"
#include "workbench/enlarge.h"

namespace workbench {

inline constexpr const char* kDibSectionFailedMessage = "Failed to create DIB Section!";

// Redraws `bigPic` from the persistent image of `pic`, eight times enlarged and upright, refreshes
// it and hands the enlarged pixels (bottom-up, 0xFF in the top byte) back in `bits`, whatever
// `bits` held before. A DIB section that cannot be created is reported through `form`; the big
// picture then keeps its image, and `bits` is filled all the same.
void ZoomPicGetBits(ui::Picture& pic, ui::Picture& bigPic, std::vector<std::int32_t>& bits,
                    const ui::Window& form);

// Copies enlarged pixels (bottom-up, `size` of them) into `bigPic` through a DIB section and
// refreshes it; a section that cannot be created is reported through `form`.
void drawBigPixels(ui::Picture& bigPic, PixelSize size, std::span<const std::int32_t> big,
                   const ui::Window& form);

// The same redraw, without handing the enlarged pixels back.
void ZoomPic(ui::Picture& pic, ui::Picture& bigPic, const ui::Window& form);

// The form's own redraw procedure, which Set Point calls.
using ZoomPicProcedure = std::function<void(ui::Picture& pic, ui::Picture& bigPic)>;

}  // namespace workbench
