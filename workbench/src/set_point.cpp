#include "workbench/set_point.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "gdi/dib_section_dc.h"
#include "numbers/integer_conversion.h"
#include "workbench/picture_bitmap.h"

namespace workbench {
namespace {

struct PointRequest {
    std::array<double, 3> colour;
    double x;
    double y;
};

// Positions are compared as single-precision values, so 7.00000001 still counts as column 7.
bool positionInRange(double value, int scaleSize) {
    return value >= 0 && static_cast<float>(value) <= static_cast<float>(scaleSize - 1);
}

std::optional<PointRequest> readRequest(const SourcePointControls& controls,
                                        const ui::Window& form) {
    const auto colour = readColourTriple(controls.colour, form);
    if (!colour) return std::nullopt;
    if (!componentsInRange(*colour)) {
        form.MsgBox(kSourceColourMessage);
        return std::nullopt;
    }
    const auto x = readNumberField(controls.x, form);
    if (!x) return std::nullopt;
    const auto y = readNumberField(controls.y, form);
    if (!y) return std::nullopt;
    if (!positionInRange(*x, scaleWidthPixels(controls.srcPic)) ||
        !positionInRange(*y, scaleHeightPixels(controls.srcPic))) {
        form.MsgBox(kSourcePositionMessage);
        return std::nullopt;
    }
    return PointRequest{*colour, *x, *y};
}

// The pixel value 0x00RRGGBB, computed in double precision and rounded once.
std::int32_t pixelValue(const std::array<double, 3>& colour) {
    return numbers::toInt32(colour[0] * 256 * 256 + colour[1] * 256 + colour[2]).value_or(0);
}

void writePixel(const SourcePointControls& controls, const PointRequest& request,
                const ui::Window& form) {
    ui::Picture& srcPic = controls.srcPic;
    const int width = scaleWidthPixels(srcPic);
    const int height = scaleHeightPixels(srcPic);
    const BITMAP bitmap = selectedBitmap(srcPic.hDC());
    BITMAPINFO header = pictureHeader(width, height, bitmap.bmBitsPixel);
    std::vector<std::int32_t> pixels(static_cast<std::size_t>(std::max(width * height, 0)));
    GetDIBits(srcPic.hDC(), srcPic.Image(), 0, static_cast<UINT>(bitmap.bmHeight),
              std::as_writable_bytes(std::span(pixels)), &header, DIB_RGB_COLORS);

    const gdi::DibSectionDC scope(pictureFormat(width, height, bitmap.bmBitsPixel));
    if (!scope.created()) {
        form.MsgBox(kDibSectionFailedMessage);
        return;
    }
    const std::int32_t x = numbers::toInt16(request.x).value_or(0);
    const std::int32_t y = numbers::toInt16(request.y).value_or(0);
    const auto index = static_cast<std::size_t>(y * width + x);
    if (index < pixels.size()) pixels[index] = pixelValue(request.colour);
    const std::size_t copied =
        std::min(pixels.size() * sizeof(std::int32_t),
                 static_cast<std::size_t>(std::max<LONG>(bitmap.bmWidth * bitmap.bmHeight * 4, 0)));
    if (MoveMemoryBounded(scope.bits(), std::as_bytes(std::span(pixels)).first(copied))) {
        BitBlt(srcPic.hDC(), 0, 0, bitmap.bmWidth, bitmap.bmHeight, scope.dc(), 0, 0, SRCCOPY);
    }
}

}  // namespace

void setSourcePoint(const SourcePointControls& controls, const ZoomPicProcedure& zoomPic,
                    const ui::Window& form) {
    const std::optional<PointRequest> request = readRequest(controls, form);
    if (!request) return;
    writePixel(controls, *request, form);
    zoomPic(controls.srcPic, controls.srcBigPic);
    controls.srcPic.Refresh();
}

}  // namespace workbench
