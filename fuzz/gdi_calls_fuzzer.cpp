// Runs arbitrary sequences of GDI calls with arbitrary headers, arguments, buffer sizes and
// handles (live, deleted, of the wrong kind, made up). Buffers are heap blocks of exactly the
// size passed, so AddressSanitizer reports any access outside them; results and pixels are held
// against the restatements in gdi_call_checks.

#include "gdi_call_checks.h"
#include "gdi_fuzz_input.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

namespace {

using fuzzcheck::check;
using fuzzcheck::SectionPixels;
using fuzzinput::dibHeader;
using fuzzinput::GdiInput;
using fuzzinput::maxSide;

constexpr std::uint64_t maxSectionBytes = std::uint64_t(1) << 20;
constexpr std::uint64_t maxBitmapBytes = 0x7FFFFFFF;
constexpr std::byte untouched{0xA5};

class GdiSession {
public:
    explicit GdiSession(GdiInput& input);
    GdiSession(const GdiSession&) = delete;
    GdiSession& operator=(const GdiSession&) = delete;
    ~GdiSession();

    void step();

private:
    void* handle();
    const SectionPixels* liveSection(HGDIOBJ bitmap) const;
    const SectionPixels* surfaceSection(HDC dc) const;

    void addSurface();
    void createDC();
    void createDIBSection();
    void createBitmap();
    void selectObject();
    void setDIBitsToDevice();
    void getDIBits();
    void bitBlt();
    void getObject();

