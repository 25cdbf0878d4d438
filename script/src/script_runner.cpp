#include "script/script_runner.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <istream>
#include <ostream>
#include <span>
#include <utility>

#include "command_arguments.h"
#include "dib/quoted_text.h"
#include "geometry/call_account.h"
#include "script/control_properties.h"
#include "script/text_escapes.h"
#include "ui/controls.h"
#include "ui/picture.h"
#include "workbench/picture_bitmap.h"
#include "workbench/zoom_pic.h"

namespace script {

namespace {

std::vector<std::uint32_t> decodeText(std::string_view text) {
    DecodedText decoded = decodeEscapes(text);
    if (!decoded.error.empty()) fail(decoded.error);
    return std::move(decoded.characters);
}

std::int64_t coordinate(std::string_view text, std::string_view what, int limit) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        fail(std::string(what) + " must be a whole number, not " + dib::quoted(text));
    }
    if (value < 0 || value >= limit) {
        fail(std::string(what) + " " + std::string(text) + " lies outside 0 to " +
             std::to_string(limit - 1));
    }
    return value;
}

// Six hexadecimal digits RRGGBB, or eight with the top byte first.
std::uint32_t pixelValue(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    const bool digitsOnly = error == std::errc() && end == text.data() + text.size();
    if (!digitsOnly || (text.size() != 6 && text.size() != 8)) {
        fail("a pixel value is 6 or 8 hexadecimal digits, not " + dib::quoted(text));
    }
    return value;
}

std::string hexPixel(std::uint32_t pixel) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, pixel >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[pixel & 0xF];
    return text;
}

}  // namespace

void PrintingMessageBox::show(std::string_view text) {
    m_out << "message: " << escapeForPrint(text) << '\n';
}

ScriptRunner::ScriptRunner(std::ostream& out)
    : m_out(out),
      m_messageBox(std::make_unique<PrintingMessageBox>(out)),
      m_ownForm(std::make_unique<app::frmBench>()),
      m_form(*m_ownForm) {
    m_form.setMessageBox(m_messageBox.get());
    m_form.load();
}

ScriptRunner::ScriptRunner(app::frmBench& form, std::ostream& out) : m_out(out), m_form(form) {}

std::optional<ScriptError> ScriptRunner::run(std::istream& script) {
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        try {
            runLine(line);
        } catch (const LineFailure& failure) {
            m_out.flush();
            return ScriptError{number, failure.reason};
        }
    }
    return std::nullopt;
}

void ScriptRunner::runLine(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos || line[start] == '#') return;
    const auto [word, arguments] = splitAtBlank(line.substr(start));
    for (const Command& command : commands()) {
        if (command.name == word) return (this->*command.run)(arguments);
    }
    fail("unknown command " + dib::quoted(word));
}

ui::Control& ScriptRunner::control(std::string_view name) {
    if (name.empty()) fail("missing control");
    if (name == m_form.name()) fail(std::string(name) + " is the window, not one of its controls");
    ui::Control* found = m_form.find(std::string(name));
    if (found == nullptr) fail("unknown control " + dib::quoted(name));
    return *found;
}

void ScriptRunner::set(std::string_view arguments) {
    const auto [name, text] = splitAtBlank(arguments);
    if (name.empty()) fail("set needs a text box and a text");
    auto* box = dynamic_cast<ui::TextBox*>(&control(name));
    if (box == nullptr) fail("set needs a text box; " + std::string(name) + " is not one");
    box->setText(encodeUtf8(decodeText(text)));
}

void ScriptRunner::type(std::string_view arguments) {
    const auto [name, text] = splitAtBlank(arguments);
    if (name.empty()) fail("type needs a control and a text");
    ui::Control& target = control(name);
    const std::vector<std::uint32_t> characters = decodeText(text);
    for (const std::uint32_t character : characters) {
        if (character > 0xFFFF) fail("a character beyond U+FFFF cannot be typed");
    }
    if (!m_form.setFocus(target)) fail(std::string(name) + " cannot take the focus");
    for (const std::uint32_t character : characters) {
        m_form.keyPress(static_cast<std::int16_t>(static_cast<std::uint16_t>(character)));
    }
}

void ScriptRunner::click(std::string_view arguments) {
    ui::Control& target = control(singleArgument("click", arguments, "a control"));
    switch (target.kind()) {
        case ui::ControlKind::CommandButton:
            m_form.setFocus(target);
            static_cast<ui::CommandButton&>(target).click();
            return;
        case ui::ControlKind::CheckBox:
            m_form.setFocus(target);
            static_cast<ui::CheckBox&>(target).click();
            return;
        case ui::ControlKind::TextBox:
        case ui::ControlKind::Picture:
            m_form.setFocus(target);
            return;
        case ui::ControlKind::Label:
        case ui::ControlKind::Line:
            break;
    }
    fail(target.qualifiedName() + " is " + describeKind(target.kind()) + " and takes no click");
}

