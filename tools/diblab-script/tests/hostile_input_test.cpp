#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "run_script.h"
#include "script/script_runner.h"
#include "ui/picture.h"

// Odd texts in every field: each acts exactly as the number the field documents for it, or shows
// the field's message and changes no picture, field, caption or report.

namespace {

struct HostileText {
    const char* name;
    std::string text;                  // as a script line writes it
    std::optional<std::string> reads;  // the plain number it must act as; none: beyond range
};

void PrintTo(const HostileText& c, std::ostream* out) {
    *out << c.name;
}

const std::vector<HostileText>& hostileTexts() {
    static const std::vector<HostileText> texts{
        {"Empty", "", "0"},
        {"BlanksOnly", "    ", "0"},
        {"Minus", "-", "0"},
        {"DoubleMinus", "--5", "0"},
        {"Overflow", "1e999", std::nullopt},
        {"NegativeOverflow", "-1e999", std::nullopt},
        {"Underflow", "1e-999", "0"},
        {"HexWithoutDigits", "&H", "0"},
        {"HexBeyond32Bits", "&HFFFFFFFFFFFFFFFF", std::nullopt},
        {"OctalBeyond32Bits", "&O777777777777777", std::nullopt},
        {"CStyleHex", "0x10", "0"},
        {"DecimalComma", "1,5", "1"},
        {"NumberAndTenThousandDigits", "5" + std::string(10000, '7'), std::nullopt},
        {"MebibyteOfLetters", "3" + std::string((1 << 20) - 1, 'x'), "3"},
        {"MebibyteOfBlanksBeforeADigit", std::string((1 << 20) - 1, ' ') + "4", "4"},
        {"NonAsciiLetters", "\xC3\x84\xC3\xB6\xC3\x9F\xE6\xBC\xA2", "0"},
        {"FullWidthDigit", "\xEF\xBC\x97", "0"},
        {"ControlCharacters", "\\x01\\x07\\x1b\\x7f2", "0"},
        {"TabAndLineFeedInsideANumber", "\\t1\\n2", "12"},
    };
    return texts;
}

// A field, one action that reads it, and the message the action shows for a number too large.
struct FieldAction {
    std::string field;
    std::string action;
    std::string message;
};

void PrintTo(const FieldAction& c, std::ostream* out) {
    *out << c.field << " " << c.action;
}

constexpr const char* kTextBoxes[] = {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text2(0)",
                                      "Text2(1)", "Text2(2)", "Text2(3)", "Text3",    "Text4",
                                      "Text5",    "Text6",    "Text7",    "Text8",    "Text9",
                                      "Text10",   "Text11"};

// Listings on, both pictures coloured, a point set and one run done: every later change shows.
const std::string kSetUp =
    "click Check5\nclick Check4\n"
    "set Text7 10\nset Text8 20\nset Text9 30\nclick cmdSetSrcBkg\n"
    "set Text7 200\nset Text10 2\nset Text11 5\nclick cmdSetSrcPoint\n"
    "set Text4 40\nset Text5 50\nset Text6 60\nclick cmdSetDestBkg\n"
    "set Text1(0) 1\nset Text2(3) 6\nclick cmdTest\n";

struct FormState {
    std::vector<std::vector<std::uint32_t>> pictures;
    std::vector<std::string> texts;
    std::vector<std::string> captions;

