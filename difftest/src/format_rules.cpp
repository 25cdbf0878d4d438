#include "format_rules.h"

#include "scan_line_rules.h"

#include <algorithm>
#include <array>

namespace difftest {

namespace {

constexpr std::uint32_t paletteSize = 20;

// The default palette (the stock DEFAULT_PALETTE of a memory DC).
constexpr std::array<std::uint32_t, paletteSize> defaultPalette{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
    0xc0c0c0, 0xc0dcc0, 0xa6caf0, 0xfffbf0, 0xa0a0a4, 0x808080, 0xff0000,
    0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff};

std::int32_t wrapped(std::int64_t value) {
    return std::int32_t(std::uint32_t(std::uint64_t(value)));
}

std::uint32_t hashedColour(std::uint32_t index) {
    return ((index + 1) * 0x9E3779B1u) >> 8;
}

bool refusedHeader(const ProbeCase& c) {
    return c.source->rle() && (c.sourceTopDown || headerSizeImage(c) == 0);
}

std::size_t imageBytes(const ProbeCase& c) {
    return c.source->stride(c.sourceWidth) * c.sourceHeight;
}

}  // namespace

std::uint32_t defaultPaletteColour(std::uint32_t index) {
    return defaultPalette.at(index);
}

std::uint32_t colourEntriesRead(const ProbeCase& c) {
    const std::uint32_t all = std::uint32_t(1) << c.source->bitCount;
    const std::uint32_t used = c.clrUsed.value_or(std::uint32_t(c.sourceColours.size()));
    return used == 0 ? all : std::min(used, all);
}

std::uint32_t writtenColourEntry(const ProbeCase& c, std::uint32_t k) {
    if (!c.sourceColours.empty()) {
        return k < c.sourceColours.size() ? c.sourceColours[k] : 0;
    }
    if (k >= std::uint32_t(1) << c.source->bitCount) {
        return 0;
    }
    return c.paletteIndices ? k % paletteSize : hashedColour(k);
}

bool palettesWrapApart(const ProbeCase& c) {
    if (!c.paletteIndices || !c.source->indexed()) {
        return false;
    }
    const std::uint32_t read = colourEntriesRead(c);
    for (std::uint32_t k = 0; read < paletteSize && k < read; ++k) {
        const std::uint32_t index = writtenColourEntry(c, k) & 0xffff;
        if (index % paletteSize != index % read) {
            return true;
        }
    }
    return false;
}

ProbeCase withRgbTable(const ProbeCase& c) {
    ProbeCase rgb = c;
    const std::uint32_t read = colourEntriesRead(c);
    rgb.sourceColours.clear();
    for (std::uint32_t k = 0; k < read; ++k) {
        rgb.sourceColours.push_back(
            defaultPalette[(writtenColourEntry(c, k) & 0xffff) % paletteSize]);
    }
    rgb.clrUsed = read;
    rgb.paletteIndices = false;
    return rgb;
}

std::size_t bufferBytes(const ProbeCase& c) {
    return c.bits ? c.bits->size() : imageBytes(c);
}

std::uint32_t headerSizeImage(const ProbeCase& c) {
    if (c.sizeImage) {
        return *c.sizeImage;
    }
    return c.source->rle() ? std::uint32_t(bufferBytes(c)) : 0;
}

std::int64_t windowsResult(const ProbeCase& c) {
    if (c.cLines == 0 || refusedHeader(c)) {
        return 0;
    }
    if (!c.source->rle()) {
        return windowsScanLines(c);
    }
    const bool empty = std::int32_t(c.width) <= 0 || std::int32_t(c.height) <= 0 ||
                       wrapped(std::int64_t(c.xSrc) + c.width) <= 0 ||
                       wrapped(std::int64_t(c.ySrc) + c.height) <= 0;
    return empty ? 0 : std::int64_t(c.sourceHeight);
}

std::optional<std::uint32_t> bufferRowFor(const ProbeCase& c, std::uint32_t x, std::uint32_t y) {
    constexpr std::int64_t signedLimit = std::int64_t(1) << 31;
    if (windowsResult(c) == 0 || c.startScan >= c.sourceHeight || c.width >= signedLimit ||
        c.height >= signedLimit) {
        return std::nullopt;
    }
    const std::int64_t i = std::int64_t(x) - c.xDest;
    const std::int64_t j = std::int64_t(y) - c.yDest;
    const std::int64_t column = c.xSrc + i;
    const std::int64_t scanLine = std::int64_t(c.ySrc) + c.height - 1 - j;
    if (i < 0 || i >= c.width || j < 0 || j >= c.height || column < 0 || column >= c.sourceWidth) {
        return std::nullopt;
    }
    const std::int64_t h = c.sourceHeight;
    const std::int64_t start = c.startScan;
    const std::int64_t row = c.sourceTopDown ? start + c.cLines - 1 - scanLine : scanLine - start;
    const std::int64_t rows = c.sourceTopDown ? std::min<std::int64_t>(c.cLines, h)
                                              : std::min<std::int64_t>(c.cLines, h - start);
    if (row < 0 || row >= rows) {
        return std::nullopt;
    }
    return std::uint32_t(row);
}

bool shortBuffer(const ProbeCase& c) {
    return !c.source->rle() && c.bits && c.bits->size() < imageBytes(c);
}

ProbeCase withWholeBuffer(const ProbeCase& c) {
    ProbeCase whole = c;
    if (whole.bits) {
        whole.bits->resize(std::max(whole.bits->size(), imageBytes(c)), 0);
    }
    return whole;
}

bool streamPastBuffer(const ProbeCase& c) {
    return c.source->rle() && c.bits && headerSizeImage(c) > c.bits->size();
}

StreamReach streamReach(std::span<const std::uint8_t> stream, std::uint32_t bitCount) {
    StreamReach reach;
    std::uint64_t x = 0;
    std::uint64_t line = 0;
    const auto set = [&](std::uint64_t count) {
        reach.columns = std::uint32_t(std::max<std::uint64_t>(reach.columns, x + count));
        reach.lines = std::uint32_t(std::max<std::uint64_t>(reach.lines, line + 1));
        x += count;
    };
    std::size_t at = 0;
    while (at + 2 <= stream.size()) {
        const std::uint8_t count = stream[at];
        const std::uint8_t code = stream[at + 1];
        at += 2;
        if (count > 0) {
            set(count);
        } else if (code == 0) {
            x = 0;
            ++line;
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            if (at + 2 > stream.size()) {
                break;
            }
            x += stream[at];
            line += stream[at + 1];
            at += 2;
        } else {
            const std::size_t bytes = (std::size_t(code) * bitCount + 7) / 8;
            if (at + bytes > stream.size()) {
                break;
            }
            set(code);
            at += (bytes + 1) / 2 * 2;
        }
    }
    return reach;
}

bool decodeAreaBeyondWine(const ProbeCase& c) {
    return c.source->rle() && c.cLines != 0 && !refusedHeader(c) &&
           decodeAreaBytes(c) > wineDecodeAreaLimit;
}

std::optional<std::vector<std::uint8_t>> withLongRunsSplit(const ProbeCase& c) {
    constexpr std::uint8_t longest = 255;
    if (c.source->compression != BI_RLE8 || !c.bits) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> stream = *c.bits;
    const std::size_t end = std::min<std::size_t>(stream.size(), headerSizeImage(c));
    bool split = false;
    std::size_t at = 0;
    while (at + 2 <= end) {
        const std::uint8_t count = stream[at];
        const std::uint8_t code = stream[at + 1];
        at += 2;
        if (count > 0 || code == 0) {
            continue;
        }
        if (code == 1 || (code == 2 && at + 2 > end) || (code > 2 && at + code > end)) {
            break;
        }
        if (code == longest) {
            stream[at - 1] = longest - 1;
            const std::uint8_t last = stream[at + longest - 1];
            stream[at + longest - 1] = 1;
            if (at + longest < stream.size()) {
                stream[at + longest] = last;
            }
            split = true;
        }
        at += code == 2 ? 2 : (std::size_t(code) + 1) / 2 * 2;
    }
    return split ? std::optional(std::move(stream)) : std::nullopt;
}

std::uint64_t decodeAreaBytes(const ProbeCase& c) {
    const std::int32_t columns = wrapped(std::int64_t(c.xSrc) + c.width);
    const std::int32_t lines = wrapped(std::int64_t(c.ySrc) + c.height);
    if (columns <= 0 || lines <= 0) {
        return 0;
    }
    return std::uint64_t(c.source->stride(std::uint32_t(columns))) * std::uint32_t(lines);
}

std::optional<ProbeCase> withDecodeAreaCut(const ProbeCase& c) {
    if (windowsResult(c) == 0 || !c.bits) {
        return std::nullopt;
    }
    const std::size_t read = std::min<std::size_t>(c.bits->size(), headerSizeImage(c));
    const StreamReach reach = streamReach(std::span(*c.bits).first(read), c.source->bitCount);
    const std::int64_t columns = std::int64_t(c.xSrc) + c.width;
    const std::int64_t lines = std::int64_t(c.ySrc) + c.height;
    // At least one column and line, so that the cut call keeps its result.
    const std::int64_t cutColumns =
        std::min<std::int64_t>(columns, std::max<std::uint32_t>(reach.columns, 1));
    const std::int64_t cutLines =
        std::min<std::int64_t>(lines, std::max<std::uint32_t>(reach.lines, 1));
    if (cutColumns <= c.xSrc || cutLines <= c.ySrc) {
        return std::nullopt;
    }
    ProbeCase cut = c;
    cut.width = std::uint32_t(cutColumns - c.xSrc);
    cut.height = std::uint32_t(cutLines - c.ySrc);
    cut.yDest = std::int32_t(c.yDest + (lines - cutLines));
    return cut;
}

}  // namespace difftest