    GdiInput& m_in;
    std::vector<void*> m_handles;
    std::map<void*, SectionPixels> m_sections;
};

// Two DCs with small DIB sections selected, as the bench's pictures have, so that most calls
// reach pixels from the first step on.
GdiSession::GdiSession(GdiInput& input) : m_in(input) {
    addSurface();
    addSurface();
}

void GdiSession::addSurface() {
    BITMAPINFO info{};
    const LONG width = m_in.ConsumeIntegralInRange(1, 12);
    const LONG sign = m_in.ConsumeBool() ? -1 : 1;
    info.bmiHeader = dibHeader(width, sign * m_in.ConsumeIntegralInRange(1, 12));
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    check(dc && bitmap && SelectObject(dc, bitmap),
          "a small DIB section selected into a memory DC");
    const LONG height = std::abs(info.bmiHeader.biHeight);
    const SectionPixels pixels{static_cast<std::uint32_t*>(bits), info.bmiHeader.biWidth, height,
                               info.bmiHeader.biHeight < 0};
    for (std::size_t i = 0; i < std::size_t(pixels.width * height); ++i) {
        pixels.memory[i] = 0xC0000000u + std::uint32_t(m_handles.size() << 16) + std::uint32_t(i);
    }
    m_sections[bitmap] = pixels;
    m_handles.push_back(dc);
    m_handles.push_back(bitmap);
}

GdiSession::~GdiSession() {
    for (void* created : m_handles) {
        DeleteDC(static_cast<HDC>(created));
    }
    for (void* created : m_handles) {
        DeleteObject(created);
    }
}

// A handle this session created (perhaps deleted since), NULL, or a made-up value.
void* GdiSession::handle() {
    const auto pick = m_in.ConsumeIntegralInRange<std::size_t>(0, m_handles.size() + 1);
    if (pick < m_handles.size()) {
        return m_handles[pick];
    }
    if (pick == m_handles.size()) {
        return nullptr;
    }
    return reinterpret_cast<void*>(std::uintptr_t(m_in.ConsumeIntegral<std::uint32_t>()));
}

const SectionPixels* GdiSession::liveSection(HGDIOBJ bitmap) const {
    const auto found = m_sections.find(bitmap);
    if (found == m_sections.end() || GetObjectA(bitmap, 0, nullptr) == 0) {
        return nullptr;
    }
    return &found->second;
}

const SectionPixels* GdiSession::surfaceSection(HDC dc) const {
    return liveSection(GetCurrentObject(dc, OBJ_BITMAP));
}

void GdiSession::createDC() {
    const auto from = static_cast<HDC>(handle());
    const HDC dc = CreateCompatibleDC(from);
    check(!dc == (from && !GetCurrentObject(from, OBJ_BITMAP)),
          "CreateCompatibleDC fails only for an invalid DC");
    if (dc) {
        m_handles.push_back(dc);
    }
}

void GdiSession::createDIBSection() {
    BITMAPINFO info{};
    info.bmiHeader = m_in.header();
    const auto usage = m_in.ConsumeIntegralInRange<UINT>(0, 3);
    const HANDLE section = m_in.ConsumeIntegralInRange(0, 7) == 0 ? handle() : nullptr;
    const bool wantBits = m_in.ConsumeBool();
    const BITMAPINFOHEADER& h = info.bmiHeader;
    const std::uint64_t bytes =
        std::uint64_t(std::max(h.biWidth, 0)) *
        std::uint64_t(h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight) * 4;
    const bool valid = fuzzcheck::supportedHeader(h) && h.biPlanes == 1 &&
                       usage <= DIB_PAL_COLORS && !section && bytes <= maxBitmapBytes;
    if (valid && bytes > maxSectionBytes) {
        return;
    }
    void* bits = reinterpret_cast<void*>(std::uintptr_t(1));
    const HBITMAP bitmap =
        CreateDIBSection(nullptr, &info, usage, wantBits ? &bits : nullptr, section, 0);
    check(!bitmap == !valid, "CreateDIBSection succeeds exactly for a supported header");
    if (wantBits) {
        check(!bits == !bitmap, "CreateDIBSection returns pixels exactly with a bitmap");
    }
    if (!bitmap) {
        return;
    }
    m_handles.push_back(bitmap);
    BITMAP record{};
    check(GetObjectA(bitmap, sizeof record, &record) == sizeof record, "GetObjectA of a section");
    check(record.bmWidth == h.biWidth &&
              std::uint64_t(record.bmHeight) * record.bmWidth * 4 == bytes &&
              record.bmWidthBytes == 4 * h.biWidth && record.bmBitsPixel == 32,
          "GetObjectA describes the section");
    if (wantBits) {
        const SectionPixels pixels{static_cast<std::uint32_t*>(bits), record.bmWidth,
                                   record.bmHeight, h.biHeight < 0};
        for (std::uint32_t& pixel : std::span(pixels.memory, std::size_t(bytes / 4))) {
            check(pixel == 0, "a new section is zeroed");
            pixel = m_in.ConsumeIntegral<std::uint32_t>();
        }
        m_sections[bitmap] = pixels;
    }
}

void GdiSession::createBitmap() {
    const int width = m_in.ConsumeIntegralInRange(-1, maxSide);
    const int height = m_in.ConsumeIntegralInRange(-1, maxSide);
    const UINT planes = m_in.ConsumeIntegralInRange<UINT>(0, 2);
    const UINT bitCount = m_in.ConsumeBool() ? 32 : m_in.ConsumeIntegralInRange<UINT>(0, 33);
    std::vector<std::uint32_t> pixels(std::size_t(std::max(width, 0) * std::max(height, 0)));
    const bool withBits = m_in.ConsumeBool() && !pixels.empty();
    const HBITMAP bitmap =
        CreateBitmap(width, height, planes, bitCount, withBits ? pixels.data() : nullptr);
    if (planes != 1 || bitCount != 32) {
        check(!bitmap, "CreateBitmap refuses formats other than 32 bpp");
    } else if (width >= 0 && height >= 0) {
        check(bitmap != nullptr, "CreateBitmap makes a 32-bpp bitmap of any small size");
    }
    if (bitmap) {
        m_handles.push_back(bitmap);
    }
}

void GdiSession::selectObject() {
    const auto dc = static_cast<HDC>(handle());
    void* object = handle();
    const HGDIOBJ previous = SelectObject(dc, object);
    if (previous) {
        check(GetCurrentObject(dc, OBJ_BITMAP) == object, "SelectObject makes the bitmap current");
    }
}

void GdiSession::setDIBitsToDevice() {
    const auto dc = static_cast<HDC>(handle());
    const auto info = std::make_unique<BITMAPINFO>();
    info->bmiHeader = m_in.header();
    const BITMAPINFO* bmi = m_in.ConsumeIntegralInRange(0, 15) == 0 ? nullptr : info.get();
    const std::vector<std::byte> bits = m_in.sourceBits();
    const std::span<const std::byte> passed =
        m_in.ConsumeIntegralInRange(0, 15) == 0 ? std::span<const std::byte>() : std::span(bits);
    const fuzzcheck::DibitsCall call{m_in.signedArgument(),   m_in.signedArgument(),
                                     m_in.unsignedArgument(), m_in.unsignedArgument(),
                                     m_in.signedArgument(),   m_in.signedArgument(),
                                     m_in.unsignedArgument(), m_in.unsignedArgument()};
    const UINT colorUse = m_in.ConsumeIntegralInRange(0, 7) == 0 ? m_in.ConsumeIntegral<UINT>() : 0;
    const SectionPixels* surface = surfaceSection(dc);
    const fuzzcheck::Screen before = surface ? surface->screen() : fuzzcheck::Screen();
    const std::vector<std::byte> bitsBefore = bits;

    const int result =
        SetDIBitsToDevice(dc, call.xDest, call.yDest, call.width, call.height, call.xSrc, call.ySrc,
                          call.startScan, call.cLines, passed, bmi, colorUse);

    const bool valid = bmi && fuzzcheck::supportedHeader(bmi->bmiHeader) && passed.data() &&
                       colorUse <= 2 && call.cLines != 0 && GetCurrentObject(dc, OBJ_BITMAP);
    check(result >= 0 && UINT(result) <= call.cLines,
          "SetDIBitsToDevice sets at most cLines lines");
    if (valid && bmi->bmiHeader.biHeight < 0) {
        check(UINT(result) == call.cLines || result == 0, "top-down: the result is cLines or 0");
    }
    check(result == (valid ? fuzzcheck::expectedSetDibitsResult(bmi->bmiHeader, call) : 0),
          "SetDIBitsToDevice result");
    check(bits == bitsBefore, "SetDIBitsToDevice leaves the bits alone");
    if (surface) {
        const fuzzcheck::Screen expected =
            valid ? fuzzcheck::expectedSetDibitsScreen(before, surface->width, bmi->bmiHeader, call,
                                                       passed, result)
                  : before;
        check(surface->screen() == expected, "SetDIBitsToDevice pixels");
    }
}

void GdiSession::getDIBits() {
    const auto dc = static_cast<HDC>(handle());
    const auto bitmap = static_cast<HBITMAP>(handle());
    const auto info = std::make_unique<BITMAPINFO>();
    info->bmiHeader = m_in.header();
    if (m_in.ConsumeIntegralInRange(0, 7) == 0) {
        info->bmiHeader.biBitCount = 0;
    }
    const BITMAPINFOHEADER requested = info->bmiHeader;
    BITMAPINFO* bmi = m_in.ConsumeIntegralInRange(0, 15) == 0 ? nullptr : info.get();
    std::vector<std::byte> bits = m_in.buffer(untouched);
    const std::span<std::byte> passed =
        m_in.ConsumeIntegralInRange(0, 7) == 0 ? std::span<std::byte>() : std::span(bits);
    const UINT startScan = m_in.unsignedArgument();
    const UINT cLines = m_in.unsignedArgument();
    const UINT usage = m_in.ConsumeIntegralInRange(0, 7) == 0 ? m_in.ConsumeIntegral<UINT>() : 0;
    BITMAP record{};
    const bool bitmapLive = GetObjectA(bitmap, sizeof record, &record) != 0;

    const int result = GetDIBits(dc, bitmap, startScan, cLines, passed, bmi, usage);

    const bool valid = bmi && usage <= DIB_PAL_COLORS &&
                       requested.biSize >= sizeof(BITMAPINFOHEADER) &&
                       GetCurrentObject(dc, OBJ_BITMAP) && bitmapLive;
    fuzzcheck::GetDibitsOutcome expected;
    if (valid && requested.biBitCount == 0) {
        expected.result = 1;
        check(bmi->bmiHeader.biWidth == record.bmWidth &&
                  bmi->bmiHeader.biHeight == record.bmHeight &&
                  bmi->bmiHeader.biBitCount == record.bmBitsPixel,
              "a GetDIBits query describes the bitmap");
    } else if (valid) {
        expected =
            fuzzcheck::expectedGetDibits(requested, record.bmHeight, startScan, cLines, passed);
    }
    check(result == expected.result, "GetDIBits result");
    fuzzcheck::checkGetDibitsBuffer(bits, untouched, requested, liveSection(bitmap), startScan,
                                    expected.rowsWritten);
}

void GdiSession::bitBlt() {
    const auto to = static_cast<HDC>(handle());
    const auto from = static_cast<HDC>(handle());
    const fuzzcheck::BlitCall call{m_in.signedArgument(), m_in.signedArgument(),
                                   m_in.signedArgument(), m_in.signedArgument(),
                                   m_in.signedArgument(), m_in.signedArgument()};
    const DWORD rop = m_in.ConsumeIntegralInRange(0, 7) == 0 ? m_in.unsignedArgument() : SRCCOPY;
    const SectionPixels* destination = surfaceSection(to);
    const SectionPixels* source = surfaceSection(from);
    const fuzzcheck::Screen before = destination ? destination->screen() : fuzzcheck::Screen();
    const fuzzcheck::Screen sourceBefore = source ? source->screen() : fuzzcheck::Screen();

    const BOOL result = BitBlt(to, call.xDest, call.yDest, call.width, call.height, from, call.xSrc,
                               call.ySrc, rop);

    const bool valid =
        GetCurrentObject(to, OBJ_BITMAP) && GetCurrentObject(from, OBJ_BITMAP) && rop == SRCCOPY;
    check(result == (valid ? TRUE : FALSE), "BitBlt result");
    if (destination && (source || !valid)) {
        const fuzzcheck::Screen expected =
            valid ? fuzzcheck::expectedBitBltScreen(before, destination->width, sourceBefore,
                                                    source->width, call)
                  : before;
        check(destination->screen() == expected, "BitBlt pixels");
    }
}

void GdiSession::getObject() {
    void* object = handle();
    const int size = m_in.ConsumeIntegralInRange(-1, int(sizeof(BITMAP)) + 8);
    std::vector<std::byte> bytes(std::size_t(std::max(size, 0)), untouched);
    void* buffer = m_in.ConsumeBool() ? nullptr : bytes.data();
    const int result = GetObjectA(object, size, buffer);
    check(result == 0 || result == int(sizeof(BITMAP)), "GetObjectA result");
    if (buffer && size < int(sizeof(BITMAP))) {
        check(result == 0 && bytes == std::vector<std::byte>(bytes.size(), untouched),
              "GetObjectA writes nothing into a buffer too small for a BITMAP");
    }
}

void GdiSession::step() {
    switch (m_in.ConsumeIntegralInRange(0, 9)) {
        case 0:
            return createDC();
        case 1:
        case 2:
            return createDIBSection();
        case 3:
            return createBitmap();
        case 4:
            return selectObject();
        case 5:
            DeleteObject(handle());
            return;
        case 6:
            DeleteDC(static_cast<HDC>(handle()));
            return;
        case 7:
            return setDIBitsToDevice();
        case 8:
            return m_in.ConsumeBool() ? getDIBits() : getObject();
        default:
            return bitBlt();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GdiInput input(data, size);
    GdiSession session(input);
    for (int steps = 0; steps < 64 && input.remaining_bytes() > 0; ++steps) {
        session.step();
    }
    return 0;
}
