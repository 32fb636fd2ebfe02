// The message service: what each kind of box carries, and the recording answerer.
#include "platform/widgets/MessageService.h"
#include "platform/widgets/MessageRecorder.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <gtest/gtest.h>

using namespace plat::widgets;

class MessageServiceTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::qtApp(); }
};

TEST_F(MessageServiceTest, EachKindOfBoxCarriesItsIconButtonsAndDefault) {
    MessageRecorder rec(MsgResult::Yes);
    MessageService::error(QStringLiteral("E"), QStringLiteral("T1"));
    MessageService::notice(QStringLiteral("N"), QStringLiteral("T2"));
    EXPECT_TRUE(MessageService::askYesNo(QStringLiteral("Q"), QStringLiteral("T3")));
    EXPECT_EQ(MessageService::show({QStringLiteral("X"), QStringLiteral("T4"), MsgIcon::None,
                                    MsgButtons::YesNo, MsgResult::Yes}),
              MsgResult::Yes);

    ASSERT_EQ(rec.shown().size(), 4u);
    const auto& e = rec.shown()[0];
    EXPECT_EQ(e.text, QStringLiteral("E"));
    EXPECT_EQ(e.title, QStringLiteral("T1"));
    EXPECT_EQ(e.icon, MsgIcon::Error);
    EXPECT_EQ(e.buttons, MsgButtons::Ok);
    const auto& n = rec.shown()[1];
    EXPECT_EQ(n.icon, MsgIcon::None);
    EXPECT_EQ(n.buttons, MsgButtons::Ok);
    const auto& q = rec.shown()[2];
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.defaultButton, MsgResult::No);
    EXPECT_EQ(rec.shown()[3].defaultButton, MsgResult::Yes);
}

TEST_F(MessageServiceTest, AnEmptyTitleBecomesTheApplicationTitle) {
    MessageRecorder rec;
    MessageService::error(QStringLiteral("E"));
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("Tamsel"));
}

TEST_F(MessageServiceTest, QueuedAnswersComeFirstThenTheFixedAnswer) {
    MessageRecorder rec(MsgResult::No);
    rec.queueAnswers({MsgResult::Yes, MsgResult::No, MsgResult::Yes});
    std::vector<bool> answers;
    for (int i = 0; i < 5; ++i)
        answers.push_back(MessageService::askYesNo(QStringLiteral("?")));
    EXPECT_EQ(answers, (std::vector<bool>{true, false, true, false, false}));
}

TEST_F(MessageServiceTest, ARecorderRestoresThePreviousAnswererWhenItGoes) {
    MessageRecorder outer(MsgResult::Yes);
    {
        MessageRecorder inner(MsgResult::No);
        EXPECT_FALSE(MessageService::askYesNo(QStringLiteral("inner")));
    }
    EXPECT_TRUE(MessageService::askYesNo(QStringLiteral("outer")));
    ASSERT_EQ(outer.texts().size(), 1u);
    EXPECT_EQ(outer.texts()[0], QStringLiteral("outer"));
}
