// Draws one source DIB of any format (any header size, bit count, compression, masks, colour
// table, ColorUse and buffer length) with SetDIBitsToDevice onto a DIB section of any format,
// reads the section back with GetDIBits into any format and copies it with BitBlt onto a section
// of another format. Headers and bits are heap blocks of exactly the bytes the calls may read;
// every result and pixel is held against the restatements in gdi_call_checks and dibits_rules.

#include "section_scene.h"

#include <algorithm>
#include <vector>

namespace {

using fuzzinput::GdiInput;

fuzzcheck::DibitsCall dibitsCall(GdiInput& in) {
    return {in.signedArgument(), in.signedArgument(), in.unsignedArgument(), in.unsignedArgument(),
            in.signedArgument(), in.signedArgument(), in.unsignedArgument(), in.unsignedArgument()};
}

// GetDIBits of the whole section, or of a band of it, into any format, with DIB_RGB_COLORS or
// DIB_PAL_COLORS, into a buffer of about the rows asked for.
void readBack(GdiInput& in, const fuzzcalls::SectionScene& scene) {
    const fuzzcalls::SectionPixels& pixels = scene.pixels();
    const fuzzinput::HeaderPlan plan = fuzzinput::requestPlan(in, pixels.width, pixels.height);
    const UINT usage = in.ConsumeIntegralInRange(0, 3) == 0 ? DIB_PAL_COLORS : DIB_RGB_COLORS;
    std::optional<std::vector<std::byte>> info = fuzzinput::requestBlock(in, plan, usage);
    if (!info) {
        return;
    }
    const bool whole = in.ConsumeBool();
    const UINT startScan = whole ? 0 : in.unsignedArgument();
    const UINT cLines = whole ? UINT(pixels.height) : in.unsignedArgument();
    const std::uint64_t stride = fuzzcheck::strideOf(std::uint64_t(std::max<LONG>(plan.width, 1)),
                                                     std::max<int>(plan.bitCount, 1));
    const std::int64_t height = plan.height;
    const auto rows = std::uint64_t(std::min<std::int64_t>(std::max(height, -height), 64));
    const std::uint64_t bytes = std::min<std::uint64_t>(stride * rows, fuzzinput::maxBufferBytes);
    const int change = in.ConsumeIntegralInRange(0, 7);
    std::vector<std::byte> bits(std::size_t(change == 0 && bytes > 0 ? bytes - 1 : bytes),
                                fuzzcalls::untouched);
    const std::span<std::byte> passed = change == 1 ? std::span<std::byte>() : std::span(bits);
    fuzzcalls::getDIBits(scene.target().dc, scene.bitmap(), &pixels, startScan, cLines, passed,
                         *info, usage);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GdiInput in(data, size);
    const fuzzcalls::SectionScene destination(in);
    if (!destination.ready()) {
        return 0;
    }
    const fuzzinput::SourceInput source = fuzzinput::sourceInput(in);
    fuzzcalls::setDIBitsToDevice(destination.target(), &source.info, source.colorUse, source.bits,
                                 dibitsCall(in));
    readBack(in, destination);
    const fuzzcalls::SectionScene copy(in);
    if (copy.ready()) {
        const fuzzcheck::BlitCall call{in.signedArgument(), in.signedArgument(),
                                       in.signedArgument(), in.signedArgument(),
                                       in.signedArgument(), in.signedArgument()};
        fuzzcalls::bitBlt(copy.target(), destination.target(), call, SRCCOPY);
    }
    return 0;
}
