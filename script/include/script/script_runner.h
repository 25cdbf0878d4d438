#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/frm_bench.h"
#include "ui/message_box.h"

namespace script {

// Answers every message box with OK after writing it as "message: TEXT".
class PrintingMessageBox : public ui::MessageBoxService {
public:
    explicit PrintingMessageBox(std::ostream& out) : m_out(out) {}
    void show(std::string_view text) override;

private:
    std::ostream& m_out;
};

struct ScriptError {
    int line = 0;
    std::string reason;
};

// Runs the form without a window, one script command a line, writing what the script prints
// to `out`.
class ScriptRunner {
public:
    // A form of its own, loaded, whose message boxes are written to `out` too.
    explicit ScriptRunner(std::ostream& out);
    // Drives a form that the caller owns and has loaded, with the message box it has.
    ScriptRunner(app::frmBench& form, std::ostream& out);

    // Runs every line of the script; stops at the first line that cannot be run and returns why.
    std::optional<ScriptError> run(std::istream& script);

    const app::frmBench& form() const { return m_form; }

    // One command of the language: its name, how it is written and what it does (for --help),
    // and the member that runs it with the rest of the line.
    struct Command {
        std::string_view name;
        std::string_view usage;
        std::string_view help;
        void (ScriptRunner::*run)(std::string_view arguments);
    };
    // Every command, in the order --help lists them.
    static std::span<const Command> commands();

private:
    void runLine(std::string_view line);
    void set(std::string_view arguments);
    void type(std::string_view arguments);
    void click(std::string_view arguments);
    void dblclick(std::string_view arguments);
    void print(std::string_view arguments);
    void pixels(std::string_view arguments);
    void lines(std::string_view arguments);
    void setpixel(std::string_view arguments);
    void explain(std::string_view arguments);
    void format(std::string_view arguments);
    void bits(std::string_view arguments);
    void header(std::string_view arguments);
    ui::Control& control(std::string_view name);
    ui::Picture& picture(std::string_view command, std::string_view name);

    std::ostream& m_out;
    std::unique_ptr<PrintingMessageBox> m_messageBox;
    std::unique_ptr<app::frmBench> m_ownForm;
    app::frmBench& m_form;
};

// "error: line N: REASON"
std::string formatScriptError(const ScriptError& error);

// The commands as --help lists them: each usage in a column of its own, its help wrapped beside
// it.
std::string describeCommands();

}  // namespace script
