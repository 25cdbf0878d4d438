#pragma once

#include <span>

#include "geometry/call_geometry.h"
#include "ui/overlay.h"

namespace shell {

// One kind of mark the overlay draws: how it looks and what it stands for.
struct OverlayMark {
    const char* look;
    const char* meaning;
};
std::span<const OverlayMark> overlayMarks();

// The call's geometry as marks over the magnified views, one cell a picture pixel: on the source
// view the source rectangle where the call reads it and the band's readable rows; on the
// destination view the destination rectangle and the pixels written.
ui::Overlay sourceOverlay(const geometry::Call& call, const geometry::CallGeometry& geometry);
ui::Overlay destinationOverlay(const geometry::Call& call, const geometry::CallGeometry& geometry);

}  // namespace shell
