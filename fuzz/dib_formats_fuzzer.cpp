// Draws one source DIB of any format (any header size, bit count, compression, masks, colour
// table, ColorUse and buffer length) with SetDIBitsToDevice onto a DIB section of any format,
// reads the section back with GetDIBits into 32 bpp and copies it with BitBlt onto a section of
// another format. Headers and bits are heap blocks of exactly the bytes the calls may read; every
// result and pixel is held against the restatements in gdi_call_checks.

#include "section_scene.h"

#include <cstring>
#include <vector>

namespace {

using fuzzinput::GdiInput;

fuzzcheck::DibitsCall dibitsCall(GdiInput& in) {
    return {in.signedArgument(), in.signedArgument(), in.unsignedArgument(), in.unsignedArgument(),
            in.signedArgument(), in.signedArgument(), in.unsignedArgument(), in.unsignedArgument()};
}

// GetDIBits of the whole section, or of a band of it, into 32 bpp.
void readBack(GdiInput& in, const fuzzcalls::SectionScene& scene) {
    const fuzzcalls::SectionPixels& pixels = scene.pixels();
    std::vector<std::byte> info(sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = in.ConsumeBool() ? pixels.width : in.ConsumeIntegralInRange(1, 16);
    header.biHeight = pixels.height * (in.ConsumeBool() ? -1 : 1);
    header.biPlanes = 1;
    header.biBitCount = 32;
    std::memcpy(info.data(), &header, sizeof header);
    const bool whole = in.ConsumeBool();
    const UINT startScan = whole ? 0 : in.unsignedArgument();
    const UINT cLines = whole ? UINT(pixels.height) : in.unsignedArgument();
    std::vector<std::byte> bits(std::size_t(header.biWidth) * 4 * std::size_t(pixels.height),
                                fuzzcalls::untouched);
    fuzzcalls::getDIBits(scene.target().dc, scene.bitmap(), &pixels, startScan, cLines, bits,
                         reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
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
