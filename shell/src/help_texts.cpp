#include "help_texts.h"

#include "product/version.h"
#include "app/version_caption.h"

namespace shell {

std::string argumentsHelp() {
    return "SetDIBitsToDevice copies a rectangle of the source onto the destination, pixel for "
           "pixel, without stretching.\n\n"
           "XDest, YDest: the top left corner of the destination rectangle, in device pixels "
           "counted from 0 at the top left: YDest 0 is the top device row.\n\n"
           "Width, Height: the size of both rectangles. The call reads them as unsigned numbers: "
           "-1 arrives as 4294967295, a negative size, and nothing is drawn.\n\n"
           "XSrc, YSrc: the source rectangle's corner: column XSrc, and scan line YSrc, counted "
           "from 0 at the source's bottom row whether the source is bottom-up or top-down. The "
           "rectangle covers scan lines YSrc to YSrc + Height - 1; its top row lands on "
           "device row YDest.\n\n"
           "Start, #Lines: the band. The bits handed over hold only scan lines Start to Start + "
           "#Lines - 1. The bench always hands over the whole picture, so Start only renames its "
           "rows: the first row of a bottom-up buffer (the picture's bottom row) is scan line "
           "Start, the first row of a top-down buffer (the picture's top row) is scan line Start "
           "+ #Lines - 1.\n\n"
           "Ret: for a bottom-up source, the band's scan lines that lie inside the source and "
           "below the top of the source rectangle (YSrc + Height); for a top-down source, "
           "#Lines, whatever is drawn.\n\n"
           "Source Top Down hands the source over top-down (a negative biHeight). Destination "
           "Top Down only changes the row order of the destination listing and labels.\n\n"
           "Rows: the status line names rows as the labels beside the pictures number them, "
           "from 1 in memory order: 1 is the bottom row of a bottom-up picture and the top row "
           "of a top-down one. The destination listing numbers its lines the same way; the "
           "source listing is always bottom-up. Scan lines and device rows keep their own "
           "numbers, which the status line names: scan lines from 0 at the source's bottom row, "
           "device rows from 0 at the top. Columns count from 0 at the left.\n\n"
           "The status line explains every run in one sentence. View > Show Geometry draws the "
           "source rectangle and the band on the magnified source, and the destination "
           "rectangle and the pixels written on the magnified destination.";
}

std::string aboutText() {
    return app::versionCaption(kProductTitle, kVersionMajor, kVersionMinor, kVersionRevision) +
           "\n\nA bench for studying how the Windows GDI call SetDIBitsToDevice copies a "
           "device-independent bitmap onto a device context: prepare two small pictures, choose "
           "the call's eight arguments and both row orders, and see pixel by pixel what the call "
           "does and why. It carries its own GDI bitmap layer, which behaves as Windows does.\n\n"
           "Licence: " +
           std::string(kLicence) + ".";
}

}  // namespace shell
