#include <string>

#include "dib/format_choices.h"
#include "format_texts.h"
#include "shell/bench_shell.h"

namespace shell {
namespace {

constexpr const char* kSourceMenu = "F&ormat > &Source";
constexpr const char* kDestinationMenu = "F&ormat > &Destination";
constexpr const char* kFormatMenu = "F&ormat";
constexpr const char* kPaletteIndexes = "Colour Table as &Palette Indexes";
constexpr const char* kShowDibHeader = "Show DIB &Header";

}  // namespace

void BenchShell::appendFormatRows(std::vector<MenuRow>& rows) {
    for (const dib::FormatChoice& choice : dib::formatChoices()) {
        const std::string word(choice.word);
        if (choice.source) {
            rows.push_back({kSourceMenu, std::string(choice.name), "", ui::MenuItemKind::Radio,
                            [this, word] { chooseSourceFormat(word); }});
        }
    }
    for (const dib::FormatChoice& choice : dib::formatChoices()) {
        const std::string word(choice.word);
        if (choice.destination) {
            rows.push_back({kDestinationMenu, std::string(choice.name), "", ui::MenuItemKind::Radio,
                            [this, word] { chooseDestinationFormat(word); }});
        }
    }
    rows.push_back({kFormatMenu, kPaletteIndexes, "", ui::MenuItemKind::Check, [this] {
                        takeStep("Palette Indexes", [this] {
                            m_form->setPaletteIndexes(
                                m_frame.findMenuItem(kPaletteIndexes)->checked());
                        });
                        showFormats();
                        showAccount();
                    }});
    rows.push_back({kFormatMenu, kShowDibHeader, "", ui::MenuItemKind::Check, [this] {
                        m_form->showDibHeader = m_frame.findMenuItem(kShowDibHeader)->checked();
                    }});
}

void BenchShell::chooseSourceFormat(const std::string& word) {
    takeStep("Source Format", [this, &word] { m_form->setSourceFormat(word); });
    showFormats();
    showAccount();
}

void BenchShell::chooseDestinationFormat(const std::string& word) {
    std::size_t changed = 0;
    takeStep("Destination Format",
             [this, &word, &changed] { changed = m_form->setDestinationFormat(word); });
    showFormats();
    m_formatsNote = conversionNote(m_form->formats(), changed, m_form->destPic);
    showAccount();
}

// The menu's marks follow the form's formats, whether a menu, a script or a file set them.
void BenchShell::showFormats() {
    const testrun::BenchFormats& formats = m_form->formats();
    const auto mark = [this](const char* menu, const std::string& word) {
        ui::Menu& submenu = m_frame.menuOf(menu);
        for (const dib::FormatChoice& choice : dib::formatChoices()) {
            if (ui::MenuItem* item = submenu.find(choice.name))
                item->setChecked(choice.word == word);
        }
    };
    mark(kSourceMenu, formats.source);
    mark(kDestinationMenu, formats.destination);
    ui::MenuItem& indexes = *m_frame.findMenuItem(kPaletteIndexes);
    indexes.setChecked(formats.paletteIndexes);
    indexes.setEnabled(formats.sourceFormat().bitCount <= 8);
    m_frame.findMenuItem(kShowDibHeader)->setChecked(m_form->showDibHeader);
    m_formatsNote.clear();
}

}  // namespace shell
