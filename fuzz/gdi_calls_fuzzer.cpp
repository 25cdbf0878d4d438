// Runs arbitrary sequences of GDI calls with arbitrary headers, arguments, buffer sizes and
// handles (live, deleted, of the wrong kind, made up) over DIB sections of every format. Buffers
// are heap blocks of exactly the size passed, so AddressSanitizer reports any access outside
// them; results and pixels are held against the restatements in gdi_call_checks.

#include "checked_calls.h"

#include <map>
#include <vector>

namespace {

using fuzzcalls::Target;
using fuzzcheck::check;
using fuzzcheck::SectionPixels;
using fuzzinput::GdiInput;
using fuzzinput::maxSide;

constexpr std::uint64_t maxSectionBytes = std::uint64_t(1) << 20;

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
    Target target(HDC dc) const;

    void addSurface();
    void keepSection(const fuzzcalls::CreatedSection& created);
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
    const HDC dc = CreateCompatibleDC(nullptr);
    const fuzzinput::HeaderPlan plan = fuzzinput::sectionPlan(m_in, false);
    const fuzzinput::InfoBlock info =
        fuzzinput::infoBlock(m_in, plan, DIB_RGB_COLORS, fuzzcheck::DibRole::Section);
    const fuzzcalls::CreatedSection created =
        fuzzcalls::createDIBSection(info, DIB_RGB_COLORS, nullptr, nullptr, true, maxSectionBytes);
    m_handles.push_back(dc);
    if (!created.bitmap) {
        return;
    }
    check(SelectObject(dc, created.bitmap) != nullptr, "a DIB section selected into a memory DC");
    keepSection(created);
    const SectionPixels& pixels = m_sections[created.bitmap];
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            pixels.setValue(x, y, m_in.ConsumeIntegral<std::uint32_t>());
        }
    }
}

void GdiSession::keepSection(const fuzzcalls::CreatedSection& created) {
    m_handles.push_back(created.bitmap);
    if (created.pixels) {
        m_sections[created.bitmap] = *created.pixels;
    }
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

Target GdiSession::target(HDC dc) const {
    return {dc, liveSection(GetCurrentObject(dc, OBJ_BITMAP))};
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
    const fuzzinput::HeaderPlan plan = fuzzinput::sectionPlan(m_in, true);
    const UINT usage =
        m_in.ConsumeIntegralInRange(0, 7) == 0 ? fuzzinput::colorUse(m_in) : DIB_RGB_COLORS;
    const fuzzinput::InfoBlock info =
        fuzzinput::infoBlock(m_in, plan, usage, fuzzcheck::DibRole::Section);
    const auto dc = usage == DIB_RGB_COLORS ? nullptr : static_cast<HDC>(handle());
    const HANDLE fileMapping = m_in.ConsumeIntegralInRange(0, 7) == 0 ? handle() : nullptr;
    const bool wantBits = m_in.ConsumeBool();
    const fuzzcalls::CreatedSection created =
        fuzzcalls::createDIBSection(info, usage, dc, fileMapping, wantBits, maxSectionBytes);
    if (!created.bitmap) {
        return;
    }
    keepSection(created);
    if (created.pixels) {
        for (std::byte& byte : created.pixels->bytes()) {
            byte = std::byte(m_in.ConsumeIntegral<std::uint8_t>());
        }
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
    const fuzzinput::SourceInput source = fuzzinput::sourceInput(m_in);
    const bool withInfo = m_in.ConsumeIntegralInRange(0, 15) != 0;
    const std::span<const std::byte> passed = m_in.ConsumeIntegralInRange(0, 15) == 0
                                                  ? std::span<const std::byte>()
                                                  : std::span(source.bits);
    const fuzzcheck::DibitsCall call{m_in.signedArgument(),   m_in.signedArgument(),
                                     m_in.unsignedArgument(), m_in.unsignedArgument(),
                                     m_in.signedArgument(),   m_in.signedArgument(),
                                     m_in.unsignedArgument(), m_in.unsignedArgument()};
    fuzzcalls::setDIBitsToDevice(target(dc), withInfo ? &source.info : nullptr, source.colorUse,
                                 passed, call);
}

void GdiSession::getDIBits() {
    const auto dc = static_cast<HDC>(handle());
    const auto bitmap = static_cast<HBITMAP>(handle());
    fuzzinput::HeaderPlan plan = fuzzinput::requestPlan(m_in, m_in.ConsumeIntegralInRange(1, 16),
                                                        m_in.ConsumeIntegralInRange(1, 16));
    if (m_in.ConsumeIntegralInRange(0, 7) == 0) {
        plan.bitCount = 0;
    }
    const UINT usage =
        m_in.ConsumeIntegralInRange(0, 7) == 0 ? fuzzinput::colorUse(m_in) : DIB_RGB_COLORS;
    std::optional<std::vector<std::byte>> info = fuzzinput::requestBlock(m_in, plan, usage);
    if (!info) {
        return;
    }
    const bool withInfo = m_in.ConsumeIntegralInRange(0, 15) != 0;
    std::vector<std::byte> bits = m_in.buffer(fuzzcalls::untouched);
    const std::span<std::byte> passed =
        m_in.ConsumeIntegralInRange(0, 7) == 0 ? std::span<std::byte>() : std::span(bits);
    const UINT startScan = m_in.unsignedArgument();
    const UINT cLines = m_in.unsignedArgument();
    fuzzcalls::getDIBits(dc, bitmap, liveSection(bitmap), startScan, cLines, passed,
                         withInfo ? std::span(*info) : std::span<std::byte>(), usage);
}

void GdiSession::bitBlt() {
    const auto to = static_cast<HDC>(handle());
    const auto from = static_cast<HDC>(handle());
    const fuzzcheck::BlitCall call{m_in.signedArgument(), m_in.signedArgument(),
                                   m_in.signedArgument(), m_in.signedArgument(),
                                   m_in.signedArgument(), m_in.signedArgument()};
    const DWORD rop = m_in.ConsumeIntegralInRange(0, 7) == 0 ? m_in.unsignedArgument() : SRCCOPY;
    fuzzcalls::bitBlt(target(to), target(from), call, rop);
}

void GdiSession::getObject() {
    void* object = handle();
    const int size = m_in.ConsumeIntegralInRange(-1, int(sizeof(BITMAP)) + 8);
    std::vector<std::byte> bytes(std::size_t(std::max(size, 0)), fuzzcalls::untouched);
    void* buffer = m_in.ConsumeBool() ? nullptr : bytes.data();
    const int result = GetObjectA(object, size, buffer);
    check(result == 0 || result == int(sizeof(BITMAP)), "GetObjectA result");
    if (buffer && size < int(sizeof(BITMAP))) {
        check(result == 0 && bytes == std::vector<std::byte>(bytes.size(), fuzzcalls::untouched),
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
