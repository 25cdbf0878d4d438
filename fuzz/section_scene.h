#pragma once

// A memory DC with a DIB section of a fuzzed format selected into it, its pixels and row padding
// filled from the input: the destination the format targets draw on.

#include "checked_calls.h"

namespace fuzzcalls {

class SectionScene {
public:
    explicit SectionScene(fuzzinput::GdiInput& in);
    ~SectionScene();
    SectionScene(const SectionScene&) = delete;
    SectionScene& operator=(const SectionScene&) = delete;

    // False when the rules refuse the fuzzed header (and the layer did too).
    bool ready() const { return m_section.pixels.has_value(); }
    Target target() const { return {m_dc, &*m_section.pixels}; }
    HBITMAP bitmap() const { return m_section.bitmap; }
    const SectionPixels& pixels() const { return *m_section.pixels; }

private:
    HDC m_dc;
    CreatedSection m_section;
};

}  // namespace fuzzcalls
