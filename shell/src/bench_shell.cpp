#include "shell/bench_shell.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

#include "geometry/call_account.h"
#include "format_texts.h"
#include "geometry_overlay.h"
#include "help_texts.h"
#include "script/experiment_file.h"

namespace shell {
namespace {

constexpr const char* kExperimentFilter = "DIB Lab experiments (*.dls)";
constexpr const char* kPictureFilter = "PNG pictures (*.png)";
// An experiment the window saves is a few kilobytes; a file far larger is not one.
constexpr int kLargestExperimentMegabytes = 16;
constexpr std::streamoff kLargestExperiment = std::streamoff(kLargestExperimentMegabytes) << 20;

constexpr const char* kShowGeometry = "Show &Geometry";

std::string withoutSuffix(const std::string& path, std::string_view suffix) {
    return path.ends_with(suffix) ? path.substr(0, path.size() - suffix.size()) : path;
}

std::string cannotOpen(const std::string& path, const std::string& why) {
    return "The experiment " + path + " cannot be opened: " + why + ".";
}

}  // namespace

BenchShell::BenchShell(ui::MessageBoxService& messages, ui::FileDialogService& files)
    : m_messages(messages), m_files(files) {
    buildMenus();
    auto form = std::make_unique<app::frmBench>();
    form->setMessageBox(&m_messages);
    form->load();
    adopt(std::move(form));
}

BenchShell::~BenchShell() = default;

void BenchShell::buildMenus() {
    using ui::MenuItemKind;
    std::vector<MenuRow> rows = {
        {"&File", "&Open Experiment\u2026", "Ctrl+O", MenuItemKind::Command,
         [this] { chooseAndOpen(); }},
        {"&File", "&Save Experiment\u2026", "Ctrl+S", MenuItemKind::Command, [this] { save(); }},
        {"&File", "&Export Pictures\u2026", "", MenuItemKind::Command,
         [this] { exportPictures(); }},
        {"&File", "", "", MenuItemKind::Command, {}},
        {"&File", "&Quit", "Ctrl+Q", MenuItemKind::Command, [this] { closeFrame(); }},
        {"&Edit", "Copy &Report", "", MenuItemKind::Command,
         [this] {
             if (ui::Desktop* desktop = m_frame.desktop()) desktop->copyText(m_form->Text3.Text());
         }},
        {"&Edit", "Copy &Destination as PNG", "", MenuItemKind::Command,
         [this] { copyToClipboard(m_form->destBigPic); }},
        {"&Edit", "Copy &Source as PNG", "", MenuItemKind::Command,
         [this] { copyToClipboard(m_form->srcBigPic); }},
        {"&View", kShowGeometry, "", MenuItemKind::Check, [this] { showGeometry(); }},
    };
    appendFormatRows(rows);
    rows.insert(rows.end(), {
        {"&Help", "&What the Arguments Mean", "F1", MenuItemKind::Command,
         [this] { m_messages.show(argumentsHelp()); }},
        {"&Help", "&About DIB Lab", "", MenuItemKind::Command,
         [this] { m_messages.show(aboutText()); }},
    });
    for (const MenuRow& row : rows) {
        if (row.caption.empty()) {
            m_frame.addSeparator(row.menu);
        } else {
            m_frame.addMenuItem(row.menu, row.caption, row.shortcut, row.kind).onTriggered =
                row.handler;
        }
    }
}

void BenchShell::copyToClipboard(const ui::Picture& picture) {
    if (ui::Desktop* desktop = m_frame.desktop()) desktop->copyPicture(picture);
}

void BenchShell::closeFrame() {
    if (ui::Desktop* desktop = m_frame.desktop()) desktop->closeFrame();
}

// The new form is wired and shown before the old one goes, so that no view outlives its form.
void BenchShell::adopt(std::unique_ptr<app::frmBench> form) {
    form->setMessageBox(&m_messages);
    form->onExperimentPerformed = [this] {
        showAccount();
        showGeometry();
    };
    form->onCallChanged = [this] { showGeometry(); };
    std::unique_ptr<app::frmBench> old = std::exchange(m_form, std::move(form));
    m_frame.setForm(*m_form);
    old.reset();
    showFormats();
    showAccount();
    showGeometry();
}

bool BenchShell::openExperiment(const std::string& path) {
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!regular || !file || file.tellg() < 0) {
        m_messages.show(cannotOpen(path, "the file cannot be read"));
        return false;
    }
    if (file.tellg() > kLargestExperiment) {
        m_messages.show(cannotOpen(path, "the file is larger than " +
                                         std::to_string(kLargestExperimentMegabytes) + " MB"));
        return false;
    }
    file.seekg(0);
    script::LoadedExperiment loaded = script::loadExperiment(file);
    if (loaded.error) {
        m_messages.show(cannotOpen(
            path, "line " + std::to_string(loaded.error->line) + ": " + loaded.error->reason));
        return false;
    }
    m_experimentPath = path;
    adopt(std::move(loaded.form));
    for (const std::string& message : loaded.messages) m_messages.show(message);
    return true;
}

