#pragma once

#include "gdi/dib_format.h"

#include <cstddef>
#include <span>

namespace gdi {

// A memory device context with a DIB section of the given format selected into it, both released
// when it ends: the device context first, then the section.
class DibSectionDC {
public:
    explicit DibSectionDC(const DibFormat& format);
    ~DibSectionDC();
    DibSectionDC(const DibSectionDC&) = delete;
    DibSectionDC& operator=(const DibSectionDC&) = delete;

    bool created() const { return m_section != nullptr; }
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_section; }
    // The section's pixel memory in its stored row order; empty when no section was created.
    std::span<std::byte> bits() const { return m_bits; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_section = nullptr;
    std::span<std::byte> m_bits;
};

}  // namespace gdi
