#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_bench.h"
#include "ui/frame.h"
#include "ui/menu.h"
#include "ui/message_box.h"

namespace shell {

// The bench's frame around frmBench: the menus and what they do, the status line that explains
// each run, the geometry drawn over the magnified views, and experiments opened, saved and
// exported. It owns the form and replaces it when an experiment is opened. Everything reaches
// the person through the frame, the message box and the file dialogs.
class BenchShell {
public:
    BenchShell(ui::MessageBoxService& messages, ui::FileDialogService& files);
    ~BenchShell();
    BenchShell(const BenchShell&) = delete;
    BenchShell& operator=(const BenchShell&) = delete;

    ui::Frame& frame() { return m_frame; }
    app::frmBench& form() { return *m_form; }

    // Runs the file in a fresh form at start-up, which then takes the place of the current one.
    // A file that cannot be read or run is reported with its name (and the line) and leaves the
    // form exactly as it was. Returns whether the experiment opened.
    bool openExperiment(const std::string& path);

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
    void chooseAndOpen();
    void save();
    void exportPictures();
    void showAccount();
    void showGeometry();
    std::string experimentStem() const;

    ui::MessageBoxService& m_messages;
    ui::FileDialogService& m_files;
    ui::Frame m_frame;
    std::unique_ptr<app::frmBench> m_form;
    std::string m_experimentPath;  // the file last opened or saved
    std::string m_formatsNote;     // what the last change of the destination format did
};

}  // namespace shell
