#include "gdi/dib_section_dc.h"

namespace gdi {

DibSectionDC::DibSectionDC(const DibFormat& format) : m_dc(CreateCompatibleDC(nullptr)) {
    const DibInfo info(format);
    void* bits = nullptr;
    m_section = CreateDIBSection(m_dc, info.get(), format.colorUse, &bits, nullptr, 0);
    if (m_section == nullptr || bits == nullptr) {
        return;
    }
    SelectObject(m_dc, m_section);
    m_bits = {static_cast<std::byte*>(bits), format.imageBytes()};
}

DibSectionDC::~DibSectionDC() {
    DeleteDC(m_dc);
    if (m_section != nullptr) {
        DeleteObject(m_section);
    }
}

}  // namespace gdi
