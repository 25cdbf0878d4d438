#include "section_scene.h"

namespace fuzzcalls {

namespace {

constexpr std::uint64_t maxSceneBytes = std::uint64_t(1) << 16;

}

SectionScene::SectionScene(fuzzinput::GdiInput& in) : m_dc(CreateCompatibleDC(nullptr)) {
    const fuzzinput::HeaderPlan plan = fuzzinput::sectionPlan(in, true);
    const UINT usage = in.ConsumeIntegralInRange(0, 7) == 0 ? DIB_PAL_COLORS : DIB_RGB_COLORS;
    const fuzzinput::InfoBlock info =
        fuzzinput::infoBlock(in, plan, usage, fuzzcheck::DibRole::Section);
    m_section = createDIBSection(info, usage, m_dc, nullptr, true, maxSceneBytes);
    if (!ready()) {
        return;
    }
    fuzzcheck::check(SelectObject(m_dc, m_section.bitmap) != nullptr,
                     "a DIB section selected into a memory DC");
    const auto seed = in.ConsumeIntegral<std::uint32_t>();
    const std::span<std::byte> bytes = pixels().bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = std::byte((seed ^ std::uint32_t(i) * 0x9E3779B1u) >> 13);
    }
}

SectionScene::~SectionScene() {
    DeleteDC(m_dc);
    if (m_section.bitmap) {
        DeleteObject(m_section.bitmap);
    }
}

}  // namespace fuzzcalls
