#include <gtest/gtest.h>

#include <sstream>

#include "script/script_runner.h"

namespace {

TEST(ScriptRunner, MessageBoxWritesOneEscapedLineAndReturns) {
    std::ostringstream out;
    const script::ScriptRunner runner(out);
    runner.form().MsgBox("two\nlines\\");
    runner.form().MsgBox("next");
    EXPECT_EQ(out.str(), "message: two\\nlines\\\\\nmessage: next\n");
}

TEST(ScriptRunner, ALineThatCannotRunChangesNothing) {
    std::ostringstream out;
    script::ScriptRunner runner(out);
    std::istringstream script("type Text4 ab\xF0\x9F\x98\x80\nset Text4 never\n");
    const auto error = runner.run(script);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->line, 1);
    EXPECT_EQ(runner.form().Text4.Text(), "255");
}

TEST(ScriptRunner, TypeLeavesTheFocusOnTheControl) {
    std::ostringstream out;
    script::ScriptRunner runner(out);
    std::istringstream script("type Text2(1) 7\n");
    EXPECT_FALSE(runner.run(script).has_value());
    EXPECT_EQ(runner.form().ActiveControl(), &runner.form().Text2[1]);
    EXPECT_EQ(runner.form().Text2[1].Text(), "07");
}

}  // namespace
