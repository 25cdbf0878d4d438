#pragma once

// Turns fuzz input into DIBs of every format: headers of every size with their masks and colour
// tables, and bits, each in a heap block of exactly the bytes a call may read, so that
// AddressSanitizer reports a read of one byte more. Most choices are formats the calls take;
// some fields are odd, some any value.

#include "dib_header_rules.h"
#include "gdi_fuzz_input.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace fuzzinput {

// The header fields to write; `size` 12 writes a BITMAPCOREHEADER.
struct HeaderPlan {
    DWORD size = 40;
    LONG width = 1;
    LONG height = 1;
    WORD planes = 1;
    WORD bitCount = 32;
    DWORD compression = BI_RGB;
    DWORD sizeImage = 0;
    DWORD clrUsed = 0;
    std::array<DWORD, 3> masks{};
};

// A BITMAPINFO of exactly the bytes the call reads from it.
class InfoBlock {
public:
    explicit InfoBlock(std::vector<std::byte> bytes) : m_bytes(std::move(bytes)) {}

    const BITMAPINFO* get() const { return reinterpret_cast<const BITMAPINFO*>(m_bytes.data()); }
    std::span<const std::byte> bytes() const { return m_bytes; }

private:
    std::vector<std::byte> m_bytes;
};

// A source header: mostly a format SetDIBitsToDevice takes, of a small DIB.
HeaderPlan sourcePlan(GdiInput& in);
// A DIB section's header: a format CreateDIBSection takes, of a small DIB; with `oddFields`
// sometimes one field or every field odd.
HeaderPlan sectionPlan(GdiInput& in, bool oddFields);
// A GetDIBits request for a bitmap of about `width` x `height`: mostly a format it takes (any bit
// count, bit fields with usual and odd masks, RLE), either row order, sometimes odd.
HeaderPlan requestPlan(GdiInput& in, int width, int height);
// DIB_RGB_COLORS or DIB_PAL_COLORS, sometimes any value.
UINT colorUse(GdiInput& in);

// The header's own fields, then its masks, in a zeroed block of exactly `bytes` bytes.
std::vector<std::byte> headerBlock(const HeaderPlan& plan, std::size_t bytes);

// The header, then whatever masks and colour table it implies for the call, from the input.
InfoBlock infoBlock(GdiInput& in, const HeaderPlan& plan, UINT colorUse, fuzzcheck::DibRole role);

// The request's BITMAPINFO in a block of exactly the bytes GetDIBits may touch: the header, its
// masks and room for the colour table, filled from the input; nothing when over a MiB.
std::optional<std::vector<std::byte>> requestBlock(GdiInput& in, const HeaderPlan& plan,
                                                   UINT usage);

// Bits for the header: about a whole number of its rows, or an RLE stream.
std::vector<std::byte> sourceBits(GdiInput& in, const HeaderPlan& plan);

struct SourceInput {
    InfoBlock info;
    UINT colorUse;
    std::vector<std::byte> bits;
};

// A source for SetDIBitsToDevice with the given bits; an RLE header's biSizeImage is mostly the
// stream's length, sometimes less, more, 0 or any value.
SourceInput sourceInput(GdiInput& in, HeaderPlan plan, std::vector<std::byte> bits);
SourceInput sourceInput(GdiInput& in);

}  // namespace fuzzinput
