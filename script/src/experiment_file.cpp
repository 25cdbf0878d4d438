#include "script/experiment_file.h"

#include <cstdio>
#include <sstream>
#include <string_view>

#include "script/form_state.h"
#include "script/text_escapes.h"
#include "ui/picture.h"

namespace script {

namespace {

// Keeps the message boxes of a replayed form instead of showing them.
class MessageLog : public ui::MessageBoxService {
public:
    void show(std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

std::string hexPixel(std::uint32_t pixel) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%0*x", (pixel >> 24) == 0 ? 6 : 8, pixel);
    return digits;
}

// Writes commands and runs each at once in a replay of the form, so that every command is
// chosen from the state the earlier ones produced, and the replay ends where the file will.
class ExperimentWriter {
public:
    ExperimentWriter() : m_runner(m_replay, m_ignored) {
        m_replay.setMessageBox(&m_messages);
        m_replay.load();
    }

    // The pictures, fields, boxes and report of `target`, from the replay's state.
    void takeStateOf(app::frmBench& target) {
        setFormats(target.formats());
        drawPicture(m_replay.srcPic, ui::imagePixels(target.srcPic), target.srcPic.BackColor());
        drawPicture(m_replay.destPic, ui::imagePixels(target.destPic), target.destPic.BackColor());
        setFieldsAndBoxes(target.settings());
        setReport(target.Text3.Text());
    }

    // What the last run started from, then the run.
    void makeRun(const app::ExperimentRecord& start, const std::string& report) {
        comment("The pictures, fields and boxes the run started from");
        setFormats(start.settings.formats);
        drawPicture(m_replay.srcPic, start.source.pixels, start.source.backColor);
        drawPicture(m_replay.destPic, start.destination.pixels, start.destination.backColor);
        setFieldsAndBoxes(start.settings);
        setReport(report.substr(0, start.reportLength));
        comment("The run");
        emit("click cmdTest");
    }

    void comment(std::string_view text) { m_script += "# " + std::string(text) + "\n"; }

    // A command that only prints: written, not replayed.
    void printing(std::string_view line) { m_script += std::string(line) + "\n"; }

    app::frmBench& replay() { return m_replay; }
    std::string& problem() { return m_problem; }
    std::string script() const { return m_script; }

private:
    void emit(const std::string& line) {
        m_script += line + "\n";
        std::istringstream command(line);
        const auto error = m_runner.run(command);
        if (error && m_problem.empty())
            m_problem = "'" + line + "' cannot be run: " + error->reason;
    }

    // A background fill through the form's own button when the colour changes, then each pixel
    // that still differs.
    void drawPicture(ui::Picture& picture, const std::vector<std::uint32_t>& pixels,
                     COLORREF backColor) {
        const bool source = &picture == &m_replay.srcPic;
        if (picture.BackColor() != backColor) {
            const char* fields[] = {source ? "Text7" : "Text4", source ? "Text8" : "Text5",
                                    source ? "Text9" : "Text6"};
            for (int i = 0; i < 3; ++i) {
                emit("set " + std::string(fields[i]) + " " +
                     std::to_string((backColor >> (8 * i)) & 0xFF));
            }
            emit(source ? "click cmdSetSrcBkg" : "click cmdSetDestBkg");
        }
        const std::vector<std::uint32_t> now = ui::imagePixels(picture);
        const auto width = static_cast<std::size_t>(picture.Width);
        for (std::size_t i = 0; i < pixels.size() && i < now.size(); ++i) {
            if (pixels[i] == now[i]) continue;
            emit("setpixel " + picture.qualifiedName() + " " + std::to_string(i % width) + " " +
                 std::to_string(i / width) + " " + hexPixel(pixels[i]));
        }
    }

    void setFieldsAndBoxes(const app::BenchSettings& settings) {
        for (const auto& [name, text] : settings.fields) {
            const auto& field = dynamic_cast<const ui::TextBox&>(*m_replay.find(name));
            if (field.Text() != text) emit("set " + name + " " + escapeForPrint(text));
        }
        for (const auto& [name, value] : settings.boxes) {
            const auto& box = dynamic_cast<const ui::CheckBox&>(*m_replay.find(name));
            if (box.Value() != value) emit("click " + name);
        }
    }

    // First of all: a destination format converts the destination picture.
    void setFormats(const testrun::BenchFormats& formats) {
        const testrun::BenchFormats& now = m_replay.formats();
        if (now.source != formats.source) emit("format source " + formats.source);
        if (now.destination != formats.destination) {
            emit("format destination " + formats.destination);
        }
        if (now.paletteIndexes != formats.paletteIndexes) {
            emit(std::string("format indexes ") + (formats.paletteIndexes ? "on" : "off"));
        }
    }

    void setReport(const std::string& text) {
        if (m_replay.Text3.Text() != text) emit("set Text3 " + escapeForPrint(text));
    }

    MessageLog m_messages;
    std::ostream m_ignored{nullptr};
    app::frmBench m_replay;
    ScriptRunner m_runner;
    std::string m_script;
    std::string m_problem;
};

}  // namespace

WrittenExperiment writeExperiment(app::frmBench& form) {
    ExperimentWriter writer;
    writer.comment("DIB Lab experiment. Open it in DIB Lab, or run it with diblab-script to print");
    writer.comment("what the window shows.");
    const std::optional<app::ExperimentRecord>& last = form.lastExperiment();
    if (last) writer.makeRun(*last, form.Text3.Text());
    const FormState wanted = captureState(form);
    if (captureState(writer.replay()) != wanted || writer.replay().formats() != form.formats()) {
        writer.comment(last ? "What changed after the run" : "The pictures, fields and boxes");
        writer.takeStateOf(form);
    }
    std::string differs = firstDifference(captureState(writer.replay()), wanted);
    if (differs.empty() && writer.replay().formats() != form.formats()) differs = "the formats";
    if (writer.problem().empty() && !differs.empty()) {
        writer.problem() = differs + " would not come back as it is";
    }
    writer.comment("What the window shows");
    for (const char* line : {"print dstRet.Caption", "print srcHeight.Caption", "pixels srcPic",
                             "pixels destPic", "lines Text3"}) {
        writer.printing(line);
    }
    if (last) writer.printing("explain");
    return {writer.script(), writer.problem()};
}

LoadedExperiment loadExperiment(std::istream& script) {
    LoadedExperiment loaded;
    auto form = std::make_unique<app::frmBench>();
    MessageLog messages;
    form->setMessageBox(&messages);
    form->load();
    std::ostream ignored(nullptr);
    loaded.error = ScriptRunner(*form, ignored).run(script);
    form->setMessageBox(nullptr);
    loaded.messages = std::move(messages.shown);
    if (!loaded.error) loaded.form = std::move(form);
    return loaded;
}

}  // namespace script
