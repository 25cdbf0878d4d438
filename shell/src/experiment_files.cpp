#include <filesystem>
#include <fstream>
#include <utility>

#include "menu_captions.h"
#include "script/experiment_file.h"
#include "setting_keys.h"
#include "shell/bench_shell.h"
#include "undo_history.h"

namespace shell {
namespace {

constexpr const char* kExperimentFilter = "DIB Lab experiments (*.dls)";
constexpr const char* kPictureFilter = "PNG pictures (*.png)";
// An experiment the window saves is a few kilobytes; a file far larger is not one.
constexpr int kLargestExperimentMegabytes = 16;
constexpr std::streamoff kLargestExperiment = std::streamoff(kLargestExperimentMegabytes) << 20;
constexpr std::size_t kRecentFiles = 8;

std::string withoutSuffix(const std::string& path, std::string_view suffix) {
    return path.ends_with(suffix) ? path.substr(0, path.size() - suffix.size()) : path;
}

std::string cannotOpen(const std::string& path, const std::string& why) {
    return "The experiment " + path + " cannot be opened: " + why + ".";
}

std::string fileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// A name in a menu caption, where '&' would mark an access key.
std::string captionText(const std::string& name) {
    std::string text;
    for (char c : name) text += c == '&' ? "&&" : std::string(1, c);
    return text;
}

}  // namespace

bool BenchShell::openExperiment(const std::string& path) {
    return openExperiment(path, false);
}

// The file is read and run first, so that a file that cannot be opened asks nothing.
bool BenchShell::openExperiment(const std::string& path, bool askAboutUnsavedWork) {
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
    if (askAboutUnsavedWork && !unsavedWorkAllowsIt()) return false;
    const Document before = *m_document;
    const std::shared_ptr<const std::string> beforeState = m_lastState;
    adopt(std::move(loaded.form));
    *m_document = {path, m_lastState};
    m_history->record({"Open Experiment", beforeState, m_lastState, before, *m_document});
    remember(path);
    m_notice.clear();
    showSteps();
    showDocument();
    for (const std::string& message : loaded.messages) m_messages.show(message);
    return true;
}

void BenchShell::chooseAndOpen() {
    const std::string folder = m_settings.text(kLastFolderSetting).value_or("");
    const std::string suggested =
        m_document->path.empty() && !folder.empty() ? folder + "/" : m_document->path;
    const std::optional<std::string> path = m_files.chooseFile(
        {ui::FileChoice::Purpose::Open, "Open Experiment", kExperimentFilter, "dls", suggested});
    if (path) openAsked(*path);
}

// Opening from the menu, a recent file or a drop asks about unsaved work.
void BenchShell::openAsked(const std::string& path) {
    openExperiment(path, true);
}

bool BenchShell::unsavedWorkAllowsIt() {
    m_lastState = std::make_shared<const std::string>(currentState());
    if (*m_lastState == *m_document->saved) return true;
    const bool untitled = m_document->path.empty();
    const ui::Answer answer = m_questions.ask(
        {ui::Question::Kind::UnsavedWork,
         untitled ? "Save the new experiment?"
                  : "Save the changes to " + fileName(m_document->path) + "?",
         untitled ? "The pictures, fields or report have changed since the window opened. "
                    "Without saving, the changes are lost."
                  : "The pictures, fields or report have changed since the experiment was last "
                    "saved or opened. Without saving, the changes are lost."});
    if (answer == ui::Answer::Save) return save();
    return answer == ui::Answer::Discard;
}

bool BenchShell::save() {
    const std::optional<std::string> path =
        m_files.chooseFile({ui::FileChoice::Purpose::Save, "Save Experiment", kExperimentFilter,
                            "dls", experimentStem() + ".dls"});
    return path && writeTo(*path);
}

bool BenchShell::writeTo(const std::string& path) {
    const script::WrittenExperiment written = script::writeExperiment(*m_form);
    if (!written.problem.empty()) {
        m_messages.show("The experiment cannot be saved: " + written.problem + ".");
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << written.script;
    file.close();
    if (!file) {
        m_messages.show("The experiment cannot be saved to " + path + ".");
        return false;
    }
    m_lastState = std::make_shared<const std::string>(written.script);
    *m_document = {path, m_lastState};
    remember(path);
    m_notice = "Saved " + path + ".";
    showDocument();
    return true;
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
    std::vector<std::string> paths;
    for (const auto& picture : pictures) paths.push_back(stem + picture.second);
    if (!mayReplace(paths)) return;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!desktop->savePicture(*pictures[i].first, paths[i])) {
            m_messages.show("The picture " + paths[i] + " cannot be written.");
            return;
        }
    }
    m_notice = "Exported " + fileName(paths[0]) + ", " + fileName(paths[1]) + ", " +
               fileName(paths[2]) + " and " + fileName(paths[3]) + " to " +
               std::filesystem::path(*path).parent_path().string() + ".";
    showDocument();
}

bool BenchShell::mayReplace(const std::vector<std::string>& paths) {
    std::string existing;
    std::size_t count = 0;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!std::filesystem::exists(path, error)) continue;
        existing += (existing.empty() ? "" : ", ") + fileName(path);
        ++count;
    }
    if (count == 0) return true;
    const std::string question =
        count == 1 ? "Replace the picture that exists already?"
                   : "Replace the " + std::to_string(count) + " pictures that exist already?";
    return m_questions.ask({ui::Question::Kind::Overwrite, question, existing + "."}) ==
           ui::Answer::Replace;
}

std::string BenchShell::experimentStem() const {
    return m_document->path.empty() ? "experiment" : withoutSuffix(m_document->path, ".dls");
}

// Eight items, hidden while they name no file; the menu says so while there is none.
void BenchShell::appendRecentRows(std::vector<MenuRow>& rows) {
    for (std::size_t i = 0; i < kRecentFiles; ++i) {
        rows.push_back(
            {kRecentMenu, "&" + std::to_string(i + 1), "", ui::MenuItemKind::Command, [this, i] {
                 const std::vector<std::string> files = m_settings.list(kRecentFilesSetting);
                 if (i < files.size()) openAsked(files[i]);
             }});
    }
    rows.push_back({kRecentMenu, kNoRecentFiles, "", ui::MenuItemKind::Command, {}});
}

void BenchShell::remember(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string whole = error ? path : absolute.lexically_normal().string();
    std::vector<std::string> files = m_settings.list(kRecentFilesSetting);
    std::erase(files, whole);
    files.insert(files.begin(), whole);
    if (files.size() > kRecentFiles) files.resize(kRecentFiles);
    m_settings.setList(kRecentFilesSetting, files);
    m_settings.setText(kLastFolderSetting, std::filesystem::path(whole).parent_path().string());
    showRecentFiles();
}

void BenchShell::showRecentFiles() {
    const std::vector<std::string> files = m_settings.list(kRecentFilesSetting);
    for (std::size_t i = 0; i < kRecentFiles; ++i) {
        ui::MenuItem& item = *m_recentItems[i];
        item.setVisible(i < files.size());
        if (i < files.size()) {
            item.setCaption("&" + std::to_string(i + 1) + " " + captionText(fileName(files[i])));
        }
    }
    ui::MenuItem& none = *m_recentItems[kRecentFiles];
    none.setVisible(files.empty());
    none.setEnabled(false);
}

void BenchShell::restoreSettings() {
    m_frame.findMenuItem(kShowGeometry)->setChecked(m_settings.text(kShowGeometrySetting) == "1");
    showGeometry();
    showRecentFiles();
}

}  // namespace shell
