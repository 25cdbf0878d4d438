#include "probe_eval.h"

#include "kept_targets.h"
#include "dib/pixel_rows.h"
#include "gdi/dib_section_dc.h"

#include <array>
#include <cstring>
#include <span>
#include <string>
#include <utility>

namespace probe {

namespace {

void fillPixels(std::span<std::byte> bits, const gdi::DibFormat& format, std::uint32_t value) {
    const std::size_t stride = format.stride();
    dib::fillRow(bits.data(), format.bitCount, std::size_t(format.width), value);
    for (std::size_t offset = stride; offset + stride <= bits.size(); offset += stride) {
        std::memcpy(bits.data() + offset, bits.data(), stride);
    }
}

std::vector<std::uint32_t> screenPixels(std::span<const std::byte> bits,
                                        const gdi::DibFormat& format) {
    const auto width = std::size_t(format.width);
    const auto height = std::size_t(format.height);
    const std::size_t stride = format.stride();
    std::vector<std::uint32_t> screen(width * height);
    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t bufferRow = gdi::bufferRowOf(row, height, format.order);
        dib::readRow(bits.data() + bufferRow * stride, format.bitCount,
                std::span(screen).subspan(row * width, width));
    }
    return screen;
}

// Why CreateDIBSection refused the destination. A zero mask is the reason a case line can give;
// Windows may also lack the memory.
std::string creationFailure(const gdi::DibFormat& destination) {
    if (destination.compression == BI_BITFIELDS) {
        const std::array<std::pair<const char*, DWORD>, 3> masks{
            {{"red", destination.masks.red},
             {"green", destination.masks.green},
             {"blue", destination.masks.blue}}};
        for (const auto& [channel, mask] : masks) {
            if (mask == 0) {
                return std::string("dst has a zero ") + channel +
                       " mask, which CreateDIBSection refuses";
            }
        }
    }
    return "CreateDIBSection cannot create the destination that DW, DH and dst describe";
}

}  // namespace

ProbeOutcome evaluateCase(const ProbeCase& probeCase) {
    thread_local KeptTargets targets;
    ProbeOutcome outcome;
    const gdi::DibSectionDC& target = targets.targetFor(probeCase.destination);
    if (!target.created()) {
        outcome.error = creationFailure(probeCase.destination);
        return outcome;
    }
    fillPixels(target.bits(), probeCase.destination, probeCase.fill);
    const gdi::DibInfo source(probeCase.source);
    const geometry::CallArguments& a = probeCase.arguments;
    outcome.result = SetDIBitsToDevice(target.dc(), a.xDest, a.yDest, a.width, a.height, a.xSrc,
                                       a.ySrc, a.startScan, a.cLines,
                                       std::span<const std::byte>(probeCase.bits), source.get(),
                                       probeCase.source.colorUse);
    outcome.destination = screenPixels(target.bits(), probeCase.destination);
    return outcome;
}

}  // namespace probe
