#include "shell/message_window.h"

#include <gtest/gtest.h>

#include "skin/memory_skin.h"

namespace quillon::shell {
namespace {

TEST(MessageWindow, ConfirmIsOneAndEverythingElseZero) {
    skin::MemorySkin skin;
    skin.queueMessageAnswer(1);
    skin.queueMessageAnswer(0);
    skin.queueMessageAnswer(2);  // a window closed some other way
    EXPECT_EQ(showMessage(skin, "message_text_12"), 1);
    EXPECT_EQ(showMessage(skin, "message_text_12"), 0);
    EXPECT_EQ(showMessage(skin, "message_text_12"), 0);
}

TEST(MessageWindow, NumberFillsTheFirstPercentDOnlyAndOtherSequencesStayAsWritten) {
    EXPECT_EQ(fillNumber("Remove at least %d actions.", 3), "Remove at least 3 actions.");
    EXPECT_EQ(fillNumber("%s %n %d %d", 50), "%s %n 50 %d");
    EXPECT_EQ(fillNumber("no number", 50), "no number");
    skin::MemorySkin skin;
    ASSERT_EQ(
        skin.loadLanguageText(
            R"(<language code="en"><text key="message_text_17">At most %d macros.</text></language>)"),
        skin::LanguageLoad::ok);
    EXPECT_EQ(showMessageWithNumber(skin, "message_text_17", 50), 1);
    EXPECT_EQ(skin.messages().back().text, "At most 50 macros.");
}

}  // namespace
}  // namespace quillon::shell
