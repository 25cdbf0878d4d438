#pragma once

#include "gdi/dib_section_dc.h"

#include <cstddef>
#include <memory>
#include <unordered_map>

namespace probe {

// Destination sections kept from case to case by their format: making and releasing a section
// and its device context costs more than a small case's call. A case writes every pixel before
// its call and reads only pixels back, so a kept section serves it as a new one would. Only small
// sections are kept, and once they hold their share of memory each new one takes the place of
// one kept before, whose memory it reuses.
class KeptTargets {
public:
    // The section for the format, made now or kept from an earlier case; one that could not be
    // made is never kept.
    const gdi::DibSectionDC& targetFor(const gdi::DibFormat& format);

private:
    struct FormatHash {
        std::size_t operator()(const gdi::DibFormat& format) const;
    };

    std::unordered_map<gdi::DibFormat, std::unique_ptr<gdi::DibSectionDC>, FormatHash> m_targets;
    std::unique_ptr<gdi::DibSectionDC> m_unkept;
};

}  // namespace probe
