#pragma once

#include <cstddef>
#include <span>

#include "gdi/gdi.h"

namespace workbench {

// A memory device context compatible with the screen and, optionally, a DIB section selected into
// it, both released when the scope ends: the device context first, then the section.
class DibSectionScope {
public:
    explicit DibSectionScope(const BITMAPINFO& header);
    ~DibSectionScope();
    DibSectionScope(const DibSectionScope&) = delete;
    DibSectionScope& operator=(const DibSectionScope&) = delete;

    bool created() const { return m_section != nullptr; }
    HDC dc() const { return m_dc; }
    // The section's pixel memory; empty when no section was created.
    std::span<std::byte> pixels() const { return m_pixels; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_section = nullptr;
    std::span<std::byte> m_pixels;
};

}  // namespace workbench
