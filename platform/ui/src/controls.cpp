#include "ui/controls.h"

#include <utility>

namespace ui {
namespace {

// Appends a UTF-16 code unit as UTF-8; the key preview hands out one code per character.
void appendCodeUnit(std::string& text, std::uint16_t unit) {
    if (unit < 0x80) {
        text.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (unit >> 6)));
        text.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xE0 | (unit >> 12)));
        text.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
}

void eraseLastCharacter(std::string& text) {
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
        return;
    }
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80) break;
    }
}

}  // namespace

TextBox::TextBox(std::string name, int index)
    : Control(ControlKind::TextBox, std::move(name), index) {}

void TextBox::setText(std::string text) {
    m_text = std::move(text);
    changed();
    textChanged();
}

void TextBox::appendText(std::string_view text) {
    m_text.append(text);
    if (onAppended) {
        onAppended(text);
    } else {
        changed();
    }
    textChanged();
}

void TextBox::textChanged() const {
    if (Change) Change();
}

void TextBox::typeCharacter(std::int16_t code) {
    const auto unit = static_cast<std::uint16_t>(code);
    if (unit == 0) return;
    if (unit == kBackspace) {
        eraseLastCharacter(m_text);
    } else if (unit == kEnter) {
        if (!multiLine) return;
        m_text += "\r\n";
    } else {
        appendCodeUnit(m_text, unit);
    }
    changed();
    textChanged();
}

void TextBox::dblClick() const {
    if (DblClick) DblClick();
}

Label::Label(std::string name, int index) : Control(ControlKind::Label, std::move(name), index) {}

void Label::setCaption(std::string caption) {
    m_caption = std::move(caption);
    changed();
}

CheckBox::CheckBox(std::string name) : Control(ControlKind::CheckBox, std::move(name)) {}

void CheckBox::setCaption(std::string caption) {
    m_caption = std::move(caption);
    changed();
}

void CheckBox::setValue(int value) {
    if (value == m_value) return;
    m_value = value;
    changed();
    if (Click) Click();
}

void CheckBox::click() {
    setValue(m_value == 1 ? 0 : 1);
}

void CheckBox::keyPress(std::int16_t code) {
    if (code == kSpace) click();
}

CommandButton::CommandButton(std::string name)
    : Control(ControlKind::CommandButton, std::move(name)) {}

void CommandButton::setCaption(std::string caption) {
    m_caption = std::move(caption);
    changed();
}

void CommandButton::click() const {
    if (Click) Click();
}

void CommandButton::keyPress(std::int16_t code) {
    if (code == kSpace || code == kEnter) click();
}

Line::Line(std::string name) : Control(ControlKind::Line, std::move(name)) {}

}  // namespace ui
