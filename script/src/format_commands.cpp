#include <ostream>

#include "command_arguments.h"
#include "dib/dib_listing.h"
#include "dib/format_word.h"
#include "dib/quoted_text.h"
#include "dib/value_lines.h"
#include "script/script_runner.h"
#include "testrun/experiment.h"

namespace script {
namespace {

// The word as the form keeps it: what reading it gives, written back.
std::string formatWordFor(std::string_view word, dib::FormatRole role) {
    const dib::FormatWordReading reading = dib::readFormatWord(word, role);
    if (!reading.format) fail(reading.error);
    return dib::formatWord(*reading.format);
}

bool onOrOff(std::string_view word) {
    if (word == "on") return true;
    if (word == "off") return false;
    fail("format indexes takes on or off, not " + dib::quoted(word));
}

void printLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) out << line << '\n';
}

}  // namespace

void ScriptRunner::format(std::string_view arguments) {
    const std::vector<std::string_view> parts = words(arguments);
    if (parts.size() != 2) fail("format needs source FORMAT, destination FORMAT or indexes on|off");
    if (parts[0] == "source") {
        m_form.setSourceFormat(formatWordFor(parts[1], dib::FormatRole::Source));
    } else if (parts[0] == "destination") {
        m_form.setDestinationFormat(formatWordFor(parts[1], dib::FormatRole::Destination));
    } else if (parts[0] == "indexes") {
        m_form.setPaletteIndexes(onOrOff(parts[1]));
    } else {
        fail("format needs source, destination or indexes, not " + dib::quoted(parts[0]));
    }
}

void ScriptRunner::bits(std::string_view arguments) {
    const std::string_view name = singleArgument("bits", arguments, "srcPic or destPic");
    std::optional<dib::PictureDib> dib;
    if (name == m_form.srcPic.qualifiedName()) {
        dib = m_form.sourceDib();
    } else if (name == m_form.destPic.qualifiedName()) {
        dib = m_form.destinationDib();
    } else {
        fail("bits needs srcPic or destPic, not " + dib::quoted(name));
    }
    if (!dib) fail("GetDIBits refuses to read " + std::string(name) + " back in its format");
    printLines(m_out, dib::valueLines(name, *dib));
}

void ScriptRunner::header(std::string_view arguments) {
    if (!words(arguments).empty()) fail("header takes no arguments");
    const std::optional<dib::PictureDib> dib = m_form.sourceDib();
    if (!dib) fail("GetDIBits refuses to read srcPic back in the source format");
    printLines(m_out, testrun::dibHeaderLines(dib->dib, m_form.srcPic));
}

}  // namespace script
