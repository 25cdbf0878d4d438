#include "kept_targets.h"

#include <initializer_list>

namespace probe {

namespace {

// At most 1024 sections of at most 4 KiB: a few MiB, which stay in the processor's caches.
constexpr std::size_t maxKeptSectionBytes = 4096;
constexpr std::size_t maxKeptSections = 1024;

std::size_t mixed(std::size_t hash, std::uint64_t value) {
    return (hash ^ value) * 0x100000001B3u;
}

}  // namespace

std::size_t KeptTargets::FormatHash::operator()(const gdi::DibFormat& format) const {
    std::size_t hash = 0xCBF29CE484222325u;
    for (const std::uint64_t field :
         {std::uint64_t(format.width), std::uint64_t(format.height), std::uint64_t(format.order),
          std::uint64_t(format.bitCount), std::uint64_t(format.compression),
          std::uint64_t(format.masks.red), std::uint64_t(format.masks.green),
          std::uint64_t(format.masks.blue), std::uint64_t(format.colorUse),
          std::uint64_t(format.headerSize), std::uint64_t(format.clrUsed),
          std::uint64_t(format.sizeImage)}) {
        hash = mixed(hash, field);
    }
    for (const DWORD colour : format.colours) {
        hash = mixed(hash, colour);
    }
    return hash;
}

const gdi::DibSectionDC& KeptTargets::targetFor(const gdi::DibFormat& format) {
    if (format.imageBytes() > maxKeptSectionBytes) {
        m_unkept = std::make_unique<gdi::DibSectionDC>(format);
        return *m_unkept;
    }
    if (const auto kept = m_targets.find(format); kept != m_targets.end()) {
        return *kept->second;
    }
    if (m_targets.size() == maxKeptSections) {
        m_targets.erase(m_targets.begin());
    }
    auto target = std::make_unique<gdi::DibSectionDC>(format);
    if (!target->created()) {
        m_unkept = std::move(target);
        return *m_unkept;
    }
    return *m_targets.emplace(format, std::move(target)).first->second;
}

}  // namespace probe
