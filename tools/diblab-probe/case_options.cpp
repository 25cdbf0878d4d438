#include "case_options.h"

#include "dib/format_word.h"

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

// Any word a source takes is read for both sides, so that a destination with a zero mask gets
// the same answer as before: the section cannot be made.
std::string readFormatOption(std::string_view value, std::string_view name,
                             gdi::DibFormat& format) {
    const dib::FormatWordReading reading = dib::readFormatWord(value, dib::FormatRole::Source);
    if (!reading.format) {
        return std::string(name) + ": " + reading.error;
    }
    const gdi::DibFormat& read = *reading.format;
    const bool rle = read.compression == BI_RLE8 || read.compression == BI_RLE4;
    if (name == "dst" && rle) {
        return "dst cannot be " + formatLabel(read) + ": RLE is a source format only";
    }
    format = read;
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

std::string formatLabel(const gdi::DibFormat& format) {
    if (format.compression == BI_RLE8 || format.compression == BI_RLE4) {
        return format.compression == BI_RLE8 ? "RLE8" : "RLE4";
    }
    const std::string bpp = std::to_string(format.bitCount) + "-bpp";
    return format.compression == BI_BITFIELDS ? bpp + " bit-fields" : bpp;
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
