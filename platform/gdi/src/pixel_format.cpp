#include "pixel_format.h"

#include <bit>

namespace gdi {

ChannelField ChannelField::of(DWORD mask) {
    if (mask == 0) {
        return {};
    }
    const auto shift = unsigned(std::countr_zero(mask));
    return {shift, unsigned(std::countr_one(mask >> shift))};
}

PixelFormat PixelFormat::palettized(WORD bitCount, std::span<const std::uint32_t> colors) {
    const PixelKind kind = bitCount == 1   ? PixelKind::Index1
                           : bitCount == 4 ? PixelKind::Index4
                                           : PixelKind::Index8;
    return {kind, bitCount, {}, colors};
}

PixelFormat PixelFormat::direct(WORD bitCount, const ChannelMasks& masks) {
    switch (bitCount) {
        case 16:
            return {PixelKind::Bits16, 16, masks, {}};
        case 24:
            return {PixelKind::Rgb24, 24, xrgbMasks, {}};
        default:
            return {masks == xrgbMasks ? PixelKind::Xrgb32 : PixelKind::Bits32, 32, masks, {}};
    }
}

}  // namespace gdi
