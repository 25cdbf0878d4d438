#include "script_runner.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <utility>

#include "control_properties.h"
#include "text_escapes.h"
#include "ui/controls.h"
#include "ui/picture.h"

namespace {

// Thrown by a command that cannot run; the runner turns it into a ScriptError with the line.
struct LineFailure {
    std::string reason;
};

[[noreturn]] void fail(std::string reason) {
    throw LineFailure{std::move(reason)};
}

std::string quoted(std::string_view text) {
    return "'" + escapeForPrint(text) + "'";
}

// Splits "WORD REST" at the first blank; REST is everything after that one blank.
std::pair<std::string_view, std::string_view> splitAtBlank(std::string_view text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return {text, {}};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

// A command whose only argument is one word; trailing blanks are forgiven.
std::string_view singleArgument(std::string_view command, std::string_view arguments,
                                std::string_view what) {
    while (!arguments.empty() && arguments.back() == ' ') arguments.remove_suffix(1);
    if (arguments.empty()) fail(std::string(command) + " needs " + std::string(what));
    const auto [word, rest] = splitAtBlank(arguments);
    if (!rest.empty() || arguments.size() != word.size()) {
        fail("unexpected text after " + quoted(word) + ": " + quoted(rest));
    }
    return word;
}

std::vector<std::uint32_t> decodeText(std::string_view text) {
    DecodedText decoded = decodeEscapes(text);
    if (!decoded.error.empty()) fail(decoded.error);
    return std::move(decoded.characters);
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

ScriptRunner::ScriptRunner(std::ostream& out) : m_out(out), m_messageBox(out) {
    m_form.setMessageBox(&m_messageBox);
    m_form.load();
}

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
    const auto [command, arguments] = splitAtBlank(line.substr(start));
    if (command == "set") return set(arguments);
    if (command == "type") return type(arguments);
    if (command == "click") return click(arguments);
    if (command == "dblclick") return dblclick(arguments);
    if (command == "print") return print(arguments);
    if (command == "pixels") return pixels(arguments);
    fail("unknown command " + quoted(command));
}

ui::Control& ScriptRunner::control(std::string_view name) {
    if (name.empty()) fail("missing control");
    if (name == m_form.name()) fail(std::string(name) + " is the window, not one of its controls");
    ui::Control* found = m_form.find(std::string(name));
    if (found == nullptr) fail("unknown control " + quoted(name));
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
        fail("print needs CONTROL.PROPERTY, not " + quoted(target));
    }
    const std::string_view name = target.substr(0, dot);
    const std::string_view property = target.substr(dot + 1);
    const PropertyValue value = name == m_form.name() ? windowProperty(m_form, property)
                                                      : controlProperty(control(name), property);
    if (!value.found) fail(value.error);
    m_out << target << " = " << (value.text ? escapeForPrint(value.value) : value.value) << '\n';
}

void ScriptRunner::pixels(std::string_view arguments) {
    ui::Control& target = control(singleArgument("pixels", arguments, "a picture"));
    const auto* picture = dynamic_cast<const ui::Picture*>(&target);
    if (picture == nullptr) {
        fail("pixels needs a picture; " + target.qualifiedName() + " is " +
             describeKind(target.kind()));
    }
    const std::vector<std::uint32_t> image = ui::imagePixels(*picture);
    const auto width = static_cast<std::size_t>(picture->Width);
    for (std::size_t y = 0; width > 0 && y < image.size() / width; ++y) {
        m_out << target.qualifiedName() << " row " << y << ':';
        for (std::size_t x = 0; x < width; ++x) m_out << ' ' << hexPixel(image[y * width + x]);
        m_out << '\n';
    }
}

std::string formatScriptError(const ScriptError& error) {
    return "error: line " + std::to_string(error.line) + ": " + error.reason;
}
