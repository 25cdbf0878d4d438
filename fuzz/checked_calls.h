#pragma once

// GDI calls made with fuzz input and checked on the spot against the restatements: each performs
// the call, then holds its result, the pixels and the buffers it was given against the rules.

#include "dib_fuzz_input.h"
#include "dibits_rules.h"
#include "gdi_call_checks.h"

#include <cstddef>
#include <optional>
#include <span>

namespace fuzzcalls {

using fuzzcheck::SectionPixels;

// A device context and, when they are known, the pixels of the bitmap selected into it.
struct Target {
    HDC dc = nullptr;
    const SectionPixels* pixels = nullptr;
};

struct CreatedSection {
    HBITMAP bitmap = nullptr;
    // Known when the caller asked for the bits.
    std::optional<SectionPixels> pixels;
};

inline constexpr std::byte untouched{0xA5};

// CreateDIBSection with an exact-size BITMAPINFO: made exactly when the rules take the header,
// zeroed, described by GetObjectA. Sections beyond `maxBytes` are not made.
CreatedSection createDIBSection(const fuzzinput::InfoBlock& info, UINT usage, HDC dc,
                                HANDLE fileMapping, bool wantBits, std::uint64_t maxBytes);

int setDIBitsToDevice(const Target& target, const fuzzinput::InfoBlock* info, UINT colorUse,
                      std::span<const std::byte> bits, const fuzzcheck::DibitsCall& call);

// GetDIBits of `bitmap`, whose pixels are known when `pixels` is given, with the BITMAPINFO
// `info`: a block of exactly the bytes the call may touch, or none for a NULL pointer.
int getDIBits(HDC dc, HBITMAP bitmap, const SectionPixels* pixels, UINT startScan, UINT cLines,
              std::span<std::byte> bits, std::span<std::byte> info, UINT usage);

BOOL bitBlt(const Target& to, const Target& from, const fuzzcheck::BlitCall& call, DWORD rop);

}  // namespace fuzzcalls
