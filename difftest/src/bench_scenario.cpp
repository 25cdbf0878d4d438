#include "bench_scenario.h"

#include "format_rules.h"

#include <algorithm>

namespace difftest {

namespace {

constexpr std::uint32_t sourceSize = 8;
constexpr std::uint32_t destWidth = 8;
constexpr std::uint32_t destHeight = 8;

const TestFormat& formatLabelled(std::span<const TestFormat> formats, std::string_view label) {
    return *std::find_if(formats.begin(), formats.end(),
                         [label](const TestFormat& format) { return format.label == label; });
}

const TestFormat* sourceLabelled(std::string_view label) {
    return &formatLabelled(sourceFormats(), label);
}

const TestFormat* destLabelled(std::string_view label) {
    return &formatLabelled(destinationFormats(), label);
}

// A colour as a person picks one: mostly any, sometimes a default palette entry or a grey, where
// nearest-colour matching meets exact matches and ties.
std::uint32_t drawColour(Draw& draw) {
    switch (draw.below(4)) {
        case 0:
            return defaultPaletteColour(draw.below(20));
        case 1:
            return (draw.below(256) * 0x010101u);
        default:
            return draw.any() & 0xffffff;
    }
}

// A field as a person types one: mostly small values about the pictures, sometimes the ends of
// 16 bits, and rarely a number the window refuses.
std::int32_t drawField(Draw& draw) {
    static constexpr std::array<std::int32_t, 8> ends{-32768, -32767, -1,    32767,
                                                      32766,  -9,     16384, -16384};
    static constexpr std::array<std::int32_t, 4> refused{32768, -32769, 65536, 100000};
    if (draw.oneIn(300)) {
        return draw.pick(std::span<const std::int32_t>(refused));
    }
    if (draw.oneIn(12)) {
        return draw.pick(std::span<const std::int32_t>(ends));
    }
    return draw.between(-3, 12);
}

std::array<std::int32_t, 8> drawFields(Draw& draw) {
    std::array<std::int32_t, 8> fields{};
    for (std::int32_t& field : fields) {
        field = drawField(draw);
    }
    // Half the time the whole picture, as the window starts, with the other fields drawn.
    if (draw.coin()) {
        fields[2] = fields[3] = fields[7] = 8;
    }
    return fields;
}

// A point mostly on the picture, rarely off it, where the window refuses it with a message.
BenchPoint drawPoint(Draw& draw) {
    static constexpr std::array<std::int32_t, 3> off{-1, 8, 300};
    const auto coordinate = [&draw] {
        return draw.oneIn(40) ? draw.pick(std::span<const std::int32_t>(off)) : draw.between(0, 7);
    };
    const std::int32_t x = coordinate();
    return {x, coordinate(), drawColour(draw)};
}

// Any destination format but 5-6-5, which Wine cannot convert a picture into (scenario_rules.h):
// a picture that is not one stays comparable.
const TestFormat* drawFillFormat(Draw& draw) {
    const std::span<const TestFormat* const> dests = benchDestinationFormats();
    const TestFormat* format = dests[draw.below(std::uint32_t(dests.size() - 1))];
    return format->label == "565" ? dests.back() : format;
}

BenchScenario drawScenario(Draw& draw, const TestFormat* source, const TestFormat* dest) {
    BenchScenario s;
    s.source = source;
    s.dest = dest;
    s.sourceTopDown = draw.coin();
    s.destTopDown = draw.coin();
    s.paletteIndexes = source->indexed() && draw.coin();
    if (draw.oneIn(4)) {
        s.fillFormat = drawFillFormat(draw);
    }
    s.sourceFill = drawColour(draw);
    s.points.resize(draw.below(4));
    for (BenchPoint& point : s.points) {
        point = drawPoint(draw);
    }
    s.destFill = drawColour(draw);
    s.fields = drawFields(draw);
    s.listBits = draw.oneIn(3);
    s.printHeader = draw.oneIn(4);
    // XSrc + Width by YSrc + Height: each sum redrawn small until the area is within the limit.
    for (std::size_t size = 2; makesCall(s) && decodeAreaBeyondWine(benchCall(s)); size ^= 1) {
        s.fields[size] = draw.between(0, 12);
        s.fields[size + 2] = draw.between(-3, 12);
    }
    return s;
}

std::uint32_t asCallReceives(std::int32_t field) {
    return std::uint32_t(std::int32_t(std::int16_t(field)));
}

std::string channel(std::uint32_t colour, int shift) {
    return std::to_string((colour >> shift) & 0xff);
}

}  // namespace

std::span<const TestFormat* const> benchSourceFormats() {
    static const std::array<const TestFormat*, 9> formats{
        sourceLabelled("1"),   sourceLabelled("4"),    sourceLabelled("8"),
        sourceLabelled("555"), sourceLabelled("565"),  sourceLabelled("24"),
        sourceLabelled("32"),  sourceLabelled("rle8"), sourceLabelled("rle4")};
    return formats;
}

std::span<const TestFormat* const> benchDestinationFormats() {
    static const std::array<const TestFormat*, 7> formats{
        destLabelled("1"),   destLabelled("4"),  destLabelled("8"), destLabelled("555"),
        destLabelled("565"), destLabelled("24"), destLabelled("32")};
    return formats;
}

std::vector<BenchScenario> benchScenarios(std::uint32_t seed, std::size_t count) {
    Draw draw(seed);
    const std::span<const TestFormat* const> sources = benchSourceFormats();
    const std::span<const TestFormat* const> dests = benchDestinationFormats();
    std::vector<BenchScenario> scenarios;
    scenarios.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t pair = i % (sources.size() * dests.size());
        scenarios.push_back(
            drawScenario(draw, sources[pair / dests.size()], dests[pair % dests.size()]));
    }
    return scenarios;
}

