#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace difftest {

// What the comparison of one case found, when the two outputs agree well enough.
enum class CaseAgreement {
    // Same result, same pixels.
    Identical,
    // Same pixels, nothing drawn, and the results differ exactly where Wine is known to depart
    // from Windows: ours gives Windows' result, Wine its own.
    WineDeparture,
    // A top-down band of 2^31 rows or more: ours fails as Windows does (0, nothing drawn), while
    // Wine draws from the rows it has.
    WindowsRefusesBand,
    // A rectangle edge beyond the range of an int, where Wine's wrapped sums draw a different
    // rectangle: ours keeps Windows' result and draws as the arguments say (nothing for a
    // "negative" Width or Height), while Wine's wrapped rectangle is empty or not.
    WrappedRectangle,
    // The departures and Wine's limits of the format cases; see WineRun.
    PaletteWrap,
    ShortBuffer,
    ShortStream,
    LongRunSplit,
    DecodeAreaCut,
    DecodeAreaNotSent,
};

// Counts per source and destination format, by their labels.
using FormatPairCounts = std::map<std::pair<std::string_view, std::string_view>, std::uint64_t>;

// What a count of cases that agreed so stands for, as the summaries say it.
std::string_view agreementMeaning(CaseAgreement agreement);

// The counts as a table, sources down and the destinations labelled `columns` across, a row for
// each source with any.
std::string formatPairTable(const FormatPairCounts& counts,
                            std::span<const std::string_view> columns);

struct ProbeTally {
    std::uint64_t compared = 0;
    std::uint64_t identical = 0;
    std::uint64_t wineDepartures = 0;
    std::uint64_t refusedBands = 0;
    std::uint64_t wrappedRectangles = 0;
    std::uint64_t paletteWraps = 0;
    std::uint64_t shortBuffers = 0;
    std::uint64_t shortStreams = 0;
    std::uint64_t splitLongRuns = 0;
    std::uint64_t cutDecodeAreas = 0;
    std::uint64_t decodeAreasNotSent = 0;
    // Cases compared per source and destination format, by label.
    FormatPairCounts pairs;

    // Counts one compared case; an empty agreement is a mismatch.
    void add(std::optional<CaseAgreement> agreement);
    void add(std::optional<CaseAgreement> agreement, std::string_view source,
             std::string_view dest);
    std::string summary() const;

private:
    // The member that counts `agreement`, of a tally or a const tally.
    template <typename Tally>
    static auto& counter(Tally& tally, CaseAgreement agreement);
};

}  // namespace difftest
