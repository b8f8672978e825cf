// The session port against a stand-in for logind on a private bus: the methods and arguments
// that reach it for powering off, the right to do so, and ending the program's own session.
#include "app/desktop/logind_session.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "tests/app/logind_mock.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

class LogindSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(mock_.Start()) << "FAILED LOUDLY: " << mock_.error();
        session_ = std::make_unique<LogindSession>(mock_.BusAddress());
    }
    void TearDown() override { session_.reset(); }

    int argc_ = 1;
    char name_[16] = "logind_session";
    char* argv_[1] = {name_};
    QCoreApplication application_{argc_, argv_};
    TestWorld world_;
    LogindMock mock_{world_.base()};
    std::unique_ptr<LogindSession> session_;
};

TEST_F(LogindSessionTest, TheRightToPowerOffIsAYesOrAChallenge) {
    struct Case {
        const char* answer;
        bool may;
    };
    const Case cases[] = {{"yes", true}, {"challenge", true}, {"no", false}, {"na", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        ASSERT_TRUE(mock_.AnswerCanPowerOff(QString::fromLatin1(c.answer)));
        EXPECT_EQ(session_->MayPowerOff(), c.may);
    }
    EXPECT_EQ(mock_.CallsOf(QStringLiteral("CanPowerOff")).size(), 4u);
}

TEST_F(LogindSessionTest, PowersOffWithoutAskingForAPassword) {
    EXPECT_TRUE(session_->PowerOff());
    EXPECT_EQ(mock_.CallsOf(QStringLiteral("PowerOff")),
              (std::vector<QVariantList>{{QVariant(false)}}));
}

TEST_F(LogindSessionTest, EndsTheCallersOwnSession) {
    EXPECT_TRUE(session_->EndSession());
    EXPECT_EQ(mock_.CallsOf(QStringLiteral("TerminateSession")),
              (std::vector<QVariantList>{{QVariant(QStringLiteral("auto"))}}));
    EXPECT_TRUE(mock_.CallsOf(QStringLiteral("PowerOff")).empty());
}

TEST_F(LogindSessionTest, WithoutLogindEverythingIsRefused) {
    mock_.StopMock();
    EXPECT_FALSE(session_->MayPowerOff());
    EXPECT_FALSE(session_->PowerOff());
    EXPECT_FALSE(session_->EndSession());
}

}  // namespace
}  // namespace tv::test
