#include "checked_calls.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace fuzzcalls {

namespace {

using fuzzcheck::check;
using fuzzcheck::Screen;

std::vector<std::byte> paddingOf(const SectionPixels& section) {
    const std::span<std::byte> bytes = section.bytes();
    std::vector<std::byte> padding(bytes.begin(), bytes.end());
    const SectionPixels blank{padding.data(), section.width, section.height, section.topDown,
                              section.format};
    for (int y = 0; y < section.height; ++y) {
        for (int x = 0; x < section.width; ++x) {
            blank.setValue(x, y, 0);
        }
    }
    return padding;
}

bool hasBitmap(HDC dc) {
    return GetCurrentObject(dc, OBJ_BITMAP) != nullptr;
}

}  // namespace

CreatedSection createDIBSection(const fuzzinput::InfoBlock& info, UINT usage, HDC dc,
                                HANDLE fileMapping, bool wantBits, std::uint64_t maxBytes) {
    const std::optional<fuzzcheck::PixelFormat> format =
        fuzzcheck::readSectionFormat(info.bytes(), usage, dc && hasBitmap(dc));
    const std::optional<fuzzcheck::HeaderFields> header = fuzzcheck::readHeader(info.bytes());
    const bool valid = format && !fileMapping;
    std::uint64_t rows = 0;
    std::uint64_t bytes = 0;
    if (valid) {
        rows = std::uint64_t(header->height < 0 ? -header->height : header->height);
        bytes = fuzzcheck::strideOf(std::uint64_t(header->width), format->bitCount) * rows;
        if (bytes > maxBytes) {
            return {};
        }
    }
    const std::vector<std::byte> infoBefore(info.bytes().begin(), info.bytes().end());
    void* bits = reinterpret_cast<void*>(std::uintptr_t(1));
    const HBITMAP bitmap =
        CreateDIBSection(dc, info.get(), usage, wantBits ? &bits : nullptr, fileMapping, 0);
    check(!bitmap == !valid, "CreateDIBSection succeeds exactly for a header the rules take");
    check(std::ranges::equal(info.bytes(), infoBefore), "CreateDIBSection leaves the header alone");
    if (wantBits) {
        check(!bits == !bitmap, "CreateDIBSection returns pixels exactly with a bitmap");
    }
    if (!bitmap) {
        return {};
    }
    BITMAP record{};
    check(GetObjectA(bitmap, sizeof record, &record) == sizeof record, "GetObjectA of a section");
    check(record.bmWidth == header->width && std::uint64_t(record.bmHeight) == rows &&
              std::uint64_t(record.bmWidthBytes) ==
                  fuzzcheck::strideOf(std::uint64_t(header->width), format->bitCount) &&
              record.bmBitsPixel == format->bitCount,
          "GetObjectA describes the section");
    CreatedSection created{bitmap, std::nullopt};
    if (wantBits) {
        created.pixels = SectionPixels{static_cast<std::byte*>(bits), int(header->width), int(rows),
                                       header->height < 0, *format};
        const std::span<std::byte> memory = created.pixels->bytes();
        check(std::ranges::all_of(memory, [](std::byte b) { return b == std::byte{0}; }),
              "a new section is zeroed");
    }
    return created;
}

