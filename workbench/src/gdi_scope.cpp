#include "workbench/gdi_scope.h"

#include "workbench/picture_bitmap.h"

namespace workbench {

DibSectionScope::DibSectionScope(const BITMAPINFO& header) : m_dc(CreateCompatibleDC(nullptr)) {
    void* bits = nullptr;
    m_section = CreateDIBSection(m_dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_section == nullptr || bits == nullptr) return;
    SelectObject(m_dc, m_section);
    m_pixels = {static_cast<std::byte*>(bits), dibImageBytes(header.bmiHeader)};
}

DibSectionScope::~DibSectionScope() {
    DeleteDC(m_dc);
    if (m_section != nullptr) DeleteObject(m_section);
}

}  // namespace workbench
