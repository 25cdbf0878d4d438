#include <array>
#include <string>

#include "script/script_runner.h"

namespace script {
namespace {

constexpr std::size_t kUsageColumn = 25;
constexpr std::size_t kLineWidth = 95;

// Appends `text` wrapped at word boundaries, every line starting at the usage column.
void appendWrapped(std::string& out, std::string_view text, std::size_t column) {
    const std::string indent(kUsageColumn + 2, ' ');
    while (!text.empty()) {
        std::size_t room = kLineWidth - column;
        std::size_t cut = text.size() <= room ? text.size() : text.rfind(' ', room);
        if (cut == std::string_view::npos || cut == 0) cut = std::min(text.find(' '), text.size());
        out.append(text.substr(0, cut)).append("\n");
        text.remove_prefix(std::min(cut + 1, text.size()));
        if (!text.empty()) out += indent;
        column = indent.size();
    }
}

}  // namespace

std::span<const ScriptRunner::Command> ScriptRunner::commands() {
    static constexpr std::array<Command, 12> kCommands{{
        {"set", "set CONTROL TEXT",
         "the text box's Text becomes TEXT (the rest of the line after one blank, may be empty), "
         "as a paste would: no key filter",
         &ScriptRunner::set},
        {"type", "type CONTROL TEXT",
         "CONTROL gets the focus, then TEXT is typed one character at a time through the "
         "window's key preview; Backspace deletes the last character, Enter adds nothing to a "
         "single-line box",
         &ScriptRunner::type},
        {"click", "click CONTROL",
         "a mouse click: a button runs its Click; a check box toggles its Value between 0 and 1 "
         "and then runs its Click; a text box or a picture takes the focus",
         &ScriptRunner::click},
        {"dblclick", "dblclick CONTROL", "a double-click on a text box", &ScriptRunner::dblclick},
        {"print", "print CONTROL.PROPERTY",
         "writes \"CONTROL.PROPERTY = VALUE\"; PROPERTY is one of Caption, Text, Value, Tag, "
         "ToolTipText, Left, Top, Width, Height (pixels), ScaleWidth, ScaleHeight, BackColor "
         "(colour reference in decimal), TabIndex, FontName, FontSize (points), Alignment (0 "
         "left, 1 right, 2 centre); frmBench has Caption, ScaleWidth and ScaleHeight (its client "
         "area in pixels), FontName and FontSize",
         &ScriptRunner::print},
        {"pixels", "pixels CONTROL",
         "writes the picture's image, top row first, one line a row: \"CONTROL row Y: \" and "
         "each pixel as 8 hexadecimal digits",
         &ScriptRunner::pixels},
        {"lines", "lines CONTROL",
         "writes the text box's text one line at a time, as the window shows it: \"CONTROL line "
         "N: TEXT\"",
         &ScriptRunner::lines},
        {"setpixel", "setpixel PICTURE X Y VALUE",
         "sets the pixel in column X, row Y (0 = top) of the picture's image to VALUE, 6 "
         "hexadecimal digits RRGGBB or 8 with the top byte first; for srcPic and destPic the "
         "magnified view is then redrawn, as Set Point does",
         &ScriptRunner::setpixel},
        {"explain", "explain",
         "writes the last SetDIBitsToDevice run's account as \"account: \" and one sentence: the "
         "result and the rule that gave it, which source rows were drawn to which destination "
         "rows, and what kept the rest of the rectangle from being drawn",
         &ScriptRunner::explain},
        {"format", "format source FORMAT",
         "the format the source is handed over in from the next run on (also format destination "
         "FORMAT: the destination picture becomes a DIB section of FORMAT, converted as "
         "GetDIBits converts it; and format indexes on|off: a palettized source's colour table "
         "goes over as palette indexes, DIB_PAL_COLORS); FORMAT is a format word of "
         "diblab-probe: 1, 4, 8, 16, 24, 32, 16:RRRR:GGGG:BBBB, 32:RRRRRRRR:GGGGGGGG:BBBBBBBB, "
         "rle8, rle4 (source only)",
         &ScriptRunner::format},
        {"bits", "bits PICTURE",
         "writes \"PICTURE format: FORMAT\", then the picture's DIB one line a row, top row "
         "first: \"PICTURE row Y: \" and the values in lowercase hexadecimal, 1 digit for 1 and 4 "
         "bpp, 2 for 8, 4 for 16, 6 for 24, 8 for 32; for srcPic the uncompressed DIB the next "
         "run hands over (for RLE the indices it encodes), for destPic the destination's DIB "
         "section",
         &ScriptRunner::bits},
        {"header", "header",
         "writes the source DIB the next run hands over as the call receives it: every "
         "BITMAPINFOHEADER field with its value and meaning, ColorUse, the masks, the colour "
         "table and the bits, a line a row or for RLE a line a run or escape",
         &ScriptRunner::header},
    }};
    return kCommands;
}

std::string describeCommands() {
    std::string out;
    for (const ScriptRunner::Command& command : ScriptRunner::commands()) {
        out += "  ";
        out += command.usage;
        // A usage too long for its column stands on a line of its own.
        if (command.usage.size() < kUsageColumn - 1) {
            out.append(kUsageColumn - command.usage.size(), ' ');
        } else {
            out += "\n" + std::string(kUsageColumn + 2, ' ');
        }
        appendWrapped(out, command.help, kUsageColumn + 2);
    }
    return out;
}

}  // namespace script
