#include "case_options.h"

#include <array>
#include <utility>

namespace probe {

namespace {

enum class Option { Src, Dst, SrcPal, DstPal, Use, ClrUsed, SizeImage, Hdr };

struct OptionName {
    std::string_view name;
    Option option;
};

constexpr std::array<OptionName, 8> optionNames{{{"src", Option::Src},
                                                 {"dst", Option::Dst},
                                                 {"srcpal", Option::SrcPal},
                                                 {"dstpal", Option::DstPal},
                                                 {"use", Option::Use},
                                                 {"clrused", Option::ClrUsed},
                                                 {"sizeimage", Option::SizeImage},
                                                 {"hdr", Option::Hdr}}};

std::optional<PixelFormat> readBitFields(WORD bitCount, std::string_view masks) {
    const std::size_t maxDigits = bitCount / 4;
    std::array<DWORD, 3> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t colon = masks.find(':');
        if ((colon == std::string_view::npos) != (i == values.size() - 1)) {
            return std::nullopt;
        }
        const std::optional<std::uint32_t> mask = readHex(masks.substr(0, colon), maxDigits);
        if (!mask) {
            return std::nullopt;
        }
        values[i] = *mask;
        masks.remove_prefix(colon == std::string_view::npos ? masks.size() : colon + 1);
    }
    return PixelFormat{bitCount, BI_BITFIELDS, {values[0], values[1], values[2]}};
}

std::optional<DWORD> readDword(std::string_view text, std::string& error, std::string_view name) {
    const std::optional<std::uint64_t> value = readCount(text);
    if (!value) {
        error = "bad number " + quoted(text) + " for " + std::string(name);
    } else if (*value > UINT32_MAX) {
        error = std::string(name) + " " + quoted(text) + " is too large: at most 4294967295";
    } else {
        return DWORD(*value);
    }
    return std::nullopt;
}

std::string readFormatOption(std::string_view value, std::string_view name, PixelFormat& format) {
    const std::optional<PixelFormat> read = readPixelFormat(value);
    if (!read) {
        return "bad format " + quoted(value) + " for " + std::string(name);
    }
    if (name == "dst" && read->isRle()) {
        return "dst cannot be " + read->name() + ": RLE is a source format only";
    }
    format = *read;
    return {};
}

std::string readOption(Option option, std::string_view name, std::string_view value,
                       CaseOptions& options) {
    std::string error;
    switch (option) {
        case Option::Src:
            return readFormatOption(value, name, options.source);
        case Option::Dst:
            return readFormatOption(value, name, options.destination);
        case Option::SrcPal:
            options.sourceColours = value;
            break;
        case Option::DstPal:
            options.destColours = value;
            break;
        case Option::Use:
            if (value != "rgb" && value != "pal") {
                return "bad value " + quoted(value) + " for use: rgb or pal";
            }
            options.colorUse = value == "pal" ? DIB_PAL_COLORS : DIB_RGB_COLORS;
            break;
        case Option::ClrUsed:
            options.clrUsed = readDword(value, error, name);
            break;
        case Option::SizeImage:
            options.sizeImage = readDword(value, error, name);
            break;
        case Option::Hdr:
            if (value != "40" && value != "108" && value != "124") {
                return "bad value " + quoted(value) + " for hdr: 40, 108 or 124";
            }
            options.headerSize = DWORD(readCount(value).value_or(0));
            break;
    }
    return error;
}

}  // namespace

std::string PixelFormat::name() const {
    if (isRle()) {
        return compression == BI_RLE8 ? "RLE8" : "RLE4";
    }
    const std::string bpp = std::to_string(bitCount) + "-bpp";
    return compression == BI_BITFIELDS ? bpp + " bit-fields" : bpp;
}

void PixelFormat::applyTo(gdi::DibFormat& format) const {
    format.bitCount = bitCount;
    format.compression = compression;
    format.masks = masks;
}

std::optional<PixelFormat> readPixelFormat(std::string_view text) {
    constexpr std::array<std::pair<std::string_view, WORD>, 6> rgbFormats{
        {{"1", 1}, {"4", 4}, {"8", 8}, {"16", 16}, {"24", 24}, {"32", 32}}};
    for (const auto& [name, bitCount] : rgbFormats) {
        if (text == name) {
            return PixelFormat{bitCount, BI_RGB, {}};
        }
    }
    if (text == "rle8" || text == "rle4") {
        return text == "rle8" ? PixelFormat{8, BI_RLE8, {}} : PixelFormat{4, BI_RLE4, {}};
    }
    if (text.starts_with("16:") || text.starts_with("32:")) {
        return readBitFields(text[0] == '1' ? 16 : 32, text.substr(3));
    }
    return std::nullopt;
}

std::string readOptions(CaseTokens& tokens, CaseOptions& options) {
    std::array<bool, optionNames.size()> given{};
    while (!tokens.atEnd() && tokens.peek() != "px" && tokens.peek() != "bits") {
        const std::string_view token = tokens.next();
        const std::size_t equals = token.find('=');
        if (equals == std::string_view::npos) {
            return "unexpected field " + quoted(token);
        }
        const std::string_view name = token.substr(0, equals);
        std::size_t index = 0;
        while (index < optionNames.size() && optionNames[index].name != name) {
            ++index;
        }
        if (index == optionNames.size()) {
            return "unknown option " + quoted(token);
        }
        if (given[index]) {
            return "option " + std::string(name) + " given twice";
        }
        given[index] = true;
        std::string error =
            readOption(optionNames[index].option, name, token.substr(equals + 1), options);
        if (!error.empty()) {
            return error;
        }
    }
    return {};
}

}  // namespace probe
