// GetDIBits' colour tables: the synthesized 2-, 16- and 256-entry tables (typed from the notes
// on GetDIBits), a palettized section's own table, and DIB_PAL_COLORS.

#include "dibits_test_support.h"
#include "format_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>

namespace {

using gditest::PictureDdb;
using gditest::readBack;
using gditest::request;

// The 256-entry table as the notes list it, index:RRGGBB.
constexpr const char* table8Listing = R"(
    0:000000    1:800000    2:008000    3:808000
    4:000080    5:800080    6:008080    7:c0c0c0
    8:c0dcc0    9:a6caf0   10:402000   11:602000
   12:802000   13:a02000   14:c02000   15:e02000
   16:004000   17:204000   18:404000   19:604000
   20:804000   21:a04000   22:c04000   23:e04000
   24:006000   25:206000   26:406000   27:606000
   28:806000   29:a06000   30:c06000   31:e06000
   32:008000   33:208000   34:408000   35:608000
   36:808000   37:a08000   38:c08000   39:e08000
   40:00a000   41:20a000   42:40a000   43:60a000
   44:80a000   45:a0a000   46:c0a000   47:e0a000
   48:00c000   49:20c000   50:40c000   51:60c000
   52:80c000   53:a0c000   54:c0c000   55:e0c000
   56:00e000   57:20e000   58:40e000   59:60e000
   60:80e000   61:a0e000   62:c0e000   63:e0e000
   64:000040   65:200040   66:400040   67:600040
   68:800040   69:a00040   70:c00040   71:e00040
   72:002040   73:202040   74:402040   75:602040
   76:802040   77:a02040   78:c02040   79:e02040
   80:004040   81:204040   82:404040   83:604040
   84:804040   85:a04040   86:c04040   87:e04040
   88:006040   89:206040   90:406040   91:606040
   92:806040   93:a06040   94:c06040   95:e06040
   96:008040   97:208040   98:408040   99:608040
  100:808040  101:a08040  102:c08040  103:e08040
  104:00a040  105:20a040  106:40a040  107:60a040
  108:80a040  109:a0a040  110:c0a040  111:e0a040
  112:00c040  113:20c040  114:40c040  115:60c040
  116:80c040  117:a0c040  118:c0c040  119:e0c040
  120:00e040  121:20e040  122:40e040  123:60e040
  124:80e040  125:a0e040  126:c0e040  127:e0e040
  128:000080  129:200080  130:400080  131:600080
  132:800080  133:a00080  134:c00080  135:e00080
  136:002080  137:202080  138:402080  139:602080
  140:802080  141:a02080  142:c02080  143:e02080
  144:004080  145:204080  146:404080  147:604080
  148:804080  149:a04080  150:c04080  151:e04080
  152:006080  153:206080  154:406080  155:606080
  156:806080  157:a06080  158:c06080  159:e06080
  160:008080  161:208080  162:408080  163:608080
  164:808080  165:a08080  166:c08080  167:e08080
  168:00a080  169:20a080  170:40a080  171:60a080
  172:80a080  173:a0a080  174:c0a080  175:e0a080
  176:00c080  177:20c080  178:40c080  179:60c080
  180:80c080  181:a0c080  182:c0c080  183:e0c080
  184:00e080  185:20e080  186:40e080  187:60e080
  188:80e080  189:a0e080  190:c0e080  191:e0e080
  192:0000c0  193:2000c0  194:4000c0  195:6000c0
  196:8000c0  197:a000c0  198:c000c0  199:e000c0
  200:0020c0  201:2020c0  202:4020c0  203:6020c0
  204:8020c0  205:a020c0  206:c020c0  207:e020c0
  208:0040c0  209:2040c0  210:4040c0  211:6040c0
  212:8040c0  213:a040c0  214:c040c0  215:e040c0
  216:0060c0  217:2060c0  218:4060c0  219:6060c0
  220:8060c0  221:a060c0  222:c060c0  223:e060c0
  224:0080c0  225:2080c0  226:4080c0  227:6080c0
  228:8080c0  229:a080c0  230:c080c0  231:e080c0
  232:00a0c0  233:20a0c0  234:40a0c0  235:60a0c0
  236:80a0c0  237:a0a0c0  238:c0a0c0  239:e0a0c0
  240:00c0c0  241:20c0c0  242:40c0c0  243:60c0c0
  244:80c0c0  245:a0c0c0  246:fffbf0  247:a0a0a4
  248:808080  249:ff0000  250:00ff00  251:ffff00
  252:0000ff  253:ff00ff  254:00ffff  255:ffffff
)";

