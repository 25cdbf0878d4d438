#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_bench.h"
#include "ui/frame.h"
#include "ui/menu.h"
#include "ui/message_box.h"
#include "ui/question.h"
#include "ui/settings.h"

namespace shell {
class UndoHistory;
struct Document;
}  // namespace shell

namespace shell {

// The services through which the bench reaches the person and the desktop.
struct BenchServices {
    ui::MessageBoxService& messages;
    ui::FileDialogService& files;
    ui::QuestionService& questions;
    ui::SettingsStore& settings;
};

// The bench's frame around frmBench: the menus and what they do, the status area that explains
// each run, the geometry drawn over the magnified views, experiments opened, saved and exported,
// the recent files, and Undo and Redo over the states the person made. It owns the form and
// replaces it when an experiment is opened or a step undone. Everything reaches the person
// through the frame and the services.
class BenchShell {
public:
    explicit BenchShell(BenchServices services);
    ~BenchShell();
    BenchShell(const BenchShell&) = delete;
    BenchShell& operator=(const BenchShell&) = delete;

    ui::Frame& frame() { return m_frame; }
    app::frmBench& form() { return *m_form; }

    // Runs the file in a fresh form at start-up, which then takes the place of the current one.
    // A file that cannot be read or run is reported with its name (and the line) and leaves the
    // form exactly as it was. Returns whether the experiment opened. Opening is a step that Undo
    // takes back; it does not ask about unsaved work (the menu, a drop and a recent file do).
    bool openExperiment(const std::string& path);
    // Whether the window may close: asks about unsaved work, and saves when told to.
    bool mayClose();

    // One item of the menu bar: the menu it goes into (a path such as "F&ormat > &Source" for a
    // submenu), its caption (empty for a separator line), its shortcut, its kind and what
    // choosing it does.
    struct MenuRow {
        std::string menu;
        std::string caption;
        std::string shortcut;
        ui::MenuItemKind kind;
        std::function<void()> handler;
    };

private:
    void buildMenus();
    // The Format menu: the source's and the destination's formats, palette indexes, the header.
    void appendFormatRows(std::vector<MenuRow>& rows);
    void chooseSourceFormat(const std::string& word);
    void chooseDestinationFormat(const std::string& word);
    void showFormats();
    void copyToClipboard(const ui::Picture& picture);
    void closeFrame();
    void adopt(std::unique_ptr<app::frmBench> form);
    bool openExperiment(const std::string& path, bool askAboutUnsavedWork);
    void chooseAndOpen();
    void openAsked(const std::string& path);
    bool save();
    bool writeTo(const std::string& path);
    void exportPictures();
    bool mayReplace(const std::vector<std::string>& paths);
    bool unsavedWorkAllowsIt();

    // The recent files: File > Open Recent, kept in the settings.
    void appendRecentRows(std::vector<MenuRow>& rows);
    void remember(const std::string& path);
    void showRecentFiles();
    void restoreSettings();

    // Undo and Redo: each change a person makes with a button, a double-click, a menu or Open is
    // a step between two states written as experiment scripts.
    void wireSteps(app::frmBench& form);
    void takeStep(const std::string& name, const std::function<void()>& change);
    void typed();
    void undo();
    void redo();
    void restore(const std::string& state);
    std::string currentState() const;
    void showSteps();

    void showAccount();
    void showGeometry();
    void showDocument();
    void showPending();
    void showLegend();
    void callChanged();
    std::string experimentStem() const;

    ui::MessageBoxService& m_messages;
    ui::FileDialogService& m_files;
    ui::QuestionService& m_questions;
    ui::SettingsStore& m_settings;
    ui::Frame m_frame;
    std::unique_ptr<app::frmBench> m_form;
    std::unique_ptr<Document> m_document;  // the file last opened or saved, and what it holds
    std::unique_ptr<UndoHistory> m_history;
    std::vector<ui::MenuItem*> m_recentItems;
    ui::MenuItem* m_undoItem = nullptr;  // named after the step they take back or do again
    ui::MenuItem* m_redoItem = nullptr;
    std::string m_formatsNote;  // what the last change of the destination format did
    std::string m_notice;       // what the last save or export wrote
    bool m_changedSinceRun = false;
    bool m_stepping = false;  // inside a step, whose change belongs to it
    // The state the last step, Open, Undo or typing left, from which the next step starts.
    std::shared_ptr<const std::string> m_lastState;
};

}  // namespace shell