void BenchShell::chooseAndOpen() {
    const std::optional<std::string> path =
        m_files.chooseFile({ui::FileChoice::Purpose::Open, "Open Experiment", kExperimentFilter,
                            "dls", m_experimentPath});
    if (path) openExperiment(*path);
}

void BenchShell::save() {
    const std::optional<std::string> path =
        m_files.chooseFile({ui::FileChoice::Purpose::Save, "Save Experiment", kExperimentFilter,
                            "dls", experimentStem() + ".dls"});
    if (!path) return;
    const script::WrittenExperiment written = script::writeExperiment(*m_form);
    if (!written.problem.empty()) {
        m_messages.show("The experiment cannot be saved: " + written.problem + ".");
        return;
    }
    std::ofstream file(*path, std::ios::binary | std::ios::trunc);
    file << written.script;
    file.close();
    if (!file) {
        m_messages.show("The experiment cannot be saved to " + *path + ".");
        return;
    }
    m_experimentPath = *path;
}

// Four PNG files named after the experiment: the two pictures and their magnified views, the
// views as shown, with the geometry when it is drawn.
void BenchShell::exportPictures() {
    ui::Desktop* desktop = m_frame.desktop();
    if (desktop == nullptr) return;
    const std::optional<std::string> path =
        m_files.chooseFile({ui::FileChoice::Purpose::Save, "Export Pictures", kPictureFilter, "png",
                            experimentStem() + ".png"});
    if (!path) return;
    const std::string stem = withoutSuffix(*path, ".png");
    const std::pair<const ui::Picture*, const char*> pictures[] = {
        {&m_form->srcPic, "-source.png"},
        {&m_form->srcBigPic, "-source-magnified.png"},
        {&m_form->destPic, "-destination.png"},
        {&m_form->destBigPic, "-destination-magnified.png"}};
    for (const auto& [picture, suffix] : pictures) {
        if (!desktop->savePicture(*picture, stem + suffix)) {
            m_messages.show("The picture " + stem + suffix + " cannot be written.");
            return;
        }
    }
}

// Away from 32 bpp on both sides, the formats come first.
void BenchShell::showAccount() {
    const std::optional<app::ExperimentRecord>& last = m_form->lastExperiment();
    std::string text = last ? geometry::explainCall(last->call) : std::string();
    if (!m_form->formats().bothThirtyTwo()) {
        const std::string formats = formatsLine(m_form->formats()) +
                                    (m_formatsNote.empty() ? "" : "\n" + m_formatsNote);
        text = text.empty() ? formats : formats + "\n" + text;
    }
    m_frame.setStatusText(text);
}

// The overlay follows the fields and boxes as they stand; while an argument does not fit there
// is no call to draw.
void BenchShell::showGeometry() {
    const std::optional<geometry::Call> call =
        m_frame.findMenuItem(kShowGeometry)->checked() ? m_form->plannedCall() : std::nullopt;
    const std::optional<geometry::CallGeometry> drawn =
        call ? geometry::computeGeometry(*call) : std::nullopt;
    m_form->srcBigPic.setOverlay(drawn ? sourceOverlay(*call, *drawn) : ui::Overlay{});
    m_form->destBigPic.setOverlay(drawn ? destinationOverlay(*call, *drawn) : ui::Overlay{});
}

std::string BenchShell::experimentStem() const {
    return m_experimentPath.empty() ? "experiment" : withoutSuffix(m_experimentPath, ".dls");
}

}  // namespace shell
