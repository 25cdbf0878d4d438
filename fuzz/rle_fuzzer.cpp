// Decodes arbitrary BI_RLE8 and BI_RLE4 streams with SetDIBitsToDevice onto a DIB section of any
// format: the input's first bytes are the stream, so every escape, run and truncation is one
// mutation away; the header and the call (huge Width and Height included) come from its last
// bytes. The stream is a heap block of exactly its length; results and pixels are held against
// the restatement of RLE decoding in rle_rules.

#include "section_scene.h"

#include <vector>

namespace {

using fuzzinput::GdiInput;

constexpr std::size_t maxStreamBytes = 4096;

fuzzinput::HeaderPlan rlePlan(GdiInput& in) {
    fuzzinput::HeaderPlan plan;
    const int size = in.ConsumeIntegralInRange(0, 3);
    plan.size = size == 0 ? 108 : size == 1 ? 124 : 40;
    const bool rle8 = in.ConsumeBool();
    plan.bitCount = rle8 ? 8 : 4;
    plan.compression = rle8 ? BI_RLE8 : BI_RLE4;
    plan.width = in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 16) : in.signedArgument();
    plan.height = in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 16) : in.signedArgument();
    plan.planes = in.ConsumeBool() ? 1 : WORD(in.number());
    plan.clrUsed = in.ConsumeBool() ? 0 : in.unsignedArgument();
    return plan;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GdiInput in(data, size);
    const fuzzcalls::SectionScene destination(in);
    if (!destination.ready()) {
        return 0;
    }
    const fuzzinput::HeaderPlan plan = rlePlan(in);
    const fuzzcheck::DibitsCall call{
        in.signedArgument(), in.signedArgument(), in.unsignedArgument(), in.unsignedArgument(),
        in.signedArgument(), in.signedArgument(), in.unsignedArgument(), in.unsignedArgument()};
    const auto streamBytes =
        in.ConsumeIntegralInRange<std::size_t>(0, std::min(in.remaining_bytes(), maxStreamBytes));
    std::vector<std::byte> stream = in.ConsumeBytes<std::byte>(streamBytes);
    const fuzzinput::SourceInput source = fuzzinput::sourceInput(in, plan, std::move(stream));
    fuzzcalls::setDIBitsToDevice(destination.target(), &source.info, source.colorUse, source.bits,
                                 call);
    return 0;
}