int setDIBitsToDevice(const Target& target, const fuzzinput::InfoBlock* info, UINT colorUse,
                      std::span<const std::byte> bits, const fuzzcheck::DibitsCall& call) {
    const SectionPixels* surface = target.pixels;
    const Screen before = surface ? surface->screen() : Screen();
    const std::vector<std::byte> paddingBefore =
        surface ? paddingOf(*surface) : std::vector<std::byte>();
    const std::vector<std::byte> bitsBefore(bits.begin(), bits.end());
    const std::span<const std::byte> infoBytes =
        info ? info->bytes() : std::span<const std::byte>();
    const std::vector<std::byte> infoBefore(infoBytes.begin(), infoBytes.end());

    const int result = SetDIBitsToDevice(target.dc, call.xDest, call.yDest, call.width, call.height,
                                         call.xSrc, call.ySrc, call.startScan, call.cLines, bits,
                                         info ? info->get() : nullptr, colorUse);

    const std::optional<fuzzcheck::SourceDib> source =
        info ? fuzzcheck::readSourceDib(infoBytes, colorUse) : std::nullopt;
    const bool valid = source && bits.data() && call.cLines != 0 && hasBitmap(target.dc);
    check(result == (valid ? fuzzcheck::expectedSetDibitsResult(*source, call) : 0),
          "SetDIBitsToDevice result");
    check(std::ranges::equal(bits, bitsBefore), "SetDIBitsToDevice leaves the bits alone");
    check(std::ranges::equal(infoBytes, infoBefore), "SetDIBitsToDevice leaves the header alone");
    if (surface) {
        if (valid) {
            fuzzcheck::checkSetDibitsScreen(surface->screen(), before, surface->width,
                                            surface->format, *source, call, bits, result);
        } else {
            check(surface->screen() == before, "a refused SetDIBitsToDevice draws nothing");
        }
        check(paddingOf(*surface) == paddingBefore, "SetDIBitsToDevice leaves row padding alone");
    }
    return result;
}

int getDIBits(HDC dc, HBITMAP bitmap, const SectionPixels* pixels, UINT startScan, UINT cLines,
              std::span<std::byte> bits, std::span<std::byte> info, UINT usage) {
    auto* bmi = reinterpret_cast<BITMAPINFO*>(info.data());
    const std::vector<std::byte> infoBefore(info.begin(), info.end());
    BITMAPINFOHEADER requested{};
    if (bmi) {
        std::memcpy(&requested, bmi, std::min(info.size(), sizeof requested));
    }
    BITMAP record{};
    const bool bitmapLive = GetObjectA(bitmap, sizeof record, &record) != 0;

    const int result = GetDIBits(dc, bitmap, startScan, cLines, bits, bmi, usage);

    const bool valid = bmi && usage <= DIB_PAL_COLORS &&
                       requested.biSize >= sizeof(BITMAPINFOHEADER) && hasBitmap(dc) && bitmapLive;
    if (valid && requested.biBitCount == 0) {
        check(result == 1, "a GetDIBits query of the bitmap's format gives 1");
        check(bmi->bmiHeader.biWidth == record.bmWidth &&
                  bmi->bmiHeader.biHeight == record.bmHeight &&
                  bmi->bmiHeader.biBitCount == record.bmBitsPixel,
              "a GetDIBits query describes the bitmap");
        return result;
    }
    const fuzzcheck::DibitsBitmap read{record.bmWidth, record.bmHeight, record.bmBitsPixel,
                                       pixels ? std::optional(pixels->format) : std::nullopt,
                                       pixels};
    fuzzcheck::DibitsAnswer expected;
    if (valid) {
        expected = fuzzcheck::expectedDibits(infoBefore, read, startScan, cLines, bits, usage);
    }
    check(result == expected.result, "GetDIBits result");
    fuzzcheck::checkDibitsInfo(info, infoBefore, expected);
    fuzzcheck::checkDibitsBuffer(bits, untouched, expected, read);
    return result;
}

BOOL bitBlt(const Target& to, const Target& from, const fuzzcheck::BlitCall& call, DWORD rop) {
    const Screen before = to.pixels ? to.pixels->screen() : Screen();
    const Screen sourceBefore = from.pixels ? from.pixels->screen() : Screen();

    const BOOL result = BitBlt(to.dc, call.xDest, call.yDest, call.width, call.height, from.dc,
                               call.xSrc, call.ySrc, rop);

    const bool valid = hasBitmap(to.dc) && hasBitmap(from.dc) && rop == SRCCOPY;
    check(result == (valid ? TRUE : FALSE), "BitBlt result");
    if (to.pixels && (from.pixels || !valid)) {
        const Screen expected =
            valid ? fuzzcheck::expectedBitBltScreen(
                        {before, to.pixels->width, to.pixels->format},
                        {sourceBefore, from.pixels->width, from.pixels->format}, call)
                  : before;
        check(to.pixels->screen() == expected, "BitBlt pixels");
    }
    return result;
}

}  // namespace fuzzcalls