bool makesCall(const BenchScenario& s) {
    return std::all_of(s.fields.begin(), s.fields.end(),
                       [](std::int32_t field) { return field >= -32768 && field <= 32767; });
}

ProbeCase benchCall(const BenchScenario& s) {
    ProbeCase c;
    c.destWidth = destWidth;
    c.destHeight = destHeight;
    c.destTopDown = s.destTopDown;
    c.sourceWidth = sourceSize;
    c.sourceHeight = sourceSize;
    c.sourceTopDown = s.sourceTopDown;
    c.source = s.source;
    c.dest = s.dest;
    c.xDest = std::int32_t(asCallReceives(s.fields[0]));
    c.yDest = std::int32_t(asCallReceives(s.fields[1]));
    c.width = asCallReceives(s.fields[2]);
    c.height = asCallReceives(s.fields[3]);
    c.xSrc = std::int32_t(asCallReceives(s.fields[4]));
    c.ySrc = std::int32_t(asCallReceives(s.fields[5]));
    c.startScan = asCallReceives(s.fields[6]);
    c.cLines = asCallReceives(s.fields[7]);
    c.paletteIndices = s.paletteIndexes;
    if (s.paletteIndexes) {
        c.sourceColours.resize(std::size_t(1) << s.source->bitCount);
        for (std::uint32_t k = 0; k < c.sourceColours.size(); ++k) {
            c.sourceColours[k] = k;
        }
    }
    c.clrUsed = 0;
    return c;
}

std::string scenarioMarker(std::size_t number) {
    return "Text3.Text = scenario " + std::to_string(number);
}

void BenchScriptWriter::line(const std::string& text) {
    m_text += text;
    m_text += '\n';
}

void BenchScriptWriter::colour(const char* const (&fields)[3], std::uint32_t colour) {
    line(std::string("set ") + fields[0] + ' ' + channel(colour, 16));
    line(std::string("set ") + fields[1] + ' ' + channel(colour, 8));
    line(std::string("set ") + fields[2] + ' ' + channel(colour, 0));
}

void BenchScriptWriter::box(const char* name, bool& state, bool wanted) {
    if (state != wanted) {
        line(std::string("click ") + name);
        state = wanted;
    }
}

void BenchScriptWriter::format(const char* side, std::string_view& state, std::string_view wanted) {
    if (state != wanted) {
        line(std::string("format ") + side + ' ' + std::string(wanted));
        state = wanted;
    }
}

void BenchScriptWriter::paint(const BenchScenario& s) {
    static constexpr const char* sourceFields[3] = {"Text7", "Text8", "Text9"};
    static constexpr const char* destFields[3] = {"Text4", "Text5", "Text6"};
    colour(sourceFields, s.sourceFill);
    line("click cmdSetSrcBkg");
    for (const BenchPoint& point : s.points) {
        colour(sourceFields, point.colour);
        line("set Text10 " + std::to_string(point.x));
        line("set Text11 " + std::to_string(point.y));
        line("click cmdSetSrcPoint");
    }
    const TestFormat* filled = s.fillFormat != nullptr ? s.fillFormat : s.dest;
    format("destination", m_destFormat, filled->token);
    colour(destFields, s.destFill);
    line("click cmdSetDestBkg");
    format("destination", m_destFormat, s.dest->token);
}

void BenchScriptWriter::run(const BenchScenario& s) {
    static constexpr std::array<const char*, 8> fieldNames{"Text1(0)", "Text1(1)", "Text1(2)",
                                                           "Text1(3)", "Text2(0)", "Text2(1)",
                                                           "Text2(2)", "Text2(3)"};
    for (std::size_t i = 0; i < fieldNames.size(); ++i) {
        line(std::string("set ") + fieldNames[i] + ' ' + std::to_string(s.fields[i]));
    }
    line("dblclick Text3");
    line("click cmdTest");
    line("lines Text3");
    // A run refused for its fields makes no call, and leaves the captions and the account of the
    // last run that did.
    if (makesCall(s)) {
        line("print dstRet.Caption");
        line("print srcHeight.Caption");
        line("explain");
    }
}

void BenchScriptWriter::add(std::size_t number, const BenchScenario& s) {
    line("set Text3 scenario " + std::to_string(number));
    line("print Text3.Text");
    format("source", m_sourceFormat, s.source->token);
    format("indexes", m_indexes, s.paletteIndexes ? "on" : "off");
    box("Check1", m_sourceTopDown, s.sourceTopDown);
    box("Check2", m_destTopDown, s.destTopDown);
    box("Check5", m_showSourceBits, s.listBits);
    box("Check4", m_showDestBits, s.listBits);
    paint(s);
    run(s);
    line("bits srcPic");
    line("bits destPic");
    if (s.printHeader) {
        line("header");
    }
}

}  // namespace difftest