std::vector<std::uint32_t> listedTable8() {
    std::vector<std::uint32_t> table;
    std::istringstream listing(table8Listing);
    std::string entry;
    while (listing >> entry) {
        unsigned index = 0;
        unsigned colour = 0;
        EXPECT_EQ(std::sscanf(entry.c_str(), "%u:%x", &index, &colour), 2);
        EXPECT_EQ(index, table.size());
        table.push_back(colour);
    }
    return table;
}

const std::vector<std::uint32_t> table1{0x000000, 0xFFFFFF};
const std::vector<std::uint32_t> table4{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

enum class Source { Ddb, Section32, Section4 };

void PrintTo(Source source, std::ostream* out) {
    *out << (source == Source::Ddb         ? "Ddb"
             : source == Source::Section32 ? "Section32"
                                           : "Section4");
}

class GetDIBitsTable : public testing::TestWithParam<Source> {};

// Whatever the source, a request at another depth gets the fixed table, not the DC's palette.
TEST_P(GetDIBitsTable, OtherDepthsGetTheSynthesizedTable) {
    const std::uint32_t pixel = 0x123456;
    const PictureDdb ddb(1, 1, std::span(&pixel, 1));
    const gditest::Section section32(gditest::dib(32, 1, 1), pixel);
    const gditest::Section section4(gditest::dib(4, 1, 1, {0x123456}), 0);
    const HDC dc = GetParam() == Source::Ddb         ? ddb.dc()
                   : GetParam() == Source::Section32 ? section32.dc()
                                                     : section4.dc();
    const HBITMAP bitmap = GetParam() == Source::Ddb         ? ddb.bitmap()
                           : GetParam() == Source::Section32 ? section32.bitmap()
                                                             : section4.bitmap();
    EXPECT_EQ(readBack(dc, bitmap, request(1, 1, 1)).table, table1);
    if (GetParam() != Source::Section4) {
        EXPECT_EQ(readBack(dc, bitmap, request(4, 1, 1)).table, table4);
    }
    const gditest::Readback eight = readBack(dc, bitmap, request(8, 1, 1));
    EXPECT_EQ(eight.table, listedTable8());
    EXPECT_EQ(eight.values.at(0), 81u);
}

INSTANTIATE_TEST_SUITE_P(GetDIBits, GetDIBitsTable,
                         testing::Values(Source::Ddb, Source::Section32, Source::Section4),
                         [](const auto& info) {
                             std::ostringstream name;
                             PrintTo(info.param, &name);
                             return name.str();
                         });

TEST(GetDIBits, ASectionAtItsOwnDepthGivesItsTableAndBits) {
    std::vector<DWORD> colours;
    for (DWORD i = 0; i < 37; ++i) {
        colours.push_back(i * 0x030507);
    }
    const gdi::DibFormat format = gditest::dib(8, 4, 2, colours);
    gditest::Section section(format, 0);
    const std::vector<std::uint32_t> indices{0, 5, 36, 37, 200, 255, 1, 2};
    const std::vector<std::byte> bits = gditest::packed(format, indices);
    std::copy(bits.begin(), bits.end(), section.bits().begin());

    const gditest::Readback read = readBack(section.dc(), section.bitmap(), request(8, 4, 2));
    EXPECT_EQ(read.values, indices);
    ASSERT_EQ(read.table.size(), 256u);
    for (std::size_t i = 0; i < read.table.size(); ++i) {
        EXPECT_EQ(read.table[i], i < colours.size() ? colours[i] : 0) << i;
    }
    EXPECT_EQ(read.header.biClrUsed, 0u);
}

// As Wine's gdi32 copies a 4-bpp row into the same format: by whole bytes, so the low nibble of
// an odd-width row's last byte comes along, and the rest of the row is zero.
TEST(GetDIBits, FourBitCopiesTakeWholeBytes) {
    const gdi::DibFormat format = gditest::dib(4, 3, 1, {0x112233, 0x445566});
    gditest::Section section(format, 0);
    const std::vector<std::byte> row{std::byte{0x12}, std::byte{0x34}, std::byte{0x56},
                                     std::byte{0x78}};
    std::copy(row.begin(), row.end(), section.bits().begin());
    for (const auto& [width, expected] : {std::pair{3, std::vector<unsigned>{0x12, 0x34, 0, 0}},
                                          std::pair{1, std::vector<unsigned>{0x12, 0, 0, 0}}}) {
        gdi::DibInfo info(request(4, width, 1));
        std::vector<std::byte> bits(4, std::byte{0xAA});
        EXPECT_EQ(GetDIBits(section.dc(), section.bitmap(), 0, 1, bits, info.get(), 0), 1);
        std::vector<unsigned> read;
        for (const std::byte b : bits) {
            read.push_back(std::to_integer<unsigned>(b));
        }
        EXPECT_EQ(read, expected) << width << " pixels";
    }
}

// Onto an 8-bpp table a table colour is matched as it is; a direct colour is cut to five bits
// first, which moves 000020 off its tie between 000000 and 000040.
TEST(GetDIBits, PalettizedSourcesMatchTheExactColour) {
    const gditest::Section section(gditest::dib(4, 1, 1, {0x000020}), 0);
    EXPECT_EQ(readBack(section.dc(), section.bitmap(), request(8, 1, 1)).values.at(0), 0u);
    const std::uint32_t pixel = 0x000020;
    const PictureDdb ddb(1, 1, std::span(&pixel, 1));
    EXPECT_EQ(readBack(ddb.dc(), ddb.bitmap(), request(8, 1, 1)).values.at(0), 64u);
}

// DIB_PAL_COLORS writes the indices 0 .. 2^bitCount - 1 and matches onto the DC's palette, the
// 20-entry default palette, black past its end.
struct PaletteRule {
    const char* name;
    WORD bitCount;
    std::uint32_t colour;
    std::uint32_t index;
};

void PrintTo(const PaletteRule& rule, std::ostream* out) {
    *out << rule.name;
}

const PaletteRule paletteRules[] = {
    {"OneBppWhiteIsDarkRed", 1, 0xFFFFFF, 1},
    {"OneBppTieGoesToBlack", 1, 0x400000, 0},
    {"FourBppGreyIsPaletteEntry12", 4, 0x808080, 12},
    {"EightBppGreyIsPaletteEntry12", 8, 0x808080, 12},
    {"EightBppWhiteIsPaletteEntry19", 8, 0xFFFFFF, 19},
};

class GetDIBitsPalette : public testing::TestWithParam<PaletteRule> {};

TEST_P(GetDIBitsPalette, GivesIndicesAndMatchesOntoTheDcsPalette) {
    const PaletteRule& rule = GetParam();
    const PictureDdb picture(1, 1, std::span(&rule.colour, 1));
    const gditest::Readback read =
        readBack(picture.dc(), picture.bitmap(), request(rule.bitCount, 1, 1), DIB_PAL_COLORS);
    EXPECT_EQ(read.result, 1);
    EXPECT_EQ(read.values.at(0), rule.index);
    for (std::size_t i = 0; i < read.table.size(); ++i) {
        EXPECT_EQ(read.table[i], i) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(GetDIBits, GetDIBitsPalette, testing::ValuesIn(paletteRules),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GetDIBits, PaletteIndicesLeaveTheRestOfTheTable) {
    const std::uint32_t pixel = 0;
    const PictureDdb picture(1, 1, std::span(&pixel, 1));
    gdi::DibFormat format = request(1, 1, 1);
    format.colorUse = DIB_PAL_COLORS;
    gdi::DibInfo info(format);
    auto* table = reinterpret_cast<std::byte*>(info.get()) + 40;
    std::fill_n(table, 8, std::byte{0xAA});
    std::vector<std::byte> bits(4);
    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 0, 1, bits, info.get(), DIB_PAL_COLORS), 1);
    const std::vector<std::byte> expected{std::byte{0},    std::byte{0},    std::byte{1},
                                          std::byte{0},    std::byte{0xAA}, std::byte{0xAA},
                                          std::byte{0xAA}, std::byte{0xAA}};
    EXPECT_EQ(std::vector<std::byte>(table, table + 8), expected);
}

// Compressed bits are never produced, but an RLE header query succeeds and fills the table and
// the uncompressed size.
TEST(GetDIBits, RleRequestIsAHeaderQueryOnly) {
    const std::vector<std::uint32_t> pixels(64, 0x808080);
    const PictureDdb picture(8, 8, pixels);
    gdi::DibFormat format = request(8, 8, 8);
    format.compression = BI_RLE8;
    format.sizeImage = 64;
    gdi::DibInfo info(format);
    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 0, 8, {}, info.get(), DIB_RGB_COLORS), 1);
    EXPECT_EQ(info.get()->bmiHeader.biSizeImage, 64u);
    EXPECT_EQ(info.get()->bmiHeader.biCompression, BI_RLE8);
    EXPECT_EQ(info.get()->bmiColors[164].rgbRed, 0x80);
    std::vector<std::byte> bits(64);
    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 0, 8, bits, info.get(), DIB_RGB_COLORS), 0);
    format.order = gdi::RowOrder::TopDown;
    gdi::DibInfo topDown(format);
    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 0, 8, {}, topDown.get(), DIB_RGB_COLORS),
              0);
}

}  // namespace