    bool operator==(const FormState&) const = default;
};

const ui::TextBox& textBox(const app::frmBench& form, const std::string& name) {
    return dynamic_cast<const ui::TextBox&>(*form.find(name));
}

FormState stateOf(const app::frmBench& form) {
    FormState state;
    for (const ui::Picture* picture :
         {&form.srcPic, &form.srcBigPic, &form.destPic, &form.destBigPic}) {
        state.pictures.push_back(ui::imagePixels(*picture));
    }
    for (const char* name : kTextBoxes) state.texts.push_back(textBox(form, name).Text());
    state.captions = {form.dstRet.Caption(), form.srcHeight.Caption()};
    return state;
}

// The form after the set-up and `set FIELD TEXT`, then after `action`, and what the action wrote.
struct CaseRun {
    FormState beforeAction;
    FormState afterAction;
    std::string output;
};

CaseRun runCase(const std::string& field, const std::string& text, const std::string& action) {
    std::ostringstream out;
    script::ScriptRunner runner(out);
    std::istringstream setUp(kSetUp + "set " + field + " " + text + "\n");
    EXPECT_FALSE(runner.run(setUp).has_value());
    CaseRun run;
    run.beforeAction = stateOf(runner.form());
    out.str("");
    std::istringstream act(action + "\n");
    EXPECT_FALSE(runner.run(act).has_value());
    run.afterAction = stateOf(runner.form());
    run.output = out.str();
    return run;
}

std::size_t fieldIndex(const std::string& field) {
    std::size_t index = 0;
    while (kTextBoxes[index] != field) ++index;
    return index;
}

// One field and action against every text of the table.
class HostileField : public testing::TestWithParam<FieldAction> {};

void checkHostileText(const FieldAction& use, const HostileText& hostile) {
    const CaseRun run = runCase(use.field, hostile.text, use.action);
    if (!hostile.reads) {
        EXPECT_EQ(run.output, "message: " + use.message + "\n");
        EXPECT_TRUE(run.afterAction == run.beforeAction) << "a refused input changed the form";
        return;
    }
    const CaseRun reference = runCase(use.field, *hostile.reads, use.action);
    EXPECT_EQ(run.output, reference.output);
    EXPECT_TRUE(run.afterAction.pictures == reference.afterAction.pictures);
    EXPECT_EQ(run.afterAction.captions, reference.afterAction.captions);
    // The field keeps its odd text unless the action rewrote it, as it did the plain number.
    FormState expected = reference.afterAction;
    const std::size_t field = fieldIndex(use.field);
    if (expected.texts[field] == *hostile.reads) {
        expected.texts[field] = run.beforeAction.texts[field];
    }
    EXPECT_TRUE(run.afterAction.texts == expected.texts) << "a field's text differs";
}

TEST_P(HostileField, EachTextActsAsItsDocumentedNumberOrShowsAMessageAndChangesNothing) {
    for (const HostileText& hostile : hostileTexts()) {
        SCOPED_TRACE(hostile.name);
        checkHostileText(GetParam(), hostile);
    }
}

std::vector<FieldAction> fieldActions() {
    std::vector<FieldAction> uses;
    const char* arguments[][2] = {{"Text1(0)", "XDest"}, {"Text1(1)", "YDest"},
                                  {"Text1(2)", "Width"}, {"Text1(3)", "Height"},
                                  {"Text2(0)", "XSrc"},  {"Text2(1)", "YSrc"},
                                  {"Text2(2)", "Start"}, {"Text2(3)", "#Lines"}};
    for (const auto& [field, caption] : arguments) {
        uses.push_back({field, "click cmdTest",
                        std::string(caption) + " must be a whole number from -32768 to 32767."});
    }
    const char* colours[][2] = {{"Text4", "Destination R"}, {"Text5", "Destination G"},
                                {"Text6", "Destination B"}, {"Text7", "Source R"},
                                {"Text8", "Source G"},      {"Text9", "Source B"}};
    for (const auto& [field, name] : colours) {
        const std::string message = std::string(name) + " holds a number too large.";
        const bool source = name[0] == 'S';
        uses.push_back({field, source ? "click cmdSetSrcBkg" : "click cmdSetDestBkg", message});
        uses.push_back({field, std::string("dblclick ") + field, message});
        if (source) uses.push_back({field, "click cmdSetSrcPoint", message});
    }
    uses.push_back({"Text10", "click cmdSetSrcPoint", "X holds a number too large."});
    uses.push_back({"Text11", "click cmdSetSrcPoint", "Y holds a number too large."});
    return uses;
}

std::string caseName(const testing::TestParamInfo<FieldAction>& info) {
    std::string name = info.param.field + "_" + info.param.action;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryField, HostileField, testing::ValuesIn(fieldActions()), caseName);

// The report box takes any text; a run appends its listings after it, a double-click clears it.
class HostileReport : public testing::TestWithParam<HostileText> {};

TEST_P(HostileReport, KeepsTheTextBeforeTheListingsAndClears) {
    const CaseRun run = runCase("Text3", GetParam().text, "click cmdTest");
    const CaseRun reference = runCase("Text3", "", "click cmdTest");
    const std::size_t report = fieldIndex("Text3");
    EXPECT_TRUE(run.afterAction.texts[report] ==
                run.beforeAction.texts[report] + reference.afterAction.texts[report]);
    EXPECT_TRUE(run.afterAction.pictures == reference.afterAction.pictures);
    EXPECT_EQ(run.output, "");

    std::ostringstream out;
    script::ScriptRunner runner(out);
    std::istringstream script("set Text3 " + GetParam().text + "\ndblclick Text3\n");
    EXPECT_FALSE(runner.run(script).has_value());
    EXPECT_EQ(runner.form().Text3.Text(), "");
}

INSTANTIATE_TEST_SUITE_P(EveryText, HostileReport, testing::ValuesIn(hostileTexts()),
                         [](const auto& info) { return std::string(info.param.name); });

// The same through the built program: odd #Lines texts end with status 0, either as the plain
// number would or with the message and the run's results left as they were.
class HostileProgramInput : public testing::TestWithParam<HostileText> {};

TEST_P(HostileProgramInput, RunsToTheEndWithTheDocumentedOutcome) {
    const std::string dump = "print dstRet.Caption\npixels destPic\nprint Text3.Text\n";
    const std::string run = kSetUp + "set Text2(3) " + GetParam().text + "\nclick cmdTest\n";
    const ScriptRun hostile = runScript(run + dump);
    ASSERT_EQ(hostile.status, 0) << hostile.err;
    if (!GetParam().reads) {
        const ScriptRun untouched = runScript(kSetUp + dump);
        EXPECT_EQ(hostile.out,
                  "message: #Lines must be a whole number from -32768 to 32767.\n" + untouched.out);
        return;
    }
    const ScriptRun reference =
        runScript(kSetUp + "set Text2(3) " + *GetParam().reads + "\nclick cmdTest\n" + dump);
    EXPECT_EQ(hostile.out, reference.out);
}

INSTANTIATE_TEST_SUITE_P(LinesField, HostileProgramInput, testing::ValuesIn(hostileTexts()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
