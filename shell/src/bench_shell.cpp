#include "shell/bench_shell.h"

#include <utility>

#include "help_texts.h"
#include "menu_captions.h"
#include "setting_keys.h"
#include "status_parts.h"
#include "undo_history.h"

namespace shell {

BenchShell::BenchShell(BenchServices services)
    : m_messages(services.messages),
      m_files(services.files),
      m_questions(services.questions),
      m_settings(services.settings),
      m_document(std::make_unique<Document>()),
      m_history(std::make_unique<UndoHistory>(kUndoSteps)) {
    buildMenus();
    addStatusParts(m_frame);
    m_frame.mayClose = [this] { return mayClose(); };
    m_frame.onFileDropped = [this](const std::string& path) { openAsked(path); };
    auto form = std::make_unique<app::frmBench>();
    form->setMessageBox(&m_messages);
    form->load();
    adopt(std::move(form));
    m_document->saved = m_lastState;
    restoreSettings();
    showDocument();
}

BenchShell::~BenchShell() = default;

void BenchShell::buildMenus() {
    using ui::MenuItemKind;
    std::vector<MenuRow> rows = {
        {"&File", "&Open Experiment\u2026", "Ctrl+O", MenuItemKind::Command,
         [this] { chooseAndOpen(); }},
    };
    appendRecentRows(rows);
    rows.insert(
        rows.end(),
        {
            {"&File", "&Save Experiment\u2026", "Ctrl+S", MenuItemKind::Command,
             [this] { save(); }},
            {"&File", "&Export Pictures\u2026", "", MenuItemKind::Command,
             [this] { exportPictures(); }},
            {"&File", "", "", MenuItemKind::Command, {}},
            {"&File", "&Quit", "Ctrl+Q", MenuItemKind::Command, [this] { closeFrame(); }},
            {"&Edit", kUndo, "Ctrl+Z", MenuItemKind::Command, [this] { undo(); }},
            {"&Edit", kRedo, "Ctrl+Shift+Z; Ctrl+Y", MenuItemKind::Command, [this] { redo(); }},
            {"&Edit", "", "", MenuItemKind::Command, {}},
            {"&Edit", "Copy &Report", "", MenuItemKind::Command,
             [this] {
                 if (ui::Desktop* desktop = m_frame.desktop())
                     desktop->copyText(m_form->Text3.Text());
             }},
            {"&Edit", "Copy &Destination as PNG", "", MenuItemKind::Command,
             [this] { copyToClipboard(m_form->destBigPic); }},
            {"&Edit", "Copy &Source as PNG", "", MenuItemKind::Command,
             [this] { copyToClipboard(m_form->srcBigPic); }},
            {"&View", kShowGeometry, "", MenuItemKind::Check,
             [this] {
                 m_settings.setText(kShowGeometrySetting,
                                    m_frame.findMenuItem(kShowGeometry)->checked() ? "1" : "0");
                 showGeometry();
             }},
        });
    appendFormatRows(rows);
    rows.insert(rows.end(), {
                                {"&Run", "Run &Call", "F5", MenuItemKind::Command,
                                 [this] { m_form->cmdTest.click(); }},
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
    for (const auto& item : m_frame.menuOf(kRecentMenu).items())
        m_recentItems.push_back(item.get());
    m_undoItem = m_frame.findMenuItem(kUndo);
    m_redoItem = m_frame.findMenuItem(kRedo);
}

void BenchShell::copyToClipboard(const ui::Picture& picture) {
    if (ui::Desktop* desktop = m_frame.desktop()) desktop->copyPicture(picture);
}

void BenchShell::closeFrame() {
    if (ui::Desktop* desktop = m_frame.desktop()) desktop->closeFrame();
}

bool BenchShell::mayClose() {
    return unsavedWorkAllowsIt();
}

// The new form is wired and shown before the old one goes, so that no view outlives its form.
void BenchShell::adopt(std::unique_ptr<app::frmBench> form) {
    form->setMessageBox(&m_messages);
    form->onExperimentPerformed = [this] {
        m_changedSinceRun = false;
        showAccount();
        showGeometry();
        showPending();
    };
    form->onCallChanged = [this] { callChanged(); };
    wireSteps(*form);
    std::unique_ptr<app::frmBench> old = std::exchange(m_form, std::move(form));
    m_frame.setForm(*m_form);
    old.reset();
    m_lastState = std::make_shared<const std::string>(currentState());
    m_changedSinceRun = false;
    showFormats();
    showAccount();
    showGeometry();
    showPending();
}

}  // namespace shell