void ScriptRunner::dblclick(std::string_view arguments) {
    ui::Control& target = control(singleArgument("dblclick", arguments, "a text box"));
    auto* box = dynamic_cast<ui::TextBox*>(&target);
    if (box == nullptr) {
        fail("dblclick needs a text box; " + target.qualifiedName() + " is " +
             describeKind(target.kind()));
    }
    m_form.setFocus(*box);
    box->dblClick();
}

void ScriptRunner::print(std::string_view arguments) {
    const std::string_view target = singleArgument("print", arguments, "CONTROL.PROPERTY");
    const std::size_t dot = target.find('.');
    if (dot == std::string_view::npos || dot + 1 == target.size()) {
        fail("print needs CONTROL.PROPERTY, not " + dib::quoted(target));
    }
    const std::string_view name = target.substr(0, dot);
    const std::string_view property = target.substr(dot + 1);
    const PropertyValue value = name == m_form.name() ? windowProperty(m_form, property)
                                                      : controlProperty(control(name), property);
    if (!value.found) fail(value.error);
    m_out << target << " = " << (value.text ? escapeForPrint(value.value) : value.value) << '\n';
}

ui::Picture& ScriptRunner::picture(std::string_view command, std::string_view name) {
    ui::Control& target = control(name);
    auto* found = dynamic_cast<ui::Picture*>(&target);
    if (found == nullptr) {
        fail(std::string(command) + " needs a picture; " + target.qualifiedName() + " is " +
             describeKind(target.kind()));
    }
    return *found;
}

void ScriptRunner::pixels(std::string_view arguments) {
    const ui::Picture& target = picture("pixels", singleArgument("pixels", arguments, "a picture"));
    const std::vector<std::uint32_t> image = ui::imagePixels(target);
    const auto width = static_cast<std::size_t>(target.Width);
    for (std::size_t y = 0; width > 0 && y < image.size() / width; ++y) {
        m_out << target.qualifiedName() << " row " << y << ':';
        for (std::size_t x = 0; x < width; ++x) m_out << ' ' << hexPixel(image[y * width + x]);
        m_out << '\n';
    }
}

// One printed line a line of the text, so that a report reads as the window shows it.
void ScriptRunner::lines(std::string_view arguments) {
    ui::Control& target = control(singleArgument("lines", arguments, "a text box"));
    const auto* box = dynamic_cast<const ui::TextBox*>(&target);
    if (box == nullptr) {
        fail("lines needs a text box; " + target.qualifiedName() + " is " +
             describeKind(target.kind()));
    }
    std::string_view text = box->Text();
    for (int number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find_first_of("\r\n");
        m_out << target.qualifiedName() << " line " << number << ": "
              << escapeForPrint(text.substr(0, end)) << '\n';
        if (end == std::string_view::npos) break;
        const bool crlf = text.compare(end, 2, "\r\n") == 0;
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
}

// Writes one pixel of a picture's image through the GDI layer, as a drawing call would; a
// small picture's magnified view is redrawn, as Set Point does.
void ScriptRunner::setpixel(std::string_view arguments) {
    const std::vector<std::string_view> parts = words(arguments);
    if (parts.size() != 4) fail("setpixel needs a picture, X, Y and a pixel value");
    ui::Picture& target = picture("setpixel", parts[0]);
    const std::int64_t x = coordinate(parts[1], "X", target.Width);
    const std::int64_t y = coordinate(parts[2], "Y", target.Height);
    const std::array<std::uint32_t, 1> pixel{pixelValue(parts[3])};
    const BITMAPINFO header = workbench::pictureHeader(1, 1, 32);
    SetDIBitsToDevice(target.hDC(), int(x), int(y), 1, 1, 0, 0, 0, 1,
                      std::as_bytes(std::span(pixel)), &header, DIB_RGB_COLORS);
    target.Refresh();
    if (&target == &m_form.srcPic) workbench::ZoomPic(m_form.srcPic, m_form.srcBigPic, m_form);
    if (&target == &m_form.destPic) workbench::ZoomPic(m_form.destPic, m_form.destBigPic, m_form);
}

void ScriptRunner::explain(std::string_view arguments) {
    if (!words(arguments).empty()) fail("explain takes no arguments");
    const auto& last = m_form.lastExperiment();
    if (!last) fail("explain needs a run first: SetDIBitsToDevice has not been called yet");
    m_out << "account: " << geometry::explainCall(last->call) << '\n';
}

std::string formatScriptError(const ScriptError& error) {
    return "error: line " + std::to_string(error.line) + ": " + error.reason;
}

}  // namespace script
